// TAdvertPanels: the three advertisement panels "Reklame1" to "Reklame3" of
// a window (the lobby's banners, the Backgammon and Yatzy windows' panels),
// web panels of settings [section] Reklame1..3.
//
// Panels 1 and 2 report to the server through the sender: "a" and their
// report byte when a page has loaded, "b" and the byte when clicked; the
// bytes are firstByte and firstByte + 1 (1 and 2 in the lobby, 4 and 5 in
// Backgammon, 7 and 8 in Yatzy). Panel 3 reports nothing and plays
// "Rollover.wav" when the pointer enters it and "Rolldown.wav" on a press.
// A page's request for a pop-up window goes to OnPopup.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

class TBrowser;
class TMygfx;

class TAdvertPanels {
public:
    using TSender = std::function<void(const std::string& message)>;

    TAdvertPanels(TMygfx* surface, const std::string& section, int firstByte, TSender sender);
    ~TAdvertPanels();
    TAdvertPanels(const TAdvertPanels&) = delete;
    TAdvertPanels& operator=(const TAdvertPanels&) = delete;

    // Panel 1..3 loads the URL; other numbers do nothing.
    void Load(int panel, const std::string& url);
    TBrowser& Panel(int panel) const { return *m_panels[static_cast<size_t>(panel - 1)]; }

    std::function<void(const std::string& url, int width, int height)> OnPopup;

private:
    std::array<std::unique_ptr<TBrowser>, 3> m_panels;
    TSender m_sender;
};
