// TLitehtmlView: IWebView on litehtml, cairo and libcurl.
//
// A navigation goes through three steps: the page is fetched; the document
// is built, and the style sheets it links are fetched and the document built
// again with them; the images it shows are fetched, each one laying the
// page out anew when it arrives. The navigation completes when nothing is
// outstanding. Resources that fail are left out; only the page itself can
// fail a navigation.
//
// Everything litehtml calls back (a link click in particular) happens inside
// its own walk of the document, so a click only queues the navigation it
// asks for; it runs from the task queue once litehtml has returned.
#pragma once

#include <litehtml.h>

#include <memory>
#include <set>
#include <string>

#include "web/HtmlContainer.h"
#include "web/WebView.h"

namespace web {

class TLitehtmlView : public IWebView, private IContainerHost {
public:
    TLitehtmlView(int width, int height, const TWebSettings& settings);
    ~TLitehtmlView() override;

    void Navigate(const std::string& url) override;
    void Stop() override;
    bool Loading() const override { return m_loading; }
    const std::string& Url() const override { return m_url; }
    bool ErrorPage() const override { return m_errorPage; }

    void Resize(int width, int height) override;
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    void SetZeroMargins(bool zero) override;
    void SetBackground(uint32_t rgb) override;
    void SetLinksOpenNewWindow(bool all) override { m_linksOpenNewWindow = all; }

    int ScrollRange() const override;
    int ScrollPos() const override { return m_scroll; }
    void ScrollTo(int y) override;
    const uint32_t* Pixels() override;

    void MouseMove(int x, int y) override;
    void MouseDown(int x, int y) override;
    void MouseUp(int x, int y) override;
    void MouseLeave() override;

    // Builds the document from text at once, as if it had been fetched from
    // baseUrl (the error page, and tests of the layout alone).
    void ShowHtml(const std::string& html, const std::string& baseUrl);

private:
    // IContainerHost.
    void WantStyleSheet(const std::string& url) override;
    void WantImage(const std::string& url) override;
    void LinkClicked(const std::string& url, const std::string& target) override;

    void PageArrived(const TFetchResult& result);
    void SheetArrived(const std::string& url, const TFetchResult& result);
    void ImageArrived(const std::string& url, const TFetchResult& result);
    void Build();
    void Layout();
    void Fail(const std::string& reason);
    void CompleteIfDone();
    void Changed();
    void Paint();
    void HandleRedraw(bool changed, const litehtml::position::vector& boxes);
    void Later(std::function<void()> task);
    litehtml::css* UserStyles();

    TWebSettings m_settings;
    int m_width, m_height;
    std::unique_ptr<TFetcher> m_fetcher;
    std::unique_ptr<THtmlContainer> m_container;
    std::unique_ptr<litehtml::css> m_userStyles;
    litehtml::document::ptr m_document;
    std::string m_url, m_html;
    bool m_loading = false, m_errorPage = false, m_sheetsAsked = false;
    std::set<std::string> m_pendingSheets, m_pendingImages;
    int m_imagesAsked = 0;
    bool m_zeroMargins = false;
    bool m_linksOpenNewWindow = false;
    uint32_t m_background = 0xFFFFFF;
    int m_scroll = 0;
    void* m_surface = nullptr;  // cairo_surface_t*
    bool m_dirty = true;
    std::shared_ptr<bool> m_alive;
};

// The page shown when a navigation fails: the reason, HTML-escaped.
std::string ErrorPageHtml(const std::string& url, const std::string& reason);
// The page's text as UTF-8: a Windows-1252 or Latin-1 page (by the content
// type or a meta tag) is converted, anything else is taken as UTF-8.
std::string PageTextToUtf8(const std::string& body, const std::string& contentType);

}  // namespace web
