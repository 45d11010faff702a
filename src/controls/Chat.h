// TChat: the chat view of the lobby and the game tables: a set of rooms,
// each a tab in the owner's tab bar with a text list and a user list.
//
// AddText wraps a message into the text list's width. A message "name: text"
// draws its prefix (up to and including the first ": ") in the name colour
// and the rest in the text colour; a message starting ": " loses those two
// bytes and has no prefix; a prefix longer than 30 bytes without "~>" is no
// prefix. Colours are numbers of the fonts "font" + n; one the skin lacks
// becomes the text list's own colour, and 1, 252, n codes in the message
// colour what follows (255: the text colour). Continuation lines of a
// message with a prefix are indented by 35 pixels. A room keeps its last 500
// raw messages, and its text list its last 500 lines; SetBig wraps the raw
// messages again into the other layout.
//
// A message in other colours than the list's own, in a room of kind 0 or 1
// whose tab is not the current one, makes the tab blink until the room is
// selected.
//
// User rows are byte 1, the icon number (below 100) and the name, so the
// shared icon list draws the icon; a user added again with another icon ends
// up in one row with the new icon.
//
// Rooms are numbered from 1 in the order added (the tab bar's order); ids
// are the tabs' keys. The chat does not own the tab bar or the icon list.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/Chatroom.h"
#include "controls/Multilist.h"

class TBar;
class TMyimagelist;
class TPaint;

class TChat {
public:
    // The wrapping width is the text list's total width less this.
    static constexpr int kWrapMargin = 4;
    // Continuation lines of a message with a speaker prefix start here.
    static constexpr int kIndent = 35;
    // A longer prefix is no speaker's name (unless it holds "~>").
    static constexpr int kMaxPrefix = 30;
    static constexpr int kMaxLines = TChatroom::kMaxMessages;
    // Rooms of kinds below this blink their tab for new messages.
    static constexpr int kBlinkingKinds = 2;
    static constexpr char kFallbackTab[] = "forum";

    TChat(TPaint* surface, TMultilist::TClickEvent onUserClick, const void* owner, int value,
          const std::string& keyPrefix, const std::string& section, TBar* tabs);
    ~TChat();
    TChat(const TChat&) = delete;
    TChat& operator=(const TChat&) = delete;

    // False when neither the element's nor "forum"'s "on" image exists.
    bool AddRoom(int id, int kind, int value, const std::string& element,
                 const std::string& caption);
    // Into the room of that id, or the current one.
    void AddText(int roomId, int nameColour, const std::string& message, int textColour);
    void AddUser(int roomId, const std::string& name, int icon);
    void RemoveUser(int roomId, const std::string& name);
    void RemoveRoom(int id);
    void SelectRoom(int index);
    void SelectRoomById(int id);
    void FreezeUsers(int id);
    // From 1, or −1.
    int RoomIndex(int id) const;
    // From 1; 0 while there is no room.
    int CurrentRoom() const { return m_current; }
    int RoomCount() const { return static_cast<int>(m_rooms.size()); }
    // From 1; nullptr out of range.
    TChatroom* Room(int index) const;
    void SetBig(bool big);
    bool Big() const { return m_big; }
    // The icons of the user lists created from now on (not owned).
    void SetIconList(TMyimagelist* icons) { m_icons = icons; }

    int Value() const { return m_value; }
    const void* Owner() const { return m_owner; }
    TBar* Tabs() const { return m_tabs; }
    // Another bar that holds the same tabs (it took them over).
    void SetTabs(TBar* tabs) { m_tabs = tabs; }

private:
    // One character of a message to wrap, with its colour.
    struct TChar {
        char ch;
        int colour;
    };

    std::unique_ptr<TMultilist> MakeTextList() const;
    std::unique_ptr<TMultilist> MakeUserList() const;
    TChatroom* FindRoom(int id) const;
    TChatroom* RoomOrCurrent(int id) const;

    // AddText's steps (ChatText.cpp).
    void AddMessage(TChatroom& room, int nameColour, std::string message, int textColour,
                    bool mayBlink);
    int OwnColour(const TMultilist& list) const;
    int CheckedColour(int colour, int ownColour) const;
    static size_t SpeakerPrefix(std::string& message);
    static std::vector<TChar> Colourise(const std::string& message, int textColour);
    std::vector<std::string> Wrap(const TMultilist& list, const std::vector<TChar>& text,
                                  size_t prefixLength, bool indent) const;
    static size_t LineEnd(const std::vector<int>& widths, const std::vector<TChar>& text,
                          size_t start, size_t prefixLength, int room, size_t& next);
    static std::string FormatLine(const std::vector<TChar>& text, size_t from, size_t to,
                                  bool indented);
    static int CharWidth(const TMultilist& list, const TChar& c);
    static void AddLine(TMultilist& list, const std::string& line);
    void Blink(int index);

    TBar* m_tabs;
    bool m_big = false;
    std::vector<std::unique_ptr<TChatroom>> m_rooms;
    TPaint* m_surface;
    std::string m_section;
    std::string m_keyPrefix;
    int m_current = 0;
    TMultilist::TClickEvent m_onUserClick;
    const void* m_owner;
    int m_value;
    TMyimagelist* m_icons = nullptr;
};
