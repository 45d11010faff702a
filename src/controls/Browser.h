// TBrowser: a web panel of the lobby, a window or a game window. It shows
// one page of the zone's web site in its own area of the window's paint
// surface, drawn like any other skinned control.
//
// Placement comes from settings [section] key: left, top, width, height,
// the background colour (0x00BBGGRR; red and blue are swapped before the
// page gets it), "TRUE" when every link opens a new window, "TRUE" when the
// page's margins are 0.
//
// Loading: Load navigates to the URL with a fresh "Rand=" number (a URL that
// already holds "Rand=" is loaded as it is): at once when Show was asked
// for, otherwise when the panel is next shown, so a hidden panel fetches
// nothing until then. A panel that visits pages without ever being shown
// (SetLoadsHidden) navigates at once. The panel appears only once a page
// has completed and Show was asked for. A load that ends on the error page
// sets ErrorPage and skips the completion steps.
//
// Refresh: with a period above 0 the panel keeps two views; each period the
// page is loaded again into the hidden one, and the two are swapped only
// when it has completed, so the shown page is never blank. A refresh that
// fails leaves the shown page as it is. The timer runs while the panel is
// shown.
//
// New windows: a link that asks for one is never followed in the panel. Its
// "obwindow=" width and height (both above 0) open a pop-up web window
// through OnPopup; other requests of a panel whose links all open new
// windows go to the platform's browser, the rest are refused.
//
// Scrolling: a scrollable panel with a page taller than itself gets the
// skinned bar "List" 4 pixels right of its area (16-pixel steps) and scrolls
// 16 pixels per wheel notch over the panel.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "graphics/Mouse.h"
#include "graphics/Mygfx.h"
#include "graphics/PixelFormat.h"

class TMyTimer;
class TScrollbar;

namespace web {
class IWebView;
}

class TBrowser : public TMygfx {
public:
    static constexpr int kScrollStep = 16;
    static constexpr int kScrollGap = 4;

    // A panel of the settings entry, hidden and empty.
    TBrowser(TMygfx* parent, const std::string& section, const std::string& key, int refreshSeconds = 0);
    // A panel of the given area (pop-up windows size theirs themselves).
    TBrowser(TMygfx* parent, const TRect& area, TColour colour, bool newWindowLinks, bool zeroMargins,
             int refreshSeconds = 0);
    ~TBrowser() override;

    void Load(const std::string& url);
    // Loads navigate at once even while the panel is hidden.
    void SetLoadsHidden(bool loads) { m_loadsHidden = loads; }
    void Show() override;
    void Hide() override;
    void Draw(const TRect& rect) override;
    void SetScrollable(bool scrollable);

    const std::string& Url() const { return m_url; }
    bool Wanted() const { return m_wanted; }
    // A URL waits for the panel to be shown.
    bool LoadPending() const { return m_pending; }
    bool Loaded() const { return m_loaded; }
    bool ErrorPage() const { return m_errorPage; }
    bool Scrollable() const { return m_scrollable; }
    int Refresh() const { return m_refresh; }
    bool NewWindowLinks() const { return m_newWindowLinks; }
    bool ZeroMargins() const { return m_zeroMargins; }
    TColour Colour() const { return m_colour; }
    // The view on screen, and (refreshing panels) the one loading behind it.
    web::IWebView& View() const { return *m_views[m_front]; }
    web::IWebView* BackView() const { return m_views[1 - m_front].get(); }
    TScrollbar* Bar() const { return m_bar.get(); }
    TMyTimer* RefreshTimer() const { return m_timer.get(); }

    std::function<void(TBrowser*)> OnLoaded;
    // A press and release inside the panel.
    std::function<void(TBrowser*)> OnClick;
    // The pointer entered the panel; a button was pressed over it.
    std::function<void(TBrowser*)> OnEnter;
    std::function<void(TBrowser*)> OnPress;
    // A page asked for a pop-up web window of this size.
    std::function<void(const std::string& url, int width, int height)> OnPopup;

    // The "Rand=" numbers; tests set it.
    static std::function<uint32_t()> Random;

private:
    void CreateViews(int refreshSeconds);
    void Attach(web::IWebView& view, int index);
    void Navigate(web::IWebView& view);
    void StartLoad();
    void Completed(int index);
    void Failed(int index);
    void NewWindow(const std::string& url);
    void RefreshTick();
    void UpdateBar();
    // The bar's position and thumb to the view's scroll position.
    void FollowScroll();
    void Repaint();
    void Subscribe();
    void Unsubscribe();
    bool Inside(int x, int y) const;
    void Moved(int x, int y);
    void Pressed(int button, int x, int y);
    void Released(int button, int x, int y);
    void Wheeled(TPoint point, int notches);

    std::unique_ptr<web::IWebView> m_views[2];
    int m_front = 0;
    std::unique_ptr<TMyTimer> m_timer;
    std::unique_ptr<TScrollbar> m_bar;
    std::string m_url;
    TColour m_colour = 0;
    bool m_newWindowLinks = false, m_zeroMargins = false;
    bool m_wanted = false, m_loaded = false, m_errorPage = false, m_pending = false, m_loadsHidden = false;
    bool m_scrollable = false, m_hover = false, m_pressed = false, m_subscribed = false;
    int m_refresh = 0;
};
