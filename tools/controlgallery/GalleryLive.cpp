// The gallery's live data (chat lines, tables, users, the ticking gauges)
// and its answers to the user.
#include "Galleryform.h"

#include "controls/Bar.h"
#include "controls/Charselect.h"
#include "controls/Chat.h"
#include "controls/Check.h"
#include "controls/Column.h"
#include "controls/Countdown.h"
#include "controls/Glide.h"
#include "controls/Keys.h"
#include "controls/Multilist.h"
#include "controls/Myedit.h"
#include "controls/Progress.h"
#include "controls/Rollover.h"
#include "controls/Text.h"
#include "platform/Platform.h"
#include "shell/MyTimer.h"

namespace {

// Colour numbers of the skin's colour fonts ("font" + n).
enum TColour { kWhite = 0, kInk = 1, kMist = 2, kTeal = 3, kAmber = 4, kRose = 5, kLeaf = 6,
               kSky = 7, kViolet = 8, kPeach = 9, kLemon = 10, kMint = 11, kPink = 12,
               kSteel = 13, kSymbols = 99 };

struct TChatLine {
    int nameColour;
    const char* text;  // Windows-1252, with the chat's colour codes
    int textColour;
};

// What the first room hears, over and over. Byte 1, 252, n colours what
// follows (255: back to the text colour); "\x01\xFC\x63" is the symbol font.
constexpr TChatLine kScript[] = {
    {kTeal, "Mira: hi everyone, anyone up for a game of Yatzy?", kInk},
    {kAmber, "Tobias: hello Mira! Give me two minutes", kInk},
    {kLeaf, "Leaf: the new tables look great", kInk},
    {kMist, ": Quizmaster opened table 7 (Backgammon, 5 points)", kMist},
    {kSky, "Sky: this is a long line that has to wrap inside the chat view: the lines after "
           "the first are indented by thirty-five pixels so that the speaker's name stands out "
           "on the left, and the words break at the blanks between them", kInk},
    {kViolet, "Violet: colours inside a line: \x01\xFC\x05rose\x01\xFC\xFF, \x01\xFC\x06leaf"
              "\x01\xFC\xFF, \x01\xFC\x0Alemon\x01\xFC\xFF and back to ink", kInk},
    {kPeach, "Peach: symbols too \x01\xFC\x63" "ABCDEF" "\x01\xFC\xFF and on we go", kInk},
    {kRose, "Rose~>Mira: a whisper, with a long prefix that still counts as the speaker", kInk},
    {kPink, "Pink: Averyveryverylongwordwithoutanyblanksthatcannotbreakanywhereandsoitiscut"
            "justwhereitoverflowsthewidthoftheview", kInk},
    {kMint, "Mint: accents and signs: caf\xE9, na\xEFve, M\xFCller, 25 \x80, \xABquoted\xBB, "
            "1\xBD \x97 all Windows-1252", kInk},
    {kLemon, "Lemon: gg!", kInk},
    {kSteel, "Steel: see you later", kMist},
};

struct TUserSeed {
    const char* name;
    int icon;  // 1 ... 41, the lobby's icon numbers
};
constexpr TUserSeed kUsers[] = {
    {"Ann", 7},    {"Bob", 10},   {"Mira", 1},   {"Tobias", 11}, {"Leaf", 3},
    {"Sky", 12},   {"Violet", 2}, {"Peach", 14}, {"Rose", 19},   {"Pink", 20},
    {"Mint", 26},  {"Lemon", 27}, {"Steel", 38}, {"Quizmaster", 37},
};

// Game tables: name, players, points, state. The fifth is a formatted cell
// in amber, the sixth too wide for its column, so it slides under the
// pointer.
constexpr const char* kTables[][4] = {
    {"Mira's Yatzy", "3/4", "5", "waiting"},
    {"Quick Tumblix", "1/2", "3", "waiting"},
    {"Backgammon pros", "2/2", "7", "playing"},
    {"Puzzle party", "2/2", "1", "playing"},
    {"\x01\xFF\x01\xFC\x04Tournament final", "2/2", "11", "playing"},
    {"Night owls' table with a long name", "1/2", "5", "waiting"},
    {"beginners welcome", "1/4", "1", "waiting"},
    {"Zed's dice", "4/4", "3", "playing"},
    {"Bubbles", "2/2", "2", "playing"},
    {"Gammon school", "1/2", "9", "waiting"},
    {"Falling blocks", "2/2", "5", "playing"},
    {"anna's table", "2/4", "2", "waiting"},
    {"Yatzy for four", "4/4", "1", "playing"},
    {"Late night puzzle", "1/2", "3", "waiting"},
    {"Doubles only", "2/2", "7", "playing"},
    {"\xCBlite", "1/2", "11", "waiting"},
    {"Practice", "1/2", "1", "waiting"},
    {"Tumblix ladder", "2/2", "5", "playing"},
    {"cube and coffee", "2/2", "3", "playing"},
    {"Last table", "1/4", "2", "waiting"},
};

constexpr const char* kFilterStates[] = {"Filter: off", "Filter: friends", "Filter: all"};

// The user who comes and goes while the chat runs.
constexpr char kVisitor[] = "Newcomer";
constexpr int kVisitorIcon = 13;
constexpr size_t kVisitorArrives = 4, kVisitorLeaves = 9;
constexpr size_t kHistoryLines = 3;

}  // namespace

