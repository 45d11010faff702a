// Set-up of the lobby window tests: the lobby's test skin (LobbySkin.h,
// which also gives the layout), a shown TChatform whose messages are
// collected instead of sent, and helpers for rooms, users and the
// dispatcher's messages.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/Bar.h"
#include "controls/Chat.h"
#include "controls/Multilist.h"
#include "controls/Myedit.h"
#include "controls/Rollover.h"
#include "controls/SkinFixture.h"
#include "lobby/LobbySkin.h"
#include "lobby/Main.h"
#include "lobby/Spam.h"
#include "lobby/UserIcons.h"
#include "net/Dispatcher.h"
#include "net/Session.h"

namespace lobbytest {

using namespace skintest;

constexpr int kKeyEnter = 13;
constexpr int kKeyUp = 38;
constexpr int kKeyDown = 40;

class ChatformTest : public SkinTest {
protected:
    // The session, sockets and spam check on the skin fixture's states.
    TLobbyLayer m_lobbyLayer;

    void SetUp() override {
        SkinTest::SetUp();
        WriteSkin();
        Session().Alias = "Me";
        m_lobby = std::make_unique<TChatform>();
        m_lobby->Sender = [this](const std::string& message) { sent.push_back(message); };
        m_lobby->ShowLobby();
        Loop().ProcessMessages();
    }

    // The lobby ends before what subclasses registered for it (boxes).
    void TearDown() override {
        m_lobby.reset();
        SkinTest::TearDown();
    }

    TChatform& Lobby() { return *m_lobby; }
    platform::headless::TWindow& Win() { return Window(*m_lobby->Paint()); }

    // Server messages through the dispatcher.
    static std::string Word(int n) { return TwoBytes(static_cast<uint16_t>(n)); }
    static void OpenRoom(int kind, int id, const std::string& title, int flags = 0,
                         const std::string& prefix = "Public") {
        Dispatch("\x22" + std::string(1, char(kind)) + Word(id) + char(flags) + title + '\x01' +
                 prefix + '\x01');
    }
    static void Present(int room, int icon, const std::string& name) {
        Dispatch("\x21" + Word(room) + char(icon) + name + '\x01');
    }
    static void Left(const std::string& name) { Dispatch("\x06" + name + '\x01'); }
    static void ChatLine(int room, const std::string& text) {
        Dispatch("\x09" + Word(room) + '\x01' + '\x01' + text + '\x01');
    }

    TChatroom& Room(int id) { return *Lobby().Chat()->Room(Lobby().Chat()->RoomIndex(id)); }
    // The plain text of every line of the room's chat view.
    std::vector<std::string> Lines(int id) {
        std::vector<std::string> lines;
        TMultilist& text = *Room(id).Text();
        for (int row = 0; row < text.RowCount(); ++row) lines.push_back(text.PlainCell(0, row));
        return lines;
    }
    std::string LastLine(int id) {
        std::vector<std::string> lines = Lines(id);
        return lines.empty() ? std::string() : lines.back();
    }
    std::vector<std::string> RoomUsers(int id) {
        std::vector<std::string> users;
        TMultilist& list = *Room(id).Users();
        for (int row = 0; row < list.RowCount(); ++row) users.push_back(list.PlainCell(0, row));
        return users;
    }

    // A left click in the middle of a button, or at x pixels into it.
    void Click(const TRollover& button, int x = -1) {
        const int px = button.X() + (x < 0 ? button.Width() / 2 : x);
        const int py = button.Y() + button.Height() / 2;
        Win().MouseMove(px, py);
        Win().MouseDown(platform::ButtonLeft, px, py);
        Win().MouseUp(platform::ButtonLeft, px, py);
    }
    void Type(const std::string& text) {
        for (char c : text) Win().Char(static_cast<uint8_t>(c));
    }
    void Enter(const std::string& text) {
        Type(text);
        Win().KeyDown(kKeyEnter);
        // Past the spam check's burst rules, so the next line is judged alone.
        Loop().AdvanceMs(5000);
    }
    void Alt(char key) { Win().KeyDown(key, platform::AltKey); }

    std::vector<std::string> sent;

private:
    void WriteSkin();
    std::unique_ptr<TChatform> m_lobby;
};

inline void ChatformTest::WriteSkin() {
    TLobbySkin skin;
    WritePack(skin.pack);
    for (const auto& [name, giz] : skin.loose) WriteLoose(name, giz);
    WriteIni(TLobbySkin::kSettings, std::string(TLobbySkin::kTexts) +
                                        "Tumblixname=Tumblix\nBgname=Backgammon\nPuzzlename=Puzzle\nYatzyname=Yatzy\n");
}

}  // namespace lobbytest
