// Set-up of the lobby window tests: a tiny skin of the lobby's own (every
// image of the window in one pack, blocky fonts), a shown TChatform whose
// messages are collected instead of sent, and helpers for rooms, users and
// the dispatcher's messages.
//
// Layout: window 400 × 300; room tabs 40 × 10 at y 20 (4 per bar, 72 pixels
// each, the first at x 6 + 16); the chat text list at (0, 35), 250 wide;
// the rooms' user lists at x 260; the lobby user list at (0, 170).
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
    void SetUp() override {
        SkinTest::SetUp();
        WriteSkin();
        Session().Alias = "Me";
        m_lobby = std::make_unique<TChatform>();
        m_lobby->Sender = [this](const std::string& message) { sent.push_back(message); };
        m_lobby->ShowLobby();
        Loop().ProcessMessages();
    }
    void TearDown() override {
        m_lobby.reset();
        SpamCheck().Reset();
        Session() = TSession{};
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
    gfxtest::Members pack;
    auto solid = [&](const std::string& name, int w, int h, uint16_t colour) {
        pack.push_back({name, gfxtest::SolidGiz(w, h, colour)});
    };
    auto button = [&](const std::string& name, int w, int h) {
        solid(name + "on", w, h, kGreen);
        solid(name + "of", w, h, kBlue);
    };
    TWidths letters = Alphanumerics(4);
    for (uint8_t c : {':', '~', '>', '/', '!', '.', '?', '#', '\'', '-'}) letters[c] = 2;
    pack.push_back({"font1", BlockFont(6, 2, letters, kWhite)});
    pack.push_back({"font99", BlockFont(6, 2, {{'!', 3}, {'A', 4}, {200, 4}}, kRed)});
    for (const char* name : {"Chat", "Big"}) solid(name, 400, 300, kGrey);
    for (const char* name : {"Close", "Minimi", "Symbol", "Option", "Tumbli", "Bg", "Puzzle",
                             "Yatzy", "create", "join", "Del", "joinJa", "Top100", "Chatof",
                             "Chaton", "Info", "Rum21", "Ignore", "Perdel", "Tris", "Gam",
                             "Gampoi", "Tumpoi", "Puzpoi", "Yatpoi", "Barle", "Barrig"})
        button(name, 6, 10);
    for (int n = 1; n <= 5; ++n) button("Menu" + std::to_string(n), 40, 10);
    for (const char* name : {"Person", "Forum", "Public", "Blink"}) button(name, 40, 10);
    for (const char* name : {"menu1-2", "menu1", "menu2", "menu3", "menu5", "menu6"})
        solid(name, 20, 20, kYellow);
    for (const std::string& name : UserIconNames()) solid(name, 8, 8, kRed);
    for (const char* name : {"Glide", "Glidegammon", "Glidepuzzle", "GlideYatzy"})
        solid(name, 200, 200, kGrey);
    // Too long a name for a pack member.
    Solid("Glidetumblix", 200, 200, kGrey);
    solid("Symbol", 60, 60, kGrey);
    solid("cur00001", 1, 6, kBlue);
    for (const char* name : {"Listupon", "Listupof", "Listdoon", "Listdoof", "Listbar"})
        solid(name, 8, 10, kYellow);
    WritePack(pack);
    WriteIni("[Chat]\nRooms=0,20,300,4,font1\nRoomsbig=0,40,300,4,font1\nMenu=0,150,300,5\n"
             "Chat=font1,0,35,100,0\nChatcolwidths=250\nChatbig=font1,0,55,200,0\n"
             "Chatbigcolwidths=380\nChatusers=font1,260,35,100,10\nChatuserscolwidths=100\n"
             "Users=font1,0,170,100,10\nUserscolwidths=100,20\n"
             "Chatedit=font1,0,280,250\nChateditbig=font1,0,285,300\nSymbol=300,280\n"
             "GamesCreatedbar=0,110,200,4,font1\nGamesCreated=font1,0,200,60,10\n"
             "GamesCreatedcolwidths=40,20,20\nGamesCreated2=font1,0,200,60,10\n"
             "GamesCreated2colwidths=60,20,20\nGamesJoin=font1,100,200,60,10\nGamesJoincolwidths=40,20\n"
             "Games=font1,200,200,60,10\nGamescolwidths=20,10,20,10,20,10,20,10\n"
             "create=300,200\nDel=300,200\njoin=300,215\njoinJa=300,230\nTop100=300,245\n"
             "[Charselect]\nList=5,5,30,20,0\n",
             "[en-Text]\nLogoff={1} left\nLogon={1} is back\nEntering=Welcome to {1}\n"
             "Entering1=Private with {1}\nEntering2=Forum {1}\nClosed={1} closed\n"
             "Private=Private {1}\nForum=Forum {1}\nClosing=Leave {1}\n"
             "[en-Message]\nignore=Ignoring {1}\nnoignore=Not ignoring {1}\n"
             "[en-Chat]\nMenu=Tables,Previews,Users,Web1,Web2\nTumblixname=Tumblix\nBgname=Backgammon\n"
             "Puzzlename=Puzzle\nYatzyname=Yatzy\n");
}

}  // namespace lobbytest
