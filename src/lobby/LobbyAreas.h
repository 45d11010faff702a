// The parts of the lobby window that other lobby units fill in: the game
// tables of areas 1 and 2, the preview strip of area 2, and the web areas,
// banners and web windows. The lobby owns its menu bar and decides when an
// area is shown; each unit implements its interface here and registers with
// TChatform (SetTables, SetPreviews, SetWeb). While a unit is not
// registered its area shows only its background and its actions do
// nothing.
#pragma once

#include <string>

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
