// TSinglepreview: one live preview of a running game in one slot of the
// lobby's preview strip; the base of the three kinds (TPreviewTumblix,
// TPreviewGammon, TPreviewpuzzle).
//
// Flags: drawn (on screen), started, active (streaming a game), requested
// (a watch request for this slot and kind is pending). Requested aliases
// are recorded with the request and become the shown aliases when the
// snapshot starts the preview.
//
// Life: idle -> requested -> started and active (Start, on the snapshot)
// -> updates -> ended (End: the end text shows and the 20 s end timer runs)
// -> idle; or Stop at any time -> idle. When the end timer fires the
// preview hides if drawn, stops being started and active, and calls
// OnReleased, so the strip can fill the slot again.
//
// Drawing: Show draws the background, the kind's content, the aliases, the
// score and, while the end timer runs, the end text; Hide takes all of it
// away. Changes that arrive while hidden only update the state, which Show
// then draws. Everything is placed relative to the slot's origin.
//
// Skin (section "Chat"): the background image; the labels "Preview" + kind
// + "name1", "name2" and "point" (left, top, right, bottom, kind, font as
// every label line, relative to the slot); the end text "Previewendtext"
// ({1}: the winner's alias) in the font "Previewendfont", centred in the
// slot's end box on a dark band a little larger than the text, so it reads
// clearly over the busy boards and the labels it covers.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TMyimage;
class TMyTimer;
class TPaint;
class TText;

// Where a slot lies: its origin, and the box its end text is centred in.
struct TPreviewPlace {
    int X = 0, Y = 0;
    int Width = 100, Height = 100;
};

class TSinglepreview {
public:
    static constexpr int64_t kEndMs = 20000;
    static constexpr char kSection[] = "Chat";
    // Layers in the lobby's drawn tree: cells over the background, pieces
    // over the cells, a flying piece over the rest, texts on top.
    static constexpr int kBackgroundLayer = 1, kCellLayer = 2, kPieceLayer = 3, kFlyingLayer = 4,
                         kTextLayer = 5, kEndBandLayer = 6, kEndLayer = 7;
    // The band's margins around the end text, in pixels: wide enough at top
    // and bottom to cover the larger figures of the labels beneath.
    static constexpr int kEndBandMarginX = 6, kEndBandMarginY = 8;

    // kindName: "Tumblix", "Gammon" or "Puzzle" (the labels' keys).
    TSinglepreview(TPaint* surface, const std::string& kindName, const std::string& background,
                   const TPreviewPlace& place);
    virtual ~TSinglepreview();
    TSinglepreview(const TSinglepreview&) = delete;
    TSinglepreview& operator=(const TSinglepreview&) = delete;

    bool Drawn() const { return m_drawn; }
    bool Started() const { return m_started; }
    bool Active() const { return m_active; }
    bool Requested() const { return m_requested; }
    // The end timer runs.
    bool Ended() const;
    // Seat 1 or 2; empty otherwise.
    const std::string& ShownAlias(int seat) const;
    const std::string& RequestedAlias(int seat) const;
    // A watch request was sent for this game.
    void Request(const std::string& seat1, const std::string& seat2);

    // The life cycle, in slot order.
    virtual void Stop();
    virtual void Start();
    virtual void Hide();
    virtual void Show();
    // Winner 1 or 2 names that seat's alias; another value names nobody.
    virtual void End(int winner);

    // The end timer fired and the preview let its slot go.
    std::function<void()> OnReleased;

    // For the strip and the tests.
    TMyTimer* EndTimer() const { return m_endTimer.get(); }
    TText* NameLabel(int seat) const;
    TText* ScoreLabel() const { return m_score.get(); }
    TText* EndLabel() const { return m_endText.get(); }
    // The band under the end text; none before the first end.
    TMyimage* EndBand() const { return m_endBand.get(); }
    const TPreviewPlace& Place() const { return m_place; }

protected:
    // A fresh state for a new game (called by Start).
    virtual void Reset() = 0;
    virtual void ShowContent() = 0;
    virtual void HideContent() = 0;

    TPaint* Surface() const { return m_surface; }
    // The score format of the key, filled with the comma-separated values.
    void SetScore(const std::string& formatKey, const std::string& values);
    // A label of the layout line key, moved by the slot's origin.
    std::unique_ptr<TText> MakeLabel(const std::string& key) const;
    // A label in a font of the settings key at (x, y) of the slot.
    std::unique_ptr<TText> MakeLabel(const std::string& fontKey, int x, int y) const;
    static void ShowLabel(TText* label, bool show);

private:
    void EndTimerFired();
    void MakeEndBand();
    void ShowEnd(bool show);

    TPaint* m_surface;
    TPreviewPlace m_place;
    std::unique_ptr<TMyimage> m_background, m_endBand;
    std::array<std::unique_ptr<TText>, 2> m_names;
    std::unique_ptr<TText> m_score, m_endText;
    std::unique_ptr<TMyTimer> m_endTimer;
    std::array<std::string, 2> m_shown, m_requestedAliases;
    bool m_drawn = false, m_started = false, m_active = false, m_requested = false;
};
