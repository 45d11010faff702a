#include "web/LitehtmlView.h"

#include <cairo.h>

#include <algorithm>
#include <cctype>

#include "platform/Codepage.h"
#include "platform/Platform.h"
#include "web/MasterCss.h"

namespace web {
namespace {

// More images than this on one page are left out: a page cannot make the
// panel open an unbounded number of transfers.
constexpr int kMaxImagesPerPage = 64;
constexpr int kMaxSheetsPerPage = 16;
constexpr char kZeroMargins[] = "body { margin: 0 !important; }";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// The default style sheet, parsed once for every view: litehtml only reads
// the context while it builds a document.
litehtml::context& MasterContext() {
    static litehtml::context context;
    static const bool loaded = (context.load_master_stylesheet(kMasterCss), true);
    (void)loaded;
    return context;
}

}  // namespace

std::string ErrorPageHtml(const std::string& url, const std::string& reason) {
    return "<html><body style=\"margin:8px;background:#ffffff;color:#202020;font-family:sans-serif\">"
           "<div style=\"font-weight:bold\">The page cannot be shown</div>"
           "<div style=\"margin-top:6px\">" +
           Escape(reason) + "</div><div style=\"margin-top:6px;color:#707070\">" + Escape(url) +
           "</div></body></html>";
}

std::string PageTextToUtf8(const std::string& body, const std::string& contentType) {
    std::string declared = Lower(contentType);
    if (declared.find("charset") == std::string::npos) declared = Lower(body.substr(0, 1024));
    for (const char* single : {"windows-1252", "iso-8859-1", "latin1", "latin-1"}) {
        const size_t at = declared.find(single);
        if (at != std::string::npos && declared.rfind("charset", at) != std::string::npos)
            return platform::Cp1252ToUtf8(body);
    }
    return body;
}

TLitehtmlView::TLitehtmlView(int width, int height, const TWebSettings& settings)
    : m_settings(settings), m_width(std::max(1, width)), m_height(std::max(1, height)),
      m_fetcher(std::make_unique<TFetcher>(settings.Limits)),
      m_container(std::make_unique<THtmlContainer>(static_cast<IContainerHost&>(*this), settings)), m_alive(std::make_shared<bool>(true)) {
    m_container->SetViewport(m_width, m_height);
}

TLitehtmlView::~TLitehtmlView() {
    *m_alive = false;
    m_fetcher.reset();
    m_document.reset();
    if (m_surface) cairo_surface_destroy(static_cast<cairo_surface_t*>(m_surface));
}

// Runs a task from the queue, unless the view is gone by then.
void TLitehtmlView::Later(std::function<void()> task) {
    std::weak_ptr<bool> alive = m_alive;
    platform::Loop().Post([alive, task = std::move(task)] {
        if (auto flag = alive.lock(); flag && *flag) task();
    });
}

// --- navigation --------------------------------------------------------------------

void TLitehtmlView::Navigate(const std::string& url) {
    Stop();
    m_url = url;
    m_loading = true;
    m_errorPage = false;
    m_container->ForgetResources();
    if (!FetchableUrl(url)) {
        Later([this] { Fail("only http and https addresses are shown"); });
        return;
    }
    if (m_fetcher->Start(url, [this](const TFetchResult& r) { PageArrived(r); }) == 0)
        Later([this] { Fail("the address cannot be fetched"); });
}

void TLitehtmlView::Stop() {
    m_fetcher->CancelAll();
    m_pendingSheets.clear();
    m_pendingImages.clear();
    m_imagesAsked = 0;
    m_sheetsAsked = false;
    m_loading = false;
}

void TLitehtmlView::PageArrived(const TFetchResult& result) {
    if (!result.Ok) return Fail(result.Error);
    m_html = PageTextToUtf8(result.Body, result.ContentType);
    m_container->SetBaseUrl(result.Url.empty() ? m_url : result.Url);
    Build();
    CompleteIfDone();
}

void TLitehtmlView::ShowHtml(const std::string& html, const std::string& baseUrl) {
    m_html = html;
    m_container->SetBaseUrl(baseUrl);
    Build();
}

void TLitehtmlView::Fail(const std::string& reason) {
    Stop();
    m_errorPage = true;
    ShowHtml(ErrorPageHtml(m_url, reason), "");
    if (OnError) OnError(reason);
}

void TLitehtmlView::WantStyleSheet(const std::string& url) {
    if (!m_loading || m_pendingSheets.size() >= kMaxSheetsPerPage) return;
    m_sheetsAsked = true;
    m_pendingSheets.insert(url);
    m_fetcher->Start(url, [this, url](const TFetchResult& r) { SheetArrived(url, r); });
}

void TLitehtmlView::WantImage(const std::string& url) {
    if (!m_loading || m_imagesAsked >= kMaxImagesPerPage) return;
    ++m_imagesAsked;
    m_pendingImages.insert(url);
    if (m_fetcher->Start(url, [this, url](const TFetchResult& r) { ImageArrived(url, r); }) == 0)
        m_pendingImages.erase(url);
}

// The document is built again once every sheet is in, so the page is laid
// out with all its styles at once.
void TLitehtmlView::SheetArrived(const std::string& url, const TFetchResult& result) {
    m_container->AddStyleSheet(url, result.Ok ? PageTextToUtf8(result.Body, result.ContentType) : std::string());
    m_pendingSheets.erase(url);
    if (!m_pendingSheets.empty()) return;
    Build();
    CompleteIfDone();
}

void TLitehtmlView::ImageArrived(const std::string& url, const TFetchResult& result) {
    m_container->AddImage(url, result.Ok ? DecodeImage(result.Body) : nullptr);
    m_pendingImages.erase(url);
    Layout();
    Changed();
    CompleteIfDone();
}

void TLitehtmlView::CompleteIfDone() {
    if (!m_loading || m_errorPage || !m_pendingSheets.empty() || !m_pendingImages.empty()) return;
    m_loading = false;
    if (OnComplete) OnComplete();
}

void TLitehtmlView::LinkClicked(const std::string& url, const std::string& target) {
    if (!FetchableUrl(url)) return;
    const std::string where = Lower(target);
    const bool targeted = !where.empty() && where != "_self" && where != "_top" && where != "_parent";
    if (targeted || m_linksOpenNewWindow) {
        Later([this, url] {
            if (OnNewWindow) OnNewWindow(url);
        });
        return;
    }
    Later([this, url] { Navigate(url); });
}

// --- layout ----------------------------------------------------------------------

litehtml::css* TLitehtmlView::UserStyles() {
    if (!m_zeroMargins) return nullptr;
    if (!m_userStyles) {
        m_userStyles = std::make_unique<litehtml::css>();
        m_userStyles->parse_stylesheet(kZeroMargins, "", nullptr, nullptr);
        m_userStyles->sort_selectors();
    }
    return m_userStyles.get();
}

void TLitehtmlView::Build() {
    m_document.reset();
    m_document = litehtml::document::createFromUTF8(m_html.c_str(), m_container.get(), &MasterContext(), UserStyles());
    Layout();
    Changed();
}

void TLitehtmlView::Layout() {
    if (m_document) m_document->render(m_width);
    m_scroll = std::clamp(m_scroll, 0, ScrollRange());
}

void TLitehtmlView::Resize(int width, int height) {
    width = std::max(1, width);
    height = std::max(1, height);
    if (width == m_width && height == m_height) return;
    m_width = width;
    m_height = height;
    m_container->SetViewport(width, height);
    if (m_surface) cairo_surface_destroy(static_cast<cairo_surface_t*>(m_surface));
    m_surface = nullptr;
    Layout();
    Changed();
}

void TLitehtmlView::SetZeroMargins(bool zero) {
    if (zero == m_zeroMargins) return;
    m_zeroMargins = zero;
    if (m_document) Build();
}

void TLitehtmlView::SetBackground(uint32_t rgb) {
    if ((rgb & 0xFFFFFF) == m_background) return;
    m_background = rgb & 0xFFFFFF;
    Changed();
}

int TLitehtmlView::ScrollRange() const {
    return m_document ? std::max(0, m_document->height() - m_height) : 0;
}

void TLitehtmlView::ScrollTo(int y) {
    y = std::clamp(y, 0, ScrollRange());
    if (y == m_scroll) return;
    m_scroll = y;
    Changed();
}

void TLitehtmlView::Changed() {
    m_dirty = true;
    if (OnChanged) OnChanged();
}

std::unique_ptr<IWebView> CreateWebView(int width, int height, const TWebSettings& settings) {
    return std::make_unique<TLitehtmlView>(width, height, settings);
}

}  // namespace web
