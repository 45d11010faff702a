// TGalleryShots: the gallery's headless run. It walks through the controls
// on virtual time, with the pointer and keys a person would use, and writes
// what the screen shows at each stop as a PNG: the gallery window with every
// popup window (the glide menu, the symbol picker) drawn over it where it
// stands.
//
// Stops: "1-initial", "2-after-12s" (chat lines arrived, the count-down
// ticked, the marquee under the pointer), "3-glide-open", "4-symbols-open"
// and "5-list-sorted" (sorted by players, a table and a user selected, a
// button lit).
// A stop whose control the skin left out is shot all the same.
#pragma once

#include <string>
#include <vector>

class TGalleryform;
class TMultilist;

namespace platform::headless {
class TWindow;
}

class TGalleryShots {
public:
    TGalleryShots(TGalleryform& form, std::string outDir);

    // False with a message when a file could not be written.
    bool Run(std::string& error);
    // The files written, in order.
    const std::vector<std::string>& Written() const { return m_written; }

private:
    platform::headless::TWindow& Main() const;
    // Hands every pending paint of every window to the screen.
    void Settle();
    bool Shoot(const std::string& name, std::string& error);
    // Pointer and mouse on the gallery window, at window coordinates.
    void Hover(int x, int y);
    void Click(int x, int y);
    void ClickRow(const TMultilist& list, int row);
    void Type(const std::string& text);

    void OpenMenuAndChoose(std::string& error, bool& ok);
    void PickSymbol(std::string& error, bool& ok);
    void SortTables();

    TGalleryform& m_form;
    std::string m_outDir;
    std::vector<std::string> m_written;
};
