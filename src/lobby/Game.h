// TGame: the lobby's model and view of the game tables of every kind: the
// open tables, the join requests that reach the user's own table, the
// games now running, and the five table buttons.
//
// The kinds form a chain of nodes ended by an empty sentinel (a node whose
// caption is empty). The lobby holds the head; every operation that takes a
// kind walks the chain to the node of that kind, and stops at the sentinel
// without effect when no node has it, so a kind from the wire never needs
// checking here.
//
// All state comes from the server: rows appear and vanish only with its
// announcements (11/12 tables, 16 join requests, 78/84 running games); the
// client never adds a table on its own. Whether the own table is listed
// (0x01, kind + 37 and the own alias, in any letter case, in the first cell
// of the "Created" list) decides the layout, the buttons and the 120 s
// timer.
//
// The five buttons, the games tab bar and the two panels are the lobby's;
// the chain moves them between the panels and shows or hides them. The
// "Created" and join lists stand on the own-table panel, "Created2" on the
// no-table panel; the running-games list on the lobby window itself.
#pragma once

#include <memory>
#include <string>

#include "controls/Multilist.h"
#include "lobby/LobbyAreas.h"
#include "net/SessionWindows.h"

class TBar;
class TMyimage;
class TMyimagelist;
class TMyTimer;
class TRollover;

// The lobby's elements every kind shares; none is owned by the chain.
struct TTableControls {
    TRollover* Create = nullptr;  // "create"
    TRollover* Join = nullptr;    // "join"
    TRollover* Del = nullptr;     // "Del"
    TRollover* JoinJa = nullptr;  // "joinJa"
    TRollover* Top100 = nullptr;  // "Top100"
    TMyimage* FreePanel = nullptr;  // the panel without an own table
    TMyimage* OwnPanel = nullptr;   // the panel with an own table
    TMyimagelist* Icons = nullptr;  // the kind icons of the open tables
};

class TGame : public ITablesView, public ILobbyTables {
public:
    // The table timer's interval: an unstarted own table lives this long.
    static constexpr int64_t kTableTimeoutMs = 120000;
    // The kind icon of an open table is frame kind + 37 of the icon list.
    static constexpr int kKindIconBase = 37;

    // The head of a chain with only its sentinel. The running-games lists
    // report clicks to onGameClick with owner as the click owner.
    TGame(TMygfx* window, TMultilist::TClickEvent onGameClick, const void* owner);
    ~TGame() override;
    TGame(const TGame&) = delete;
    TGame& operator=(const TGame&) = delete;

    // Fills the first sentinel with this kind and appends a new sentinel.
    void Setup(int kind, const std::string& name, const TTableControls& controls,
               const std::string& keyPrefix, const std::string& section, TBar* tabBar,
               int maxPlayers, int minPlayers);

    // ITablesView: the server's announcements.
    void AddTable(const TTableOpened& table) override;
    void RemoveTable(int kind, const std::string& creator) override;
    void AddJoinRequest(const TJoinRequest& request) override;
    void RemoveJoinRequest(int kind, const std::string& joiner) override;
    void ClearJoinRequests(int kind) override;
    void AddRunningGame(const TRunningGame& game) override;
    void RemoveRunningGame(const std::string& player) override;

    // ILobbyTables: the lobby's areas 1 and 2, by kind.
    void ShowTables(int kind) override;
    void HideTables() override;
    void ShowGames(int kind) override;
    void HideGames() override;
    std::string SelectedCreator() const override;
    std::string ChosenJoiners() const override;

    // By caption (empty: the tab bar's current caption for the tables, the
    // first kind for the running games).
    void ShowTablesByCaption(const std::string& caption);
    void ShowGamesByCaption(const std::string& caption);

    // The own table's time-out; public for the timer and the tests.
    void TableTimeout();
    void UpdateButtons();

    // The kind of the first node whose running-games list or one of whose
    // open-tables lists is visible; 0 when none is.
    int ShownKind() const;
    // The running-games list of the n-th node (from 0), or null.
    TMultilist* GamesList(int n) const;
    // A cell of the selected row of the visible running-games list.
    std::string SelectedGameCell(int column) const;
    int ChosenCount() const;
    std::string KindCaption(int kind) const;

    // The node of a kind, or null; for the lobby and the tests.
    const TGame* Node(int kind) const;
    TMultilist* CreatedList() const { return m_created.get(); }
    TMultilist* Created2List() const { return m_created2.get(); }
    TMultilist* JoinList() const { return m_join.get(); }
    TMyTimer* TableTimer() const { return m_timer.get(); }
    int Kind() const { return m_kind; }
    int MaxPlayers() const { return m_maxPlayers; }

    // Where the chain's messages go (0x0C on the time-out); the lobby sets it.
    std::function<void(const std::string& message)> Sender;
    // The help box shown once for the first own table; the lobby decides
    // whether help is on.
    std::function<bool()> HelpWanted;

private:
    bool IsSentinel() const { return m_caption.empty(); }
    TGame* NodeOf(int kind);
    TGame* NodeByCaption(const std::string& caption);
    TGame* VisibleTablesNode();
    const TGame* Head() const { return m_head ? m_head : this; }

    // GameLists.cpp: rows and cells.
    static bool IsOwnAlias(const std::string& alias);
    bool IsOwnRow(int row) const;
    // The row of the creator's table (letter case aside), or -1.
    int TableRow(const std::string& alias) const;
    std::string TableKey(const std::string& alias) const;
    bool HasOwnTable() const;
    bool TablesVisible() const;
    void AppendTableRow(TMultilist& list, const TTableOpened& table);
    int JoinRow(const std::string& alias) const;
    bool Chosen(int row) const;
    void SetChosen(int row, bool chosen);
    void JoinListClick();
    void TablesClick(TMultilist* clicked);

    // Game.cpp: layout.
    void ShowOnPanel(bool ownTable);
    void HideOwnLists();
    void CreateLists(const std::string& keyPrefix, const std::string& section);
    void SendMessage(const std::string& message);

    TGame* m_head = nullptr;  // null in the head itself
    std::unique_ptr<TGame> m_next;
    TMygfx* m_window;
    TMultilist::TClickEvent m_onGameClick;
    const void* m_owner;

    int m_kind = 0;
    int m_minPlayers = 2;
    int m_maxPlayers = 2;
    std::string m_section, m_keyPrefix, m_caption;
    TBar* m_tabBar = nullptr;
    TTableControls m_controls;
    std::unique_ptr<TMultilist> m_created, m_created2, m_join, m_games;
    std::unique_ptr<TMyTimer> m_timer;
    bool m_helpShown = false;
};
