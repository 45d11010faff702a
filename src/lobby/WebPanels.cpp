#include "lobby/WebPanels.h"

#include <algorithm>

#include "controls/AdvertPanels.h"
#include "controls/Bar.h"
#include "controls/Browser.h"
#include "controls/Rollover.h"
#include "controls/WebUrls.h"
#include "graphics/Mybitmap.h"
#include "lobby/Camera.h"
#include "lobby/Webform.h"
#include "net/Session.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

namespace {

constexpr char kSection[] = "Chat";
constexpr const char* kAreaBars[] = {"Htmlbar1", "Htmlbar2"};
constexpr char kFallbackPrefix[] = "forum";
// The lobby's banners report with the bytes 1 and 2.
constexpr int kFirstReportByte = 1;
constexpr int kReaperMs = 1;

std::string CurrentLogin() {
    return LoginString(Session().Alias, Session().WebPassword, Language());
}

bool HasTabImages(const std::string& prefix) { return TMybitmap::Exists(LowerCaseAscii(prefix + "on")); }

}  // namespace

TWebPanels::TWebPanels(TMygfx* lobby) : m_lobby(lobby), m_reaper(std::make_unique<TMyTimer>()) {
    m_hidden = std::make_unique<TBrowser>(lobby, TRect{0, 0, kHiddenSide, kHiddenSide}, 0, false, false);
    m_hidden->SetLoadsHidden(true);
    CreateBanners();
    CreateHeaders();
    CreateAreas();
    m_reaper->SetInterval(kReaperMs);
    m_reaper->OnTimer = [this](TMyTimer*) { FreeClosedWindows(); };
    SessionWindows().Web = this;
}

TWebPanels::~TWebPanels() {
    if (SessionWindows().Web == this) SessionWindows().Web = nullptr;
    m_reaper.reset();
    m_windows.clear();
    for (TArea& area : m_areas) ClearArea(area);
}

void TWebPanels::CreateBanners() {
    m_banners = std::make_unique<TAdvertPanels>(m_lobby, kSection, kFirstReportByte,
                                                [this](const std::string& message) { Send(message); });
    m_banners->OnPopup = [this](const std::string& url, int w, int h) { OpenWebWindow(url, w, h, false); };
}

TBrowser& TWebPanels::Banner(int place) const { return m_banners->Panel(place); }

void TWebPanels::CreateHeaders() {
    const std::string url = GetText(kSection, "Chatheader");
    m_header = std::make_unique<TBrowser>(m_lobby, kSection, "Chatheader", kHeaderRefresh);
    m_headerBig = std::make_unique<TBrowser>(m_lobby, kSection, "Chatheaderbig", kHeaderRefresh);
    for (TBrowser* header : {m_header.get(), m_headerBig.get()}) {
        header->OnPopup = [this](const std::string& u, int w, int h) { OpenWebWindow(u, w, h, false); };
        if (!url.empty()) header->Load(url);
    }
    m_header->Show();
}

void TWebPanels::CreateAreas() {
    for (int area = 1; area <= 2; ++area) {
        m_areas[static_cast<size_t>(area - 1)].bar = std::make_unique<TBar>(
            m_lobby, [this, area](TRollover* tab) { Htmlclick(area, AreaBar(area).FindByKey(tab->Tag())); },
            kAreaBars[area - 1], kSection);
    }
}

void TWebPanels::Send(const std::string& message) {
    if (Sender) Sender(message);
    else SendToServer(message);
}

// --- the hidden panel, banners, cameras -------------------------------------------------

void TWebPanels::VisitHidden(const std::string& url) { m_hidden->Load(url); }

void TWebPanels::LoadBanner(int place, const std::string& url) {
    m_banners->Load(place, url);
}

void TWebPanels::SetCameras(bool on) {
    for (TArea& area : m_areas)
        for (TEntry& entry : area.entries)
            if (entry.camera) entry.camera->SetActive(on);
}

void TWebPanels::SetBig(bool big) {
    if (big == m_big) return;
    m_big = big;
    Header(!big).Hide();
    Header(big).Show();
}

// --- the web areas --------------------------------------------------------------------------

TBrowser* TWebPanels::AreaPage(int area, int index) const {
    const auto& entries = m_areas[static_cast<size_t>(area - 1)].entries;
    if (index < 1 || index > static_cast<int>(entries.size())) return nullptr;
    return entries[static_cast<size_t>(index - 1)].page.get();
}

TCamera* TWebPanels::AreaCamera(int area, int index) const {
    const auto& entries = m_areas[static_cast<size_t>(area - 1)].entries;
    if (index < 1 || index > static_cast<int>(entries.size())) return nullptr;
    return entries[static_cast<size_t>(index - 1)].camera.get();
}

