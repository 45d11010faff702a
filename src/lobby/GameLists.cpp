// TGame: the rows of the three table lists and the running games, and the
// clicks on them. First cells carry the in-cell image marker (byte 1, then
// the frame): the kind icon (kind + 37) before a creator, frame 1 (not
// chosen) or 2 (chosen) before a joiner. Lookups by alias compare the whole
// first cell, marker included.
#include "controls/MsgBoxes.h"
#include "controls/Multilist.h"
#include "graphics/Sound.h"
#include "lobby/Game.h"
#include "net/Session.h"
#include "resources/StrFuncs.h"
#include "shell/MyTimer.h"

namespace {

constexpr char kMarker = '\x01';
constexpr char kNotChosen = '\x01';
constexpr char kChosen = '\x02';
constexpr char kFieldEnd = '\x01';

// Fills a row up to the list's column count with cells of one blank.
void FillRow(TMultilist& list, int cellsGiven) {
    for (int column = cellsGiven; column < list.Columns(); ++column) list.AddCell(" ");
}

}  // namespace

// Keys ------------------------------------------------------------------------------

std::string TGame::TableKey(const std::string& alias) const {
    return std::string(1, kMarker) + static_cast<char>(m_kind + kKindIconBase) + alias;
}

// The server spells aliases as they were registered, while the session
// keeps the alias as typed: the own one is recognised without regard to
// letter case.
bool TGame::IsOwnAlias(const std::string& alias) { return SameTextAscii(alias, Session().Alias); }

bool TGame::IsOwnRow(int row) const {
    const std::string cell = m_created->Cell(0, row);
    return cell.size() > 2 && cell.compare(0, 2, TableKey("")) == 0 && IsOwnAlias(cell.substr(2));
}

int TGame::TableRow(const std::string& alias) const {
    const std::string marker = TableKey("");
    for (int row = 0; row < m_created->RowCount(); ++row) {
        const std::string cell = m_created->Cell(0, row);
        if (cell.compare(0, marker.size(), marker) == 0 && SameTextAscii(cell.substr(marker.size()), alias)) return row;
    }
    return -1;
}

bool TGame::HasOwnTable() const {
    if (!m_created) return false;
    for (int row = 0; row < m_created->RowCount(); ++row)
        if (IsOwnRow(row)) return true;
    return false;
}

bool TGame::TablesVisible() const { return m_created && (m_created->Visible() || m_created2->Visible()); }

// Open tables -----------------------------------------------------------------------

void TGame::AppendTableRow(TMultilist& list, const TTableOpened& table) {
    list.AddCell(TableKey(table.Creator));
    list.AddCell(table.Text);
    list.AddCell(std::to_string(table.Number));
    FillRow(list, 3);
}

void TGame::AddTable(const TTableOpened& table) {
    TGame* node = NodeOf(table.Kind);
    if (!node) return;
    node->AppendTableRow(*node->m_created, table);
    node->AppendTableRow(*node->m_created2, table);
    if (IsOwnAlias(table.Creator)) {
        if (node->TablesVisible()) {
            ShowTablesByCaption(node->m_caption);
            TGame& head = const_cast<TGame&>(*Head());
            if (!head.m_helpShown && head.HelpWanted && head.HelpWanted()) {
                head.m_helpShown = true;
                MsgBox("Makehelp", "Help", mb::kOk, mb::Ok);
            }
        }
        node->m_timer->SetEnabled(true);
    }
    node->UpdateButtons();
}

void TGame::RemoveTable(int kind, const std::string& creator) {
    TGame* node = NodeOf(kind);
    if (!node) return;
    const bool own = IsOwnAlias(creator);
    if (own) node->m_timer->SetEnabled(false);
    const int row = node->TableRow(creator);
    if (row >= 0) {
        node->m_created->DeleteRow(row);
        node->m_created2->DeleteRow(row);
    }
    if (own && node->TablesVisible()) ShowTablesByCaption(node->m_caption);
    node->UpdateButtons();
}

