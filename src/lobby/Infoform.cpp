#include "lobby/Infoform.h"

#include <string>

#include "controls/Column.h"
#include "controls/Glide.h"
#include "controls/Rollover.h"
#include "controls/Text.h"
#include "graphics/Paint.h"
#include "lobby/ErrorBox.h"
#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

namespace {

constexpr const char* kFixedLabels[] = {"Logincount", "Ping", "Place", "Point", "Games", "Won", "Lost", "dropped"};
constexpr const char* kValueLabels[] = {"Name",      "Date",       "Time",       "Logincountvalue", "Pingvalue",
                                        "Placevalue", "Scorevalue", "Gamesvalue", "GameName"};
constexpr const char* kGameButtons[] = {"Tumbli", "Bg", "Puzzle", "Yatzy"};

struct TChooserItem {
    const char* element;
    const char* textKey;
};
constexpr TChooserItem kChooserItems[] = {
    {"Tris", "Tumblix"}, {"Gam", "Backgammon"}, {"Puz", "Puzzle"}, {"Yat", "Yatzy"}};

constexpr char kColumnElement[] = "Column";

}  // namespace

TInfoform::TInfoform() : TForm(kPainter) {
    CreateLabels();
    m_close = std::make_unique<TRollover>(Paint(), kSection, "iClose", [this](TRollover*) { Close(); });
    m_close->Show();
    CreateChooser();
    CreateColumns();
    SessionWindows().Info = this;
}

TInfoform::~TInfoform() {
    if (SessionWindows().Info == this) SessionWindows().Info = nullptr;
}

void TInfoform::CreateLabels() {
    for (size_t i = 0; i < m_fixedLabels.size(); ++i)
        m_fixedLabels[i] = TText::CreateFromLayout(Paint(), kFixedLabels[i], kSection);
    for (size_t i = 0; i < m_values.size(); ++i) {
        m_values[i] = TText::CreateFromLayout(Paint(), kValueLabels[i], kSection);
        m_values[i]->SetText("");
    }
}

void TInfoform::CreateChooser() {
    for (size_t i = 0; i < m_gameButtons.size(); ++i)
        m_gameButtons[i] = std::make_unique<TRollover>(Paint(), kSection, kGameButtons[i], [this](TRollover*) {
            Guarded([&] { OpenChooser(); });
        });
    m_chooser = std::make_unique<TGlide>(
        Paint(), true, [this](TRollover*, int column, int) { Guarded([&] { ShowGame(column + 1); }); }, 1,
        kGames);
    for (const TChooserItem& item : kChooserItems) m_chooser->AddItem(item.element, item.textKey);
}

// Each column stands at its two numbers of "Columns": x, then y.
void TInfoform::CreateColumns() {
    std::string places = SettingsFile().ReadString(kSection, "Columns", "");
    for (auto& column : m_columns) {
        int32_t x = 0, y = 0;
        if (!ParseInteger(CutField(places), x)) x = 0;
        if (!ParseInteger(CutField(places), y)) y = 0;
        column = std::make_unique<TColumn>(Paint(), kColumnElement, y, x);
        column->Show();
    }
}

void TInfoform::ShowUserInfo(const TUserInfo& info) {
    SetValue("Name", info.Name);
    SetValue("Date", info.Date);
    SetValue("Time", info.Time);
    SetValue("Logincountvalue", info.LoginCount);
    SetValue("Pingvalue", info.Ping);
    m_statistics = info.Games;
    // A second answer while the window waits refreshes what it shows.
    if (Visible()) {
        ShowGame(m_game);
        return;
    }
    ShowModal();
}

void TInfoform::FormShow() { ShowGame(1); }

void TInfoform::ShowGame(int game) {
    if (game < 1 || game > kGames) return;
    for (auto& button : m_gameButtons) button->Hide();
    GameButton(game)->Show();
    m_game = game;
    const TGameStatistics& s = m_statistics[static_cast<size_t>(game - 1)];
    if (TRollover* item = m_chooser->Item(game - 1)) SetValue("GameName", item->Caption());
    SetValue("Placevalue", s.Place);
    SetValue("Scorevalue", s.Score);
    SetValue("Gamesvalue", std::to_string(s.Games));
    const int values[kColumns] = {s.Won, s.Lost, s.Dropped};
    for (size_t i = 0; i < m_columns.size(); ++i) {
        m_columns[i]->SetMaximum(s.Games);
        m_columns[i]->SetPosition(values[i]);
    }
}

void TInfoform::OpenChooser() {
    const TRollover* button = GameButton(m_game);
    m_chooser->Popup(button->X(), button->Y());
}

TText* TInfoform::Value(const std::string& key) const {
    for (size_t i = 0; i < m_values.size(); ++i)
        if (key == kValueLabels[i]) return m_values[i].get();
    return nullptr;
}

void TInfoform::SetValue(const std::string& key, const std::string& text) {
    if (TText* label = Value(key)) label->SetText(text);
}