// ---------------------------------------------------------------------------
// The data the window starts with

void TGalleryform::FillChat() {
    if (!m_chat) return;
    for (const TUserSeed& user : kUsers) m_chat->AddUser(1, user.name, user.icon);
    for (size_t i = 0; i < 4; ++i) m_chat->AddUser(2, kUsers[i].name, kUsers[i].icon);
    // Some history, so the first look is not an empty room.
    while (m_nextLine < kHistoryLines) NextChatLine();
    // Private lines in colours other than the list's own make the tabs of
    // rooms 3 (shown) and 11 (beyond the shown tabs) blink.
    m_chat->AddText(3, kPink, "Ann: are you coming to the Yatzy table?", kWhite);
    m_chat->AddText(11, kSky, "Bob: psst, a tournament starts at nine", kWhite);
    m_chat->AddText(2, kLeaf, "Leaf: welcome, newcomers!", kInk);
}

void TGalleryform::FillTables() {
    if (!m_tables) return;
    for (const auto& row : kTables)
        for (const char* cell : row) m_tables->AddCell(cell);
}

void TGalleryform::StartLive() {
    m_chatTimer = std::make_unique<TMyTimer>();
    m_chatTimer->SetInterval(kChatLineMs);
    m_chatTimer->OnTimer = [this](TMyTimer*) { NextChatLine(); };
    m_chatTimer->SetEnabled(true);
    m_gaugeTimer = std::make_unique<TMyTimer>();
    m_gaugeTimer->SetInterval(kGaugeMs);
    m_gaugeTimer->OnTimer = [this](TMyTimer*) { StepGauges(); };
    m_gaugeTimer->SetEnabled(true);
    StepGauges();
    if (!m_countdown) return;
    m_countdown->OnWarning = [this](TCountdown*, int) { Say("The clock shows 0:30: hurry up!"); };
    m_countdown->Start(kCountdownSeconds, kCountdownWarning);
}

// ---------------------------------------------------------------------------
// What runs by itself

void TGalleryform::NextChatLine() {
    if (!m_chat) return;
    const size_t count = std::size(kScript);
    const size_t index = m_nextLine % count;
    const TChatLine& line = kScript[index];
    m_chat->AddText(1, line.nameColour, line.text, line.textColour);
    if (index == kVisitorArrives) m_chat->AddUser(1, kVisitor, kVisitorIcon);
    if (index == kVisitorLeaves) m_chat->RemoveUser(1, kVisitor);
    m_nextLine = index + 1;
}

