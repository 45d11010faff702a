// TInfoform: the user information window: a user's name, last logon date
// and time, logon count and ping, and per game the place, the score, the
// games played and three bar columns for the games won, lost and dropped.
//
// The server's code 47 fills it (ShowUserInfo) and shows it modally; a
// second code 47 while it is up only refreshes it. Showing the window shows
// game 1 with only its game button; each game button opens the game
// chooser, and choosing a game shows that game's button and figures. The
// columns take the games played as their full height, so a user who never
// played a game shows three empty columns. "iClose" closes the window.
//
// Skin: section "Info"; the columns are the image "Column", placed at the
// six numbers of "Info"/"Columns" (x and y of each column).
#pragma once

#include <array>
#include <memory>
#include <string>

#include "controls/Form.h"
#include "net/SessionWindows.h"

class TColumn;
class TGlide;
class TRollover;
class TText;

class TInfoform : public TForm, public IInfoWindow {
public:
    static constexpr char kPainter[] = "Info";
    static constexpr char kSection[] = "Info";
    static constexpr int kGames = 4;
    // Won, lost, dropped.
    static constexpr int kColumns = 3;

    // Registers itself as SessionWindows().Info.
    TInfoform();
    ~TInfoform() override;

    // IInfoWindow.
    void ShowUserInfo(const TUserInfo& info) override;

    // Shows game 1..4 (others are ignored).
    void ShowGame(int game);
    int ShownGame() const { return m_game; }

    // The value labels by key ("Name", "Date", "Time", "Logincountvalue",
    // "Pingvalue", "Placevalue", "Scorevalue", "Gamesvalue", "GameName");
    // null for another key.
    TText* Value(const std::string& key) const;
    TColumn* Column(int index) const { return m_columns[static_cast<size_t>(index)].get(); }
    // By game 1..4.
    TRollover* GameButton(int game) const { return m_gameButtons[static_cast<size_t>(game - 1)].get(); }
    TGlide* Chooser() const { return m_chooser.get(); }
    TRollover* CloseButton() const { return m_close.get(); }

protected:
    void FormShow() override;

private:
    void CreateLabels();
    void CreateChooser();
    void CreateColumns();
    void OpenChooser();
    void SetValue(const std::string& key, const std::string& text);

    std::array<std::unique_ptr<TText>, 8> m_fixedLabels;
    std::array<std::unique_ptr<TText>, 9> m_values;
    std::unique_ptr<TRollover> m_close;
    std::array<std::unique_ptr<TRollover>, kGames> m_gameButtons;
    // Freed before the buttons' surface like every control; the popup has
    // its own.
    std::unique_ptr<TGlide> m_chooser;
    std::array<std::unique_ptr<TColumn>, kColumns> m_columns;
    std::array<TGameStatistics, kGames> m_statistics{};
    int m_game = 1;
};
