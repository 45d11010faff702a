// TWebPanels: every web panel of the lobby and the pop-up web windows.
//
// It owns the hidden panel (10 × 10, never shown) that visits the URLs of
// code 99 and the game starts, the banners "Reklame1" to "Reklame3", the
// chat headers "Chatheader" and "Chatheaderbig" (refreshed every 300 s, on
// the text Chat/Chatheader), and the two web areas of menu tabs 4 and 5:
// their tab bars "Htmlbar1" and "Htmlbar2" and the pages and cameras the
// server lists with code 106.
//
// Banners report to the server: "a" + place when Reklame1 or Reklame2 has
// loaded, "b" + place when one was clicked. Reklame3 plays "Rollover.wav"
// when the pointer enters it and "Rolldown.wav" on a press.
//
// Panels that are not shown fetch nothing: the big chat header and the web
// areas' pages load their URL when first shown. Only the hidden panel loads
// while it is hidden, since that is its purpose.
//
// Pop-up web windows get "{Login}" replaced by the login string before they
// load; a modal one blocks the caller until OK closes it. A closed window is
// freed on the next tick of a 1 ms timer, never inside its own close.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lobby/LobbyAreas.h"
#include "net/SessionWindows.h"

class TAdvertPanels;
class TBar;
class TBrowser;
class TCamera;
class TMygfx;
class TMyTimer;
class TRollover;
class TWebform;

class TWebPanels : public ILobbyWeb, public IWebPanels {
public:
    static constexpr int kHeaderRefresh = 300;  // seconds
    static constexpr int kHiddenSide = 10;

    // The panels on the lobby's paint surface; registers as the dispatcher's
    // web panels until freed.
    explicit TWebPanels(TMygfx* lobby);
    ~TWebPanels() override;
    TWebPanels(const TWebPanels&) = delete;
    TWebPanels& operator=(const TWebPanels&) = delete;

    // ILobbyWeb.
    void OpenArea(int area) override;
    void CloseArea(int area) override;
    bool SelectCameraTab(int area) override;
    void SetBig(bool big) override;
    void OpenWebWindow(const std::string& url, int width, int height, bool modal) override;

    // IWebPanels.
    void VisitHidden(const std::string& url) override;
    void LoadBanner(int place, const std::string& url) override;
    void SetCameras(bool on) override;
    void SetWebTabs(const TWebTabs& tabs) override;

    // Where the banners' reports go; unset: the session's connection.
    std::function<void(const std::string& message)> Sender;

    // A tab of a web area was chosen.
    void Htmlclick(int area, int index);

    TBrowser& Hidden() const { return *m_hidden; }
    TBrowser& Banner(int place) const;
    TBrowser& Header(bool big) const { return big ? *m_headerBig : *m_header; }
    TBar& AreaBar(int area) const { return *m_areas[static_cast<size_t>(area - 1)].bar; }
    // The panel of a tab (1-based) of an area: a page or a camera.
    TBrowser* AreaPage(int area, int index) const;
    TCamera* AreaCamera(int area, int index) const;
    int WindowCount() const { return static_cast<int>(m_windows.size()); }
    TWebform* Window(int index) const { return m_windows[static_cast<size_t>(index)].get(); }

private:
    struct TEntry {
        std::unique_ptr<TBrowser> page;
        std::unique_ptr<TCamera> camera;
    };
    struct TArea {
        std::unique_ptr<TBar> bar;
        std::vector<TEntry> entries;
        bool open = false;
    };

    void Send(const std::string& message);
    void CreateBanners();
    void CreateHeaders();
    void CreateAreas();
    void ClearArea(TArea& area);
    void AddEntry(TArea& area, const TWebTab& tab, const std::string& prefix);
    void HideAreaPanels(TArea& area);
    void ShowEntry(TEntry& entry);
    void ShowSelected(int area);
    void WindowClosed(TWebform* window);
    void FreeClosedWindows();

    TMygfx* m_lobby;
    std::unique_ptr<TBrowser> m_hidden;
    std::unique_ptr<TAdvertPanels> m_banners;
    std::unique_ptr<TBrowser> m_header, m_headerBig;
    bool m_big = false;
    std::array<TArea, 2> m_areas;
    std::vector<std::unique_ptr<TWebform>> m_windows;
    std::vector<TWebform*> m_closed;
    std::unique_ptr<TMyTimer> m_reaper;
};
