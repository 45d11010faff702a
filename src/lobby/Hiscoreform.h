// THiscoreform: the Top-100 window: five lists (all games together, then
// Tumblix, Backgammon, Puzzle, Yatzy) as tabs, a three-column list of the
// places the server sends, and the asking user's own name, score and place.
//
// A tab click while the window is shown clears the list and the three
// labels and asks the server for places 1 to 100 of that list (0x18, the
// list number from 0, "1", "100"); a click while it is hidden sends
// nothing. The answer, code 24, fills the labels and the list
// (ShowHiscores). Showing the window clears the labels and shows the list;
// closing it hides the list; the window closes as soon as it loses the
// focus, like a popup.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "controls/Form.h"
#include "net/SessionWindows.h"

class TBar;
class TMultilist;
class TRollover;
class TText;

class THiscoreform : public TForm, public IHiscoreWindow {
public:
    static constexpr char kPainter[] = "top100";
    static constexpr char kSection[] = "Hiscore";
    // List 0 is all games together, 1..4 the game kinds.
    static constexpr int kLists = 5;
    static constexpr int kFirstPlace = 1, kLastPlace = 100;

    // Registers itself as SessionWindows().Hiscore.
    THiscoreform();
    ~THiscoreform() override;

    // Shows the window at the list (0 all games, 1..4 a game kind; others
    // mean 0) and asks for it.
    void Open(int list);

    // IHiscoreWindow.
    void ShowHiscores(const THiscoreList& list) override;

    // Where the window's messages go; empty: the session's connection.
    std::function<void(const std::string& message)> Sender;

    TMultilist* List() const { return m_list.get(); }
    TBar* GameBar() const { return m_bar.get(); }
    TRollover* OkButton() const { return m_ok.get(); }
    TText* MyName() const { return m_labels[0].get(); }
    TText* MyScore() const { return m_labels[1].get(); }
    TText* MyPlace() const { return m_labels[2].get(); }

protected:
    void FormShow() override;
    void FormClose() override;
    void FormDeactivate() override;

private:
    void CreateTabs();
    void TabSelected(const TRollover* tab);
    void ClearLabels();
    void Send(const std::string& message);

    std::unique_ptr<TMultilist> m_list;
    std::unique_ptr<TRollover> m_ok;
    std::array<std::unique_ptr<TText>, 3> m_labels;
    std::unique_ptr<TBar> m_bar;
};
