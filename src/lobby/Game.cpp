// TGame: the chain of kinds, the layout of the table areas and the buttons.
// Rows and cells are in GameLists.cpp.
#include "lobby/Game.h"

#include "controls/Bar.h"
#include "controls/Rollover.h"
#include "graphics/Myimage.h"
#include "lobby/ErrorBox.h"
#include "protocol/ClientMessages.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

namespace {

// The tab of a kind is named after the first six letters of its name.
constexpr size_t kTabNameLength = 6;

void SetShown(TRollover* button, bool shown) {
    if (!button) return;
    if (shown)
        button->Show();
    else
        button->Hide();
}

void SetShown(TMygfx* node, bool shown) {
    if (!node) return;
    if (shown)
        node->Show();
    else
        node->Hide();
}

}  // namespace

TGame::TGame(TMygfx* window, TMultilist::TClickEvent onGameClick, const void* owner)
    : m_window(window), m_onGameClick(std::move(onGameClick)), m_owner(owner) {}

// The lists stand on the panels, which are the lobby's: they go first.
TGame::~TGame() {
    m_next.reset();
    m_created.reset();
    m_created2.reset();
    m_join.reset();
    m_games.reset();
}

void TGame::Setup(int kind, const std::string& name, const TTableControls& controls,
                  const std::string& keyPrefix, const std::string& section, TBar* tabBar,
                  int maxPlayers, int minPlayers) {
    if (!IsSentinel()) {
        if (m_next) m_next->Setup(kind, name, controls, keyPrefix, section, tabBar, maxPlayers, minPlayers);
        return;
    }
    m_kind = kind;
    m_minPlayers = minPlayers;
    m_maxPlayers = maxPlayers;
    m_section = section;
    m_keyPrefix = keyPrefix;
    m_caption = GetText(section, name + "name");
    // A missing text would make this node look like the sentinel.
    if (m_caption.empty()) m_caption = name;
    m_tabBar = tabBar;
    m_controls = controls;
    CreateLists(keyPrefix, section);
    m_timer = std::make_unique<TMyTimer>();
    m_timer->SetInterval(kTableTimeoutMs);
    m_timer->OnTimer = [this](TMyTimer*) { Guarded([&] { TableTimeout(); }); };
    if (m_tabBar) m_tabBar->AddTab(name.substr(0, kTabNameLength), m_caption, kind);
    m_next = std::make_unique<TGame>(m_window, m_onGameClick, m_owner);
    m_next->m_head = m_head ? m_head : this;
}

void TGame::CreateLists(const std::string& keyPrefix, const std::string& section) {
    auto tablesClick = [this](TMultilist* sender, int, int, int, TShiftState) {
        Guarded([&] { TablesClick(sender); });
    };
    m_created = std::make_unique<TMultilist>(m_controls.OwnPanel, tablesClick, this, keyPrefix + "Created",
                                             section, 3);
    m_created2 = std::make_unique<TMultilist>(m_controls.FreePanel, tablesClick, this,
                                              keyPrefix + "Created2", section, 3);
    m_join = std::make_unique<TMultilist>(
        m_controls.OwnPanel,
        [this](TMultilist*, int, int, int, TShiftState) { Guarded([&] { JoinListClick(); }); }, this,
        keyPrefix + "Join", section, 2);
    m_games = std::make_unique<TMultilist>(m_window, m_onGameClick, m_owner, keyPrefix, section,
                                           2 * m_maxPlayers);
    m_created->SetIconList(m_controls.Icons);
    m_created2->SetIconList(m_controls.Icons);
}

// Walking the chain ---------------------------------------------------------------

TGame* TGame::NodeOf(int kind) {
    for (TGame* node = this; node; node = node->m_next.get())
        if (node->IsSentinel() || node->m_kind == kind) return node->IsSentinel() ? nullptr : node;
    return nullptr;
}

const TGame* TGame::Node(int kind) const { return const_cast<TGame*>(this)->NodeOf(kind); }

TGame* TGame::NodeByCaption(const std::string& caption) {
    for (TGame* node = this; node && !node->IsSentinel(); node = node->m_next.get())
        if (node->m_caption == caption) return node;
    return nullptr;
}

TGame* TGame::VisibleTablesNode() {
    for (TGame* node = this; node && !node->IsSentinel(); node = node->m_next.get())
        if (node->TablesVisible()) return node;
    return nullptr;
}