std::string TGame::SelectedCreator() const {
    const TGame* node = Node(ShownKind());
    if (!node) return "";
    const int row = node->m_created->Selected();
    if (row < 0 || row >= node->m_created->RowCount()) return "";
    std::string cell = node->m_created->Cell(0, row);
    // The marker and the kind icon come first.
    return cell.size() >= 2 ? cell.substr(2) : std::string();
}

// Keeps the selection of both views of the open tables the same.
void TGame::TablesClick(TMultilist* clicked) {
    TMultilist* other = clicked == m_created.get() ? m_created2.get() : m_created.get();
    if (clicked->Selected() >= 0) other->Select(clicked->Selected());
    UpdateButtons();
}

// Join requests -------------------------------------------------------------------

int TGame::JoinRow(const std::string& alias) const {
    const int notChosen = m_join->FindRow(0, std::string(1, kMarker) + kNotChosen + alias);
    return notChosen >= 0 ? notChosen : m_join->FindRow(0, std::string(1, kMarker) + kChosen + alias);
}

bool TGame::Chosen(int row) const {
    const std::string cell = m_join->Cell(0, row);
    return cell.size() >= 2 && cell[1] == kChosen;
}

void TGame::SetChosen(int row, bool chosen) {
    std::string cell = m_join->Cell(0, row);
    if (cell.size() < 2) return;
    cell[1] = chosen ? kChosen : kNotChosen;
    m_join->SetCell(0, row, cell);
}

void TGame::AddJoinRequest(const TJoinRequest& request) {
    TGame* node = NodeOf(request.Kind);
    if (!node || !node->HasOwnTable()) return;
    if (node->JoinRow(request.Joiner) < 0) {
        PlaySound("Join.wav");
        node->m_join->AddCell(std::string(1, kMarker) + kNotChosen + request.Joiner);
        node->m_join->AddCell(std::to_string(request.Number));
        FillRow(*node->m_join, 2);
    }
    node->UpdateButtons();
}

void TGame::RemoveJoinRequest(int kind, const std::string& joiner) {
    TGame* node = NodeOf(kind);
    if (!node) return;
    node->m_join->DeleteRow(node->JoinRow(joiner));
    node->UpdateButtons();
}

void TGame::ClearJoinRequests(int kind) {
    TGame* node = NodeOf(kind);
    if (!node) return;
    node->m_join->Clear();
    node->UpdateButtons();
}

int TGame::ChosenCount() const {
    int count = 0;
    for (int row = 0; row < m_join->RowCount(); ++row) count += Chosen(row) ? 1 : 0;
    return count;
}

std::string TGame::ChosenJoiners() const {
    const TGame* node = Node(ShownKind());
    if (!node) return "";
    std::string joiners;
    for (int row = 0; row < node->m_join->RowCount(); ++row)
        if (node->Chosen(row)) joiners += node->m_join->Cell(0, row).substr(2) + kFieldEnd;
    return joiners;
}

// A two-player kind takes one chosen joiner, Yatzy up to three.
void TGame::JoinListClick() {
    const int row = m_join->Selected();
    if (row < 0 || row >= m_join->RowCount()) return;
    if (Chosen(row))
        SetChosen(row, false);
    else if (ChosenCount() < m_maxPlayers - 1)
        SetChosen(row, true);
    m_join->Select(row);
    m_join->RedrawView();
    UpdateButtons();
}

// Running games ---------------------------------------------------------------------

void TGame::AddRunningGame(const TRunningGame& game) {
    TGame* node = NodeOf(game.Kind);
    if (!node) return;
    for (size_t seat = 0; seat < static_cast<size_t>(node->m_maxPlayers); ++seat) {
        const bool listed = seat < game.Players.size();
        node->m_games->AddCell(listed ? game.Players[seat].first : std::string());
        node->m_games->AddCell(listed ? game.Players[seat].second : std::string());
    }
}

void TGame::RemoveRunningGame(const std::string& player) {
    for (TGame* node = m_head ? m_head : this; node && !node->IsSentinel(); node = node->m_next.get()) {
        TMultilist& games = *node->m_games;
        for (int row = 0; row < games.RowCount(); ++row) {
            if (games.Cell(0, row) == player || games.Cell(2, row) == player) {
                games.DeleteRow(row);
                break;
            }
        }
    }
}
