// TChatroom: one room of a chat view: its tab key and kind, its text list,
// its user list (none for kind 5) and the raw chat messages it was given,
// kept so the text can be wrapped again when the layout changes.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "controls/Multilist.h"

class TChatroom {
public:
    // Raw messages kept per room; the text list holds as many lines.
    static constexpr int kMaxMessages = 500;
    // The kind of room without a user list.
    static constexpr int kNoUsers = 5;

    TChatroom(int id, int kind, int value, const std::string& caption)
        : m_id(id), m_kind(kind), m_value(value), m_caption(caption) {}

    int Id() const { return m_id; }
    int Kind() const { return m_kind; }
    int Value() const { return m_value; }
    void SetValue(int value) { m_value = value; }
    const std::string& Caption() const { return m_caption; }
    TMultilist* Text() const { return m_text.get(); }
    TMultilist* Users() const { return m_users.get(); }
    bool UsersFrozen() const { return m_usersFrozen; }
    void FreezeUsers() { m_usersFrozen = true; }
    const std::deque<std::string>& RawMessages() const { return m_raw; }
    // A list of the owner's own, kept with the room.
    std::vector<std::string>& OwnerLines() { return m_ownerLines; }

    void SetText(std::unique_ptr<TMultilist> text) { m_text = std::move(text); }
    void SetUsers(std::unique_ptr<TMultilist> users) { m_users = std::move(users); }
    // Keeps at most kMaxMessages, dropping the oldest first.
    void StoreRaw(const std::string& raw) {
        if (static_cast<int>(m_raw.size()) >= kMaxMessages) m_raw.pop_front();
        m_raw.push_back(raw);
    }
    // Empties the text list and the raw messages, so a new wrap brings
    // nothing back.
    void ClearText() {
        m_raw.clear();
        if (m_text) m_text->Clear();
    }
    void ShowLists() {
        if (m_text) m_text->Show();
        if (m_users) m_users->Show();
    }
    void HideLists() {
        if (m_text) m_text->Hide();
        if (m_users) m_users->Hide();
    }

private:
    int m_id;
    int m_kind;
    int m_value;
    std::string m_caption;
    std::unique_ptr<TMultilist> m_text;
    std::unique_ptr<TMultilist> m_users;
    bool m_usersFrozen = false;
    std::deque<std::string> m_raw;
    std::vector<std::string> m_ownerLines;
};
