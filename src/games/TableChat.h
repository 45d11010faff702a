// TTableChat: the chat of a game table inside its window: the entry
// "Chatedit" (200 characters), the view "Chat" (one room, no user list;
// system lines in the colour "Systemcolor" of the window's section), the
// sent-line history, and the symbol picker ("Font99") behind the button
// prefix + "_Symbol".
//
// Keys, handed over by the window's key preview (Keys returns true for the
// ones it took): Enter sends the entry's line through OnSend, unless it is
// "/dumpchat" in any letter case, which writes every line of the view,
// without markup, to the dump file in the program's folder; Up and Down walk
// the history; Page Up and Page Down scroll the view; Alt+S opens the
// picker; Alt with a digit 1..9 (without Ctrl) calls OnRoomKey, which the
// start-up wiring connects to the lobby's rooms.
//
// Lines from the server arrive as "alias~>text"; the view shows them as
// "alias: text" so the name takes its colour. A line from a sender the
// lobby ignores is dropped.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "games/SentLines.h"

class TChat;
class TCharselect;
class TForm;
class TMyedit;
class TRollover;

class TTableChat {
public:
    static constexpr int kMaxLength = 200;
    static constexpr int kRoomId = 1;
    static constexpr char kDumpCommand[] = "/dumpchat";
    // The colour of the picker's symbols in the entry.
    static constexpr int kSymbolColour = 99;

    // prefix: the game's element prefix ("4"); dumpFile: the file name.
    TTableChat(TForm& window, const std::string& section, const std::string& prefix,
               const std::string& dumpFile);
    ~TTableChat();
    TTableChat(const TTableChat&) = delete;
    TTableChat& operator=(const TTableChat&) = delete;

    // Empties the view (and keeps the history).
    void Clear();
    // A system line: the text "key" of the window's section, filled.
    void AddSystemLine(const std::string& key, const std::string& arguments = "");
    // A table chat line from the server with its two display bytes.
    void AddServerLine(const std::string& text, int nameColour, int textColour);
    // Shows the entry and focuses it (when the table begins).
    void ShowEntry();
    // The symbol button; the entry waits for ShowEntry.
    void Show();
    void Hide();

    bool Keys(int key, unsigned shift);
    void OpenPicker();
    void Dump() const;

    // Every line of the view, without markup.
    std::vector<std::string> Lines() const;
    TMyedit* Entry() const { return m_entry.get(); }
    TCharselect* Picker() const { return m_picker.get(); }
    TRollover* SymbolButton() const { return m_symbol.get(); }
    const TSentLines& History() const { return m_history; }

    // A line to send (the entry's text with its colour codes).
    std::function<void(const std::string& line)> OnSend;
    // Alt + n: true when the lobby switched to its room n.
    std::function<bool(int room)> OnRoomKey;

private:
    void Submit();
    void Browse(bool back);
    void Scroll(bool up);

    TForm& m_window;
    std::string m_section;
    std::string m_dumpFile;
    int m_systemColour = 0;
    std::unique_ptr<TChat> m_view;
    std::unique_ptr<TMyedit> m_entry;
    std::unique_ptr<TRollover> m_symbol;
    std::unique_ptr<TCharselect> m_picker;
    TSentLines m_history;
};
