// IWebView: the browser control the web panels use, behind a small interface
// so that another engine could replace it.
//
// A view renders one page into a pixel buffer of its own size (cairo's
// ARGB32: 0xAARRGGBB words, one row after the other); the panel that owns it
// copies that buffer into its window's paint surface like any other skinned
// control, so pages are drawn, clipped, snapshotted and tested headless.
// Pages are HTML and CSS only: scripts are never run.
//
// Navigation: Navigate fetches the page, its style sheets and its images
// without blocking and then reports completion once; a page that cannot be
// fetched (a refused scheme, a network error, an HTTP error status, the
// time-out, the size limit) is replaced by a built-in error page and
// reported as an error instead. Starting a new navigation drops the old one
// silently. A click on a link navigates the view itself, except a link that
// asks for a new window (target="_blank" or the like), which is offered to
// OnNewWindow instead and never followed in the view.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "web/Fetcher.h"

namespace web {

struct TWebSettings {
    TFetchLimits Limits;
    // Font files by path (regular, bold, italic, bold italic); any left
    // empty is found through fontconfig. Tests name files so that text
    // renders the same on every machine.
    std::string FontRegular, FontBold, FontItalic, FontBoldItalic;
    int DefaultFontSize = 12;  // pixels
};

class IWebView {
public:
    virtual ~IWebView() = default;

    virtual void Navigate(const std::string& url) = 0;
    // Drops the navigation in progress (no report follows).
    virtual void Stop() = 0;
    virtual bool Loading() const = 0;
    // The URL asked for last.
    virtual const std::string& Url() const = 0;
    // The shown page is the built-in error page.
    virtual bool ErrorPage() const = 0;

    virtual void Resize(int width, int height) = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Sets the page body's four margins to 0 (otherwise the page's own).
    virtual void SetZeroMargins(bool zero) = 0;
    // The colour behind the page, 0xRRGGBB.
    virtual void SetBackground(uint32_t rgb) = 0;
    // Every link click becomes a new-window request (banners whose links
    // leave the panel).
    virtual void SetLinksOpenNewWindow(bool all) = 0;

    // The page's height beyond the view's: 0 when it fits.
    virtual int ScrollRange() const = 0;
    virtual int ScrollPos() const = 0;
    // Clamped to 0 .. ScrollRange().
    virtual void ScrollTo(int y) = 0;

    // The pixels, Width() × Height() words; valid until the next call.
    virtual const uint32_t* Pixels() = 0;

    // The pointer in view coordinates; a press and release on the same link
    // follows it.
    virtual void MouseMove(int x, int y) = 0;
    virtual void MouseDown(int x, int y) = 0;
    virtual void MouseUp(int x, int y) = 0;
    virtual void MouseLeave() = 0;

    // The page, its style sheets and its images have arrived.
    std::function<void()> OnComplete;
    // The navigation failed; the error page is shown.
    std::function<void(const std::string& reason)> OnError;
    // A link asked for a new window; the view did not follow it.
    std::function<void(const std::string& url)> OnNewWindow;
    // The pixels changed (an image arrived, a link lit up, a scroll).
    std::function<void()> OnChanged;
};

// The litehtml engine behind the interface.
std::unique_ptr<IWebView> CreateWebView(int width, int height, const TWebSettings& settings = {});

}  // namespace web
