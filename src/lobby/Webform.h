// TWebform: a pop-up web window. A borderless window the size of its browser
// area plus 37 pixels in width and 63 in height, framed by the skin image
// "Webwindow" (its four corners, its middle row and column stretched along
// the edges), with the OK button centred 8 pixels above the bottom edge and
// a scrollable panel at 8, 8 of the requested size on the URL.
//
// The window never frees itself: closing it (OK or the window system) hides
// it and calls OnClosed, and its owner frees it from a later timer tick, not
// inside the close handler that is still running.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "controls/Form.h"

class TBrowser;
class TMygfx;
class TRollover;

class TWebform : public TForm {
public:
    static constexpr int kExtraWidth = 37, kExtraHeight = 63;
    static constexpr int kPanelInset = 8;
    static constexpr int kButtonGap = 8;

    // width and height: the browser area, each at least 1.
    TWebform(const std::string& url, int width, int height);
    ~TWebform() override;

    TBrowser& Browser() const { return *m_browser; }
    // Null when the skin has no OK button.
    TRollover* OkButton() const { return m_ok.get(); }

    std::function<void(TWebform* sender)> OnClosed;

protected:
    void FormClose() override;

private:
    std::unique_ptr<TMygfx> m_frame;
    std::unique_ptr<TBrowser> m_browser;
    std::unique_ptr<TRollover> m_ok;
};