// The gauge fills over 10 s and starts again; the columns rise and fall out
// of step with each other.
void TGalleryform::StepGauges() {
    const int percent = m_gaugeStep % 101;
    if (m_progress) m_progress->SetPosition(percent);
    if (m_progressText) m_progressText->SetText("UPDATE " + std::to_string(percent) + " %");
    for (size_t i = 0; i < m_columns.size(); ++i) {
        const int phase = (m_gaugeStep * 2 + static_cast<int>(i) * 70) % 200;
        m_columns[i]->SetPosition(phase < 100 ? phase : 200 - phase);
    }
    ++m_gaugeStep;
}

// ---------------------------------------------------------------------------
// Answers

// A system line (no speaker) in the current room.
void TGalleryform::Say(const std::string& line) {
    if (m_chat) m_chat->AddText(0, kSky, ": " + line, kSky);
}

void TGalleryform::SendChatLine() {
    const std::string text = m_chatEntry->TextWithCodes();
    if (text.empty()) return;
    if (m_chat) m_chat->AddText(0, kTeal, "You: " + text, kInk);
    m_chatEntry->SetText("");
}

void TGalleryform::Join() {
    if (!m_tables || m_tables->Selected() < 0) {
        Say("Choose a table in the list first.");
        return;
    }
    Say("You ask to join \"" + m_tables->PlainCell(0, m_tables->Selected()) + "\".");
}

void TGalleryform::Leave() { Say("You are at no table, so there is nothing to leave."); }

// A click on the header cell of the sort column turns the order round: the
// list then sorts descending by exact comparison.
void TGalleryform::SortBy(int column) {
    if (!m_tables) return;
    m_sortAscending = column == m_sortColumn ? !m_sortAscending : true;
    m_sortColumn = column;
    m_tables->SetAscendingIgnoringCase(m_sortAscending);
    m_tables->SetSortColumn(0);
    m_tables->SetSortColumn(column);
}

void TGalleryform::FilterChanged() {
    const int state = m_filter->State();
    if (m_filter->Label() && state >= 0 && state < static_cast<int>(std::size(kFilterStates)))
        m_filter->Label()->SetText(kFilterStates[state]);
}

void TGalleryform::MenuChosen(TRollover* item, int column, int row) {
    Say("Menu: \"" + item->Caption() + "\" (column " + std::to_string(column + 1) + ", row " +
        std::to_string(row + 1) + ").");
}

// Symbols go into the chat line in the symbol font's colour.
void TGalleryform::SymbolPicked(uint8_t code) {
    if (!m_chatEntry) return;
    m_chatEntry->InsertChar(kSymbols, code);
    m_chatEntry->Focus();
}

// ---------------------------------------------------------------------------
// The window's own events

void TGalleryform::FormShow() {
    if (m_chatEntry) m_chatEntry->Focus();
}

bool TGalleryform::FormKeyDown(int key, unsigned) {
    if (key != vk::Escape) return false;
    Close();
    return true;
}

void TGalleryform::FormMouseDown(int button, unsigned, int x, int y) {
    if (button != platform::ButtonLeft || !m_tables) return;
    if (y < m_tables->Y() || y >= m_tables->RowsTop()) return;
    int left = m_tables->X();
    for (int column = 0; column < m_tables->Columns(); ++column) {
        const int width = m_tables->ColumnWidth(column);
        if (x >= left && x < left + width) {
            SortBy(column + 1);
            return;
        }
        left += width;
    }
}

bool TGalleryform::HeaderCentre(int column, int& x, int& y) const {
    if (!m_tables || !m_tables->HasHeader() || column < 0 || column >= m_tables->Columns())
        return false;
    int left = m_tables->X();
    for (int c = 0; c < column; ++c) left += m_tables->ColumnWidth(c);
    x = left + m_tables->ColumnWidth(column) / 2;
    y = m_tables->Y() + m_tables->HeaderHeight() / 2;
    return true;
}