int TGame::ShownKind() const {
    for (const TGame* node = this; node && !node->IsSentinel(); node = node->m_next.get())
        if (node->TablesVisible() || node->m_games->Visible()) return node->m_kind;
    return 0;
}

TMultilist* TGame::GamesList(int n) const {
    const TGame* node = this;
    for (int i = 0; i < n && node && !node->IsSentinel(); ++i) node = node->m_next.get();
    return node && !node->IsSentinel() ? node->m_games.get() : nullptr;
}

std::string TGame::SelectedGameCell(int column) const {
    for (const TGame* node = this; node && !node->IsSentinel(); node = node->m_next.get())
        if (node->m_games->Visible()) return node->m_games->Cell(column, node->m_games->Selected());
    return "";
}

std::string TGame::KindCaption(int kind) const {
    const TGame* node = Node(kind);
    return node ? node->m_caption : std::string();
}

// Showing and hiding ------------------------------------------------------------

void TGame::ShowTables(int kind) { ShowTablesByCaption(KindCaption(kind)); }

void TGame::ShowTablesByCaption(const std::string& caption) {
    std::string wanted = caption;
    if (wanted.empty() && m_tabBar) wanted = m_tabBar->CurrentCaption();
    TGame* node = NodeByCaption(wanted);
    if (!node) return;
    HideTables();
    node->ShowOnPanel(node->HasOwnTable());
    if (m_tabBar) {
        m_tabBar->Show();
        int tab = m_tabBar->FindByKey(node->m_kind);
        if (tab >= 0 && tab != m_tabBar->Current()) m_tabBar->Select(tab);
    }
    node->UpdateButtons();
    SetShown(m_controls.Top100, true);
}

// Moves the buttons and the tab bar onto the panel of the layout and shows
// its lists; the buttons themselves are shown by UpdateButtons.
void TGame::ShowOnPanel(bool ownTable) {
    TMyimage* panel = ownTable ? m_controls.OwnPanel : m_controls.FreePanel;
    if (!panel) return;
    panel->Show();
    for (TRollover* button : {m_controls.Create, m_controls.Join, m_controls.Del, m_controls.JoinJa,
                              m_controls.Top100})
        if (button) button->MoveToOwner(panel);
    if (m_tabBar) m_tabBar->MoveToOwner(panel);
    if (ownTable) {
        m_created->Show();
        m_join->Show();
    } else {
        m_created2->Show();
    }
}

void TGame::HideOwnLists() {
    m_created->Hide();
    m_created2->Hide();
    m_join->Hide();
}

void TGame::HideTables() {
    SetShown(m_controls.FreePanel, false);
    SetShown(m_controls.OwnPanel, false);
    if (m_tabBar) m_tabBar->Hide();
    for (TGame* node = m_head ? m_head : this; node && !node->IsSentinel(); node = node->m_next.get())
        node->HideOwnLists();
    for (TRollover* button : {m_controls.Create, m_controls.Join, m_controls.Del, m_controls.JoinJa,
                              m_controls.Top100})
        SetShown(button, false);
}

void TGame::ShowGames(int kind) { ShowGamesByCaption(KindCaption(kind)); }

void TGame::ShowGamesByCaption(const std::string& caption) {
    TGame* head = m_head ? m_head : this;
    const std::string wanted = caption.empty() ? head->m_caption : caption;
    head->HideGames();
    if (TGame* node = head->NodeByCaption(wanted)) node->m_games->Show();
}

void TGame::HideGames() {
    for (TGame* node = m_head ? m_head : this; node && !node->IsSentinel(); node = node->m_next.get())
        node->m_games->Hide();
}

// The buttons ----------------------------------------------------------------------

void TGame::UpdateButtons() {
    if (!TablesVisible()) return;
    const bool own = HasOwnTable();
    if (!own && m_controls.Del && m_controls.Del->Visible()) m_timer->SetEnabled(false);
    SetShown(m_controls.Del, own);
    SetShown(m_controls.Create, !own);
    // No selection is not the own table either.
    const bool joinable = m_created->RowCount() > 0 && !IsOwnRow(m_created->Selected());
    SetShown(m_controls.Join, joinable);
    SetShown(m_controls.JoinJa, ChosenCount() >= m_minPlayers - 1);
}

void TGame::TableTimeout() {
    if (HasOwnTable()) SendMessage(protocol::Build(protocol::TWithdrawTable{m_kind}));
    m_timer->SetEnabled(false);
}

void TGame::SendMessage(const std::string& message) {
    const TGame* head = Head();
    if (head->Sender) head->Sender(message);
}
