// The lobby window's test skin, shared by the lobby tests and the
// end-to-end tests: every image of TChatform in one pack (and the one whose
// name is too long for a pack member as a loose file), the block fonts
// "font1" and "font99", and the window's layout lines and texts.
//
// Layout: window 400 × 300; room tabs 40 × 10 at y 20 (4 per bar, 72 pixels
// each, the first at x 6 + 16); the chat text list at (0, 35), 250 wide;
// the rooms' user lists at x 260; the lobby user list at (0, 170).
//
// A fixture that needs more (other windows' images and lines, more glyphs,
// more fonts) adds to the members before it writes them.
#pragma once

#include <initializer_list>
#include <string>

#include "controls/SkinFixture.h"
#include "lobby/UserIcons.h"

namespace lobbytest {

struct TLobbySkin {
    // "font1" holds letters, digits, the lobby's punctuation and `glyphs`
    // (two pixels wide each).
    explicit TLobbySkin(std::initializer_list<uint8_t> glyphs = {}) {
        using namespace skintest;
        auto solid = [&](gfxtest::Members& to, const std::string& name, int w, int h, uint16_t colour) {
            to.push_back({name, gfxtest::SolidGiz(w, h, colour)});
        };
        auto button = [&](const std::string& name, int w, int h) {
            solid(pack, name + "on", w, h, kGreen);
            solid(pack, name + "of", w, h, kBlue);
        };
        letters = Alphanumerics(4);
        for (uint8_t c : {':', '~', '>', '/', '!', '.', '?', '#', '\'', '-'}) letters[c] = 2;
        for (uint8_t c : glyphs) letters[c] = 2;
        pack.push_back({"font1", BlockFont(6, 2, letters, kWhite)});
        pack.push_back({"font99", BlockFont(6, 2, {{'!', 3}, {'A', 4}, {200, 4}}, kRed)});
        for (const char* name : {"Chat", "Big"}) solid(pack, name, 400, 300, kGrey);
        for (const char* name : {"Close", "Minimi", "Symbol", "Option", "Tumbli", "Bg", "Puzzle", "Yatzy",
                                 "create", "join", "Del", "joinJa", "Top100", "Chatof", "Chaton", "Info",
                                 "Rum21", "Ignore", "Perdel", "Tris", "Gam", "Gampoi", "Tumpoi", "Puzpoi",
                                 "Yatpoi", "Barle", "Barrig"})
            button(name, 6, 10);
        for (int n = 1; n <= 5; ++n) button("Menu" + std::to_string(n), 40, 10);
        for (const char* name : {"Person", "Forum", "Public", "Blink"}) button(name, 40, 10);
        for (const char* name : {"menu1-2", "menu1", "menu2", "menu3", "menu5", "menu6"})
            solid(pack, name, 20, 20, kYellow);
        for (const std::string& name : UserIconNames()) solid(pack, name, 8, 8, kRed);
        for (const char* name : {"Glide", "Glidegammon", "Glidepuzzle", "GlideYatzy"})
            solid(pack, name, 200, 200, kGrey);
        solid(pack, "Symbol", 60, 60, kGrey);
        solid(pack, "cur00001", 1, 6, kBlue);
        for (const char* name : {"Listupon", "Listupof", "Listdoon", "Listdoof", "Listbar"})
            solid(pack, name, 8, 10, kYellow);
        // Too long a name for a pack member; loose files are looked up by
        // their lower-case name.
        solid(loose, "glidetumblix", 200, 200, kGrey);
    }

    skintest::TWidths letters;
    gfxtest::Members pack;
    gfxtest::Members loose;

    static constexpr char kSettings[] =
        "[Chat]\nRooms=0,20,300,4,font1\nRoomsbig=0,40,300,4,font1\nMenu=0,150,300,5\n"
        "Chat=font1,0,35,100,0\nChatcolwidths=250\nChatbig=font1,0,55,200,0\n"
        "Chatbigcolwidths=380\nChatusers=font1,260,35,100,10\nChatuserscolwidths=100\n"
        "Users=font1,0,170,100,10\nUserscolwidths=100,20\n"
        "Chatedit=font1,0,280,250\nChateditbig=font1,0,285,300\nSymbol=300,280\n"
        "GamesCreatedbar=0,110,200,4,font1\nGamesCreated=font1,0,200,60,10\n"
        "GamesCreatedcolwidths=40,20,20\nGamesCreated2=font1,0,200,60,10\n"
        "GamesCreated2colwidths=60,20,20\nGamesJoin=font1,100,200,60,10\nGamesJoincolwidths=40,20\n"
        "Games=font1,200,200,60,10\nGamescolwidths=20,10,20,10,20,10,20,10\n"
        "create=300,200\nDel=300,200\njoin=300,215\njoinJa=300,230\nTop100=300,245\n"
        "[Charselect]\nList=5,5,30,20,0\n";
    // Ends inside [en-Chat], so a fixture may append keys of that section.
    static constexpr char kTexts[] =
        "[en-Text]\nLogoff={1} left\nLogon={1} is back\nEntering=Welcome to {1}\n"
        "Entering1=Private with {1}\nEntering2=Forum {1}\nClosed={1} closed\n"
        "Private=Private {1}\nForum=Forum {1}\nClosing=Leave {1}\n"
        "[en-Message]\nignore=Ignoring {1}\nnoignore=Not ignoring {1}\n"
        "[en-Chat]\nMenu=Tables,Previews,Users,Web1,Web2\n";
};

}  // namespace lobbytest