void TWebPanels::SetWebTabs(const TWebTabs& tabs) {
    if (tabs.Area != 1 && tabs.Area != 2) return;
    TArea& area = m_areas[static_cast<size_t>(tabs.Area - 1)];
    const bool wasOpen = area.open;
    if (wasOpen) CloseArea(tabs.Area);
    ClearArea(area);
    for (const TWebTab& tab : tabs.Tabs) {
        std::string prefix = tab.Prefix;
        if (!HasTabImages(prefix)) prefix = kFallbackPrefix;
        if (!HasTabImages(prefix)) break;
        AddEntry(area, tab, prefix);
    }
    if (wasOpen) OpenArea(tabs.Area);
}

void TWebPanels::AddEntry(TArea& area, const TWebTab& tab, const std::string& prefix) {
    const int key = static_cast<int>(area.entries.size()) + 1;
    area.bar->AddTab(prefix, tab.Title, key);
    const std::string login = CurrentLogin();
    const std::string url = FillLogin(tab.Url, login);
    TEntry entry;
    if (!tab.CameraUrl.empty()) {
        entry.camera = std::make_unique<TCamera>(m_lobby, url, FillLogin(tab.CameraUrl, login), tab.Refresh);
    } else {
        entry.page = std::make_unique<TBrowser>(m_lobby, kSection, "Html", tab.Refresh);
        entry.page->SetScrollable(true);
        entry.page->OnPopup = [this](const std::string& u, int w, int h) { OpenWebWindow(u, w, h, false); };
        entry.page->Load(url);
    }
    area.entries.push_back(std::move(entry));
}

void TWebPanels::ClearArea(TArea& area) {
    HideAreaPanels(area);
    if (area.bar)
        while (area.bar->Count() > 0) area.bar->RemoveTab(area.bar->Count());
    area.entries.clear();
}

void TWebPanels::HideAreaPanels(TArea& area) {
    for (TEntry& entry : area.entries) {
        if (entry.page) entry.page->Hide();
        if (entry.camera) entry.camera->Hide();
    }
}

void TWebPanels::ShowEntry(TEntry& entry) {
    if (entry.page) entry.page->Show();
    if (entry.camera) entry.camera->Show();
}

void TWebPanels::OpenArea(int area) {
    if (area != 1 && area != 2) return;
    TArea& shown = m_areas[static_cast<size_t>(area - 1)];
    shown.open = true;
    shown.bar->Show();
    ShowSelected(area);
}

// The selected tab's panel; the first tab becomes selected when none is.
void TWebPanels::ShowSelected(int area) {
    TArea& shown = m_areas[static_cast<size_t>(area - 1)];
    if (shown.entries.empty()) return;
    if (shown.bar->Current() == 0) {
        shown.bar->Select(1);  // its handler shows the panel
        return;
    }
    Htmlclick(area, shown.bar->Current());
}

void TWebPanels::CloseArea(int area) {
    if (area != 1 && area != 2) return;
    TArea& closed = m_areas[static_cast<size_t>(area - 1)];
    closed.open = false;
    HideAreaPanels(closed);
    closed.bar->Hide();
}

void TWebPanels::Htmlclick(int area, int index) {
    for (TArea& each : m_areas) HideAreaPanels(each);
    if (area != 1 && area != 2) return;
    TArea& clicked = m_areas[static_cast<size_t>(area - 1)];
    if (index < 1 || index > static_cast<int>(clicked.entries.size()) || !clicked.open) return;
    ShowEntry(clicked.entries[static_cast<size_t>(index - 1)]);
}

bool TWebPanels::SelectCameraTab(int area) {
    if (area != 1 && area != 2) return false;
    TArea& searched = m_areas[static_cast<size_t>(area - 1)];
    for (size_t i = 0; i < searched.entries.size(); ++i) {
        if (!searched.entries[i].camera || !searched.entries[i].camera->Active()) continue;
        searched.bar->Select(static_cast<int>(i) + 1);
        return true;
    }
    return false;
}

// --- pop-up web windows -----------------------------------------------------------------------

void TWebPanels::OpenWebWindow(const std::string& url, int width, int height, bool modal) {
    if (width <= 0 || height <= 0) return;
    auto window = std::make_unique<TWebform>(FillLogin(url, CurrentLogin()), width, height);
    TWebform* opened = window.get();
    opened->OnClosed = [this](TWebform* sender) { WindowClosed(sender); };
    opened->Browser().OnPopup = [this](const std::string& u, int w, int h) { OpenWebWindow(u, w, h, false); };
    m_windows.push_back(std::move(window));
    if (modal) opened->ShowModal();
    else opened->Show();
}

void TWebPanels::WindowClosed(TWebform* window) {
    m_closed.push_back(window);
    m_reaper->SetEnabled(true);
}

void TWebPanels::FreeClosedWindows() {
    m_reaper->SetEnabled(false);
    std::vector<TWebform*> closed;
    closed.swap(m_closed);
    for (TWebform* window : closed) {
        // A window shown modally is still waiting in its ShowModal until the
        // loop returns there; it is freed on a later tick.
        if (window->Modal()) {
            m_closed.push_back(window);
            continue;
        }
        std::erase_if(m_windows, [window](const auto& owned) { return owned.get() == window; });
    }
    if (!m_closed.empty()) m_reaper->SetEnabled(true);
}
