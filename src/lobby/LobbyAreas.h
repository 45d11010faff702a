// The lobby window's menu areas and the parts of them that other lobby
// units fill in.
//
// TLobbyAreas owns the menu bar over the central area and its five areas:
// 1 the open game tables, 2 the running games with the preview strip, 3 all
// users with the counters, 4 and 5 the web areas. It owns the areas'
// backgrounds, the game tables (TGame) with their buttons, create menus and
// games tab bar, and the preview area's game chooser, and decides when an
// area is shown. In big-chat mode the bar and its area are hidden.
//
// Other units fill in the areas through the interfaces below: the game
// tables of areas 1 and 2, the preview strip of area 2, and the web areas,
// banners and web windows. Each implements its interface and registers with
// the lobby (SetTables, SetPreviews, SetWeb). While a unit is not
// registered its area shows only its background and its actions do
// nothing.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

class TBar;
class TChatform;
class TGame;
class TGlide;
class TMyimage;
class TRollover;

// The game tables (open tables, join requests, running games).
class ILobbyTables {
public:
    virtual ~ILobbyTables() = default;
    // Area 1: the open tables of game kind 1..4.
    virtual void ShowTables(int kind) = 0;
    virtual void HideTables() = 0;
    // Area 2: the running games of game kind 1..4.
    virtual void ShowGames(int kind) = 0;
    virtual void HideGames() = 0;
    // The creator of the selected open table; empty when none is selected.
    virtual std::string SelectedCreator() const = 0;
    // The request text of "joinJa": every chosen joiner's alias followed by
    // byte 1, in list order.
    virtual std::string ChosenJoiners() const = 0;
};

// The preview strip.
class ILobbyPreviews {
public:
    virtual ~ILobbyPreviews() = default;
    virtual void ShowStrip() = 0;
    virtual void HideStrip() = 0;
    // The automatic preview selection: every slot that shows nothing gets
    // a running table.
    virtual void FillFreeSlots() = 0;
    // A running game of the shown kind was clicked: the slot menu opens.
    virtual void GameClicked() = 0;
};

// The web areas (menu tabs 4 and 5), the chat header panels and the web
// windows.
class ILobbyWeb {
public:
    virtual ~ILobbyWeb() = default;
    // Area 1 or 2, at its selected tab.
    virtual void OpenArea(int area) = 0;
    virtual void CloseArea(int area) = 0;
    // Selects the tab of the first camera panel of the area that is
    // switched on; false when there is none.
    virtual bool SelectCameraTab(int area) = 0;
    // Swaps "Chatheader" and "Chatheaderbig".
    virtual void SetBig(bool big) = 0;
    // A web window with a browser area of that size on the URL.
    virtual void OpenWebWindow(const std::string& url, int width, int height, bool modal) = 0;
};

class TLobbyAreas {
public:
    static constexpr int kMenuAreas = 5;
    static constexpr int kGameKinds = 4;

    explicit TLobbyAreas(TChatform& lobby);
    ~TLobbyAreas();
    TLobbyAreas(const TLobbyAreas&) = delete;
    TLobbyAreas& operator=(const TLobbyAreas&) = delete;

    // The units that fill in the areas; null: none.
    void SetTables(ILobbyTables* tables) { m_tables = tables; }
    // Shows the strip at once when the games view is open.
    void SetPreviews(ILobbyPreviews* previews);
    void SetWeb(ILobbyWeb* web) { m_web = web; }
    ILobbyWeb* Web() const { return m_web; }
    ILobbyPreviews* Previews() const { return m_previews; }

    // Shows the area of the menu tab.
    void Menuclick(TRollover* tab);
    // Selects the menu tab (1..5); other numbers do nothing.
    void SelectMenuTab(int tab);
    int MenuState() const { return m_menuState; }
    // Big-chat mode hides the bar and its area; leaving it shows them again.
    void SetShown(bool shown);
    // A room with a web camera: the first web area with a camera panel that
    // is switched on opens at it, unless the bar is hidden.
    void ShowCameraArea();

    void SetCurrentGame(int kind);
    int CurrentGame() const { return m_currentGame; }
    // The game whose running tables the preview area lists (1 or 2).
    void ChoosePreviewGame(int kind);
    int PreviewGame() const { return m_previewGame; }

    // Elements.
    TBar* MenuBar() const { return m_menuBar.get(); }
    TBar* GamesBar() const { return m_gamesBar.get(); }
    // The game tables of the four kinds (the head of their chain).
    TGame* Tables() const { return m_games.get(); }
    // "menu1-2", "menu1", "menu2", "menu3", "menu5", "menu6".
    TMyimage* AreaImage(const std::string& name) const;
    TGlide* PointsMenu(int kind) const;
    TGlide* GameChooser() const { return m_gameChooser.get(); }
    TRollover* GameButton(int kind) const;
    TRollover* OptionButton() const { return m_option.get(); }
    TRollover* CreateButton() const { return m_create.get(); }
    TRollover* JoinButton() const { return m_join.get(); }
    TRollover* DelButton() const { return m_del.get(); }
    TRollover* JoinJaButton() const { return m_joinJa.get(); }
    TRollover* Top100Button() const { return m_top100.get(); }

private:
    std::unique_ptr<TRollover> MakeButton(const std::string& element, void (TLobbyAreas::*action)());
    void CreateMenuBar();
    void CreateAreaImages();
    void CreateGameArea();
    void CreateTableActions();
    void CreateTables();
    void GameTabSelected(TRollover* tab);
    void LeaveArea(int area);
    void EnterArea(int area);
    void ShowAreaImages(int area, bool show);
    void GameHelpOnce();
    void OpenGameChooser();
    void CreateClicked();
    void PointsChosen(int kind, const TRollover& item);
    void JoinClicked();
    void DelClicked();
    void JoinJaClicked();
    void Top100Clicked();
    void OptionClicked();

    TChatform& m_lobby;
    std::unique_ptr<TRollover> m_option;
    std::unique_ptr<TBar> m_menuBar, m_gamesBar;
    std::vector<std::unique_ptr<TMyimage>> m_areaImages;
    std::array<std::unique_ptr<TRollover>, kGameKinds> m_gameButtons;
    std::unique_ptr<TGlide> m_gameChooser;
    std::unique_ptr<TRollover> m_create, m_join, m_del, m_joinJa, m_top100;
    std::array<std::unique_ptr<TGlide>, kGameKinds> m_pointsMenus;
    std::unique_ptr<TGame> m_games;

    ILobbyTables* m_tables = nullptr;
    ILobbyPreviews* m_previews = nullptr;
    ILobbyWeb* m_web = nullptr;
    int m_menuState = 0;
    int m_currentGame = 1;
    int m_previewGame = 1;
};
