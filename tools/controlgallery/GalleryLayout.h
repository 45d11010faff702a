// The gallery's own layout over the lobby's background "Chat": its lines in
// settings.ini [Gallery] and its texts in text.ini [<language>-Gallery],
// written into the private copies the gallery loaded (never into the
// shipped files).
//
// The lower panel holds the chat (room tabs, text list, user list) and the
// strip below it the chat line and the symbol button, all where the skin's
// own lobby lines (settings.ini [Chat]) put them when it has them; the upper
// left panel the lobby's menu bar, the sortable table list, the count-down,
// the buttons, the columns and the skin notes; the two banner frames on the
// right the labels and the toggles; the title bar the password entry, the
// gauge, the big-chat toggle and the lobby's minimise and close buttons.
#pragma once

#include <string>

namespace gallery {

// The settings and text section of every gallery element.
inline constexpr char kSection[] = "Gallery";

// Writes the [Gallery] lines and texts.
void WriteLayout();

// A button's line and caption under its element name, so the button reads
// them itself; the role names the place (a stand-in element takes the
// place of the client's own).
void WriteButtonLayout(const std::string& role, const std::string& element);

// The texts of menus and windows that keep theirs in their own section
// (text.ini [<language>-section]); only a text the skin lacks is written,
// and that is reported.
bool WriteTextIfMissing(const std::string& section, const std::string& key,
                        const std::string& text);

// The numbers of a [Gallery] line (missing or bad ones 0).
int LayoutNumber(const std::string& key, int index);

}  // namespace gallery
