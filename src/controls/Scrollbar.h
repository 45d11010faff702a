// TScrollbar: the skinned vertical scroll bar of lists, chat views and
// wrapped labels.
//
// With an element prefix P (usually "List") the bar is the button P + "up"
// at (x, top), the button P + "do" at the bottom of its height, and the
// transparent thumb P + "bar" (a 1 × 1 image when the skin has none) riding
// the track between them. The bar holds a position 0 .. range − 1.
//
// Behaviour:
//   range ≤ 1           neither buttons nor thumb are shown; position 0
//   up / down button    position ∓ step, repeated every 50 ms while held
//   press above/below   position ∓ page (∓ 1 when no page is set)
//   press on the thumb  dragging: the pointer's place in the track picks the
//                       position; releasing the button ends it
//   wheel between the   position − notches × step
//   buttons
// Every change of position calls on-change, except the one change after
// SkipNextEvent (owners that set the position themselves use it). While
// dragging, SetPosition keeps the pointer on the same spot of the thumb.
//
// The bar is created hidden; the owner frees it before its paint surface.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "graphics/Mouse.h"

class TMygfx;
class TMyimage;
class TMyTimer;
class TPaint;
class TRollover;

class TScrollbar {
public:
    using TChangeEvent = std::function<void(TScrollbar* sender)>;

    // The repeat interval of a held button.
    static constexpr int kRepeatMs = 50;
    // Pixels kept free between the buttons and the thumb's travel.
    static constexpr int kTrackMargin = 2;
    // A drag stays a drag while the pointer is this close to the thumb's
    // column.
    static constexpr int kDragSlack = 10;

    // owner is the object the bar belongs to, kept for the owner's own
    // lookups; the bar never calls it.
    TScrollbar(TMygfx* spriteOwner, const std::string& prefix, TChangeEvent onChange,
               const void* owner, int height, int top, int x);
    ~TScrollbar();
    TScrollbar(const TScrollbar&) = delete;
    TScrollbar& operator=(const TScrollbar&) = delete;

    void Show();
    void Hide();
    // Clamped to 0 .. range − 1.
    void SetPosition(int position);
    // Nothing when unchanged; a range of at most 1 hides the bar's parts.
    void SetRange(int range);
    // The next SetPosition or SetRange does not call on-change (and, while
    // set, leaves the buttons and thumb where they are).
    void SkipNextEvent() { m_skipNextEvent = true; }

    void SetStep(int step) { m_step = step; }
    void SetPage(int page) { m_page = page; }

    TChangeEvent OnChange;

    int Position() const { return m_position; }
    int Range() const { return m_range; }
    int Step() const { return m_step; }
    int Page() const { return m_page; }
    int X() const { return m_x; }
    int Top() const { return m_top; }
    int Height() const { return m_height; }
    int Width() const;
    bool Visible() const { return m_visible; }
    bool ThumbShown() const { return m_thumbShown; }
    bool Dragging() const { return m_dragging; }
    int TrackLength() const { return m_trackLength; }
    // The thumb's top edge in surface coordinates.
    int ThumbY() const;
    const void* Owner() const { return m_owner; }
    TRollover* UpButton() const { return m_up.get(); }
    TRollover* DownButton() const { return m_down.get(); }
    TMyimage* Thumb() const { return m_thumb.get(); }

private:
    void CreateThumb(const std::string& name);
    void Subscribe();
    void Unsubscribe();
    // The buttons and thumb for the current position, while visible.
    void Place();
    void PlaceButtons();
    void PlaceThumb();
    void HideParts();
    void KeepPointerOnThumb(int oldThumbY);
    void Changed();
    void MoveBy(int delta) { SetPosition(m_position + delta); }

    void UpPressed(TRollover* sender);
    void DownPressed(TRollover* sender);
    void Repeat();

    bool InThumbColumn(int x) const;
    void ButtonDown(int button, TShiftState shift, int x, int y);
    void ButtonUp(int button, TShiftState shift, int x, int y);
    void PointerMoved(TShiftState shift, int x, int y);
    void Drag(int y);
    void Wheel(TShiftState shift, TPoint point, int notches);

    int m_step = 1;
    int m_page = 0;
    TPaint* m_surface = nullptr;
    TMygfx* m_spriteOwner = nullptr;
    const void* m_owner = nullptr;
    int m_x = 0, m_top = 0, m_height = 0;
    std::unique_ptr<TMyimage> m_thumb;
    int m_thumbX = 0;
    int m_thumbOffset = 0;  // pixels into the track
    int m_trackLength = 0;
    bool m_dragging = false;
    int m_dragOffsetY = 0;  // pointer y minus the thumb's top at the press
    int m_dragLastY = 0;    // pointer y of the last move taken
    int m_position = 0;
    int m_range = 0;
    std::unique_ptr<TRollover> m_up;
    std::unique_ptr<TRollover> m_down;
    std::unique_ptr<TMyTimer> m_repeat;
    int m_repeatDelta = 0;  // the held button's move
    bool m_visible = false;
    bool m_thumbShown = false;
    bool m_skipNextEvent = false;
};
