#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <sstream>

#include "FreshStates.h"
#include "FontResource.h"
#include "PngFile.h"
#include "SkinPixels.h"
#include "ToolFiles.h"
#include "ToolRun.h"
#include "platform/headless/Headless.h"
#include "resources/Giz.h"
#include "resources/Inifile.h"
#include "resources/LittleEndian.h"
#include "resources/PackWriter.h"
#include "rules/puzzle/PuzzleLayout.h"

namespace {

namespace fs = std::filesystem;

tooltest::TRun BuildSkin(const std::string& out) {
    return tooltest::Run(QV_SKINBUILDER, {QV_SKIN_SOURCES, out});
}

// Every file below a folder: relative path → bytes.
std::map<std::string, std::vector<uint8_t>> Tree(const std::string& root) {
    std::map<std::string, std::vector<uint8_t>> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::vector<uint8_t> bytes;
        std::string error;
        EXPECT_TRUE(skin::ReadFileBytes(entry.path().string(), bytes, error)) << error;
        files[fs::relative(entry.path(), root).string()] = std::move(bytes);
    }
    return files;
}

class SkinbuilderTest : public ::testing::Test {
protected:
    // The ini readers' write-back timers run on a fresh dispatcher.
    TFreshTimers m_states;

    static void SetUpTestSuite() {
        s_out = tooltest::FreshDir() + "/bin";
        const auto run = BuildSkin(s_out);
        ASSERT_EQ(run.exitCode, 0) << run.output;
        std::vector<uint8_t> pack;
        std::string error;
        ASSERT_TRUE(skin::ReadFileBytes(s_out + "/gfx/data.pac", pack, error)) << error;
        std::vector<TPackEntry> entries;
        ASSERT_TRUE(ReadPackDirectory(pack, entries, error)) << error;
        for (const TPackEntry& e : entries)
            s_members[Lower(e.name)] =
                std::vector<uint8_t>(pack.begin() + e.offset, pack.begin() + e.offset + e.size);
    }

    // The client finds members without regard to case.
    static std::string Lower(std::string name) {
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return name;
    }

    static const std::vector<uint8_t>& Member(const std::string& name) {
        static const std::vector<uint8_t> none;
        auto it = s_members.find(Lower(name));
        return it == s_members.end() ? none : it->second;
    }

    static bool DecodeImage(const std::string& name, skin::TRgbaImage& image) { return Decode(Member(name), image); }

    static bool Decode(const std::vector<uint8_t>& giz, skin::TRgbaImage& image) {
        TGizHeader h;
        if (!GizReadHeader(giz.data(), static_cast<int64_t>(giz.size()), h)) return false;
        std::vector<uint8_t> pixels(static_cast<size_t>(h.width) * h.height * 4);
        if (!GizDecode(giz.data(), static_cast<int64_t>(giz.size()), pixels.data(),
                       static_cast<int64_t>(pixels.size()), 0, 32))
            return false;
        image.Resize(h.width, h.height);
        for (size_t i = 0; i < pixels.size() / 4; ++i)
            skin::DecodedPixelToRgba(pixels.data() + i * 4, 32, image.pixels.data() + i * 4);
        return true;
    }

    static std::string s_out;
    static std::map<std::string, std::vector<uint8_t>> s_members;
};

std::string SkinbuilderTest::s_out;
std::map<std::string, std::vector<uint8_t>> SkinbuilderTest::s_members;

TEST_F(SkinbuilderTest, TwoRunsGiveTheSameBytes) {
    const std::string second = tooltest::FreshDir() + "/bin";
    const auto run = BuildSkin(second);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const auto a = Tree(s_out), b = Tree(second);
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) {
        ASSERT_EQ(b.count(name), 1u) << name;
        EXPECT_TRUE(bytes == b.at(name)) << name << " differs between two runs";
    }
    EXPECT_EQ(a.count("gfx/data.pac"), 1u);
    EXPECT_EQ(a.count("settings.ini"), 1u);
    EXPECT_EQ(a.count("text.ini"), 1u);
}

TEST_F(SkinbuilderTest, PackHoldsTheSplashImagesAndTheFonts) {
    for (const char* name : {"splash", "progon", "font99"}) EXPECT_FALSE(Member(name).empty()) << name;
    for (int n = 0; n <= 15; ++n) EXPECT_FALSE(Member("font" + std::to_string(n)).empty()) << n;

    skin::TRgbaImage splash, bar;
    ASSERT_TRUE(DecodeImage("splash", splash));
    ASSERT_TRUE(DecodeImage("progon", bar));
    EXPECT_GE(splash.width, 400);
    EXPECT_GE(splash.height, 250);
    // A background is drawn opaque: no pixel of it is the transparent 0.
    for (size_t i = 0; i < splash.pixels.size(); i += 4) ASSERT_EQ(splash.pixels[i + 3], 255) << i / 4;
    // The bar is transparent outside its rounded ends only.
    EXPECT_EQ(bar.At(0, 0)[3], 0);
    EXPECT_EQ(bar.At(bar.width / 2, bar.height / 2)[3], 255);
}

TEST_F(SkinbuilderTest, ProgressBarSitsInsideTheSplash) {
    platform::headless::InstallFresh();
    TInifile settings(s_out + "/settings.ini");
    const std::string progress = settings.ReadString("Splash", "Progress", "");
    int x = -1, y = -1;
    ASSERT_EQ(std::sscanf(progress.c_str(), "%d,%d", &x, &y), 2) << progress;
    skin::TRgbaImage splash, bar;
    ASSERT_TRUE(DecodeImage("splash", splash));
    ASSERT_TRUE(DecodeImage("progon", bar));
    ASSERT_LE(x + bar.width, splash.width);
    ASSERT_LE(y + bar.height, splash.height);
    // The track under the bar is darker than the bar: the bar shows.
    const uint8_t* track = splash.At(x + bar.width / 2, y + bar.height / 2);
    const uint8_t* fill = bar.At(bar.width / 2, bar.height / 2);
    EXPECT_GT(fill[1], track[1] + 60);

    // With QV_SKIN_PREVIEW set, write the splash with the bar 60 % full, for
    // people to look at.
    if (const char* preview = std::getenv("QV_SKIN_PREVIEW")) {
        for (int by = 0; by < bar.height; ++by)
            for (int bx = 0; bx < bar.width * 6 / 10; ++bx)
                if (bar.At(bx, by)[3] != 0) std::copy(bar.At(bx, by), bar.At(bx, by) + 4, splash.At(x + bx, y + by));
        std::string error;
        EXPECT_TRUE(skin::WritePng(preview, splash, error)) << error;
    }
}

TEST_F(SkinbuilderTest, FontResourcesParseAndTheirStripsDecode) {
    std::vector<std::string> names = {"font99"};
    for (int n = 0; n <= 15; ++n) names.push_back("font" + std::to_string(n));
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        skin::TFontResource font;
        TGizHeader strip;
        std::string error;
        ASSERT_TRUE(skin::ParseFont(Member(name), font, strip, error)) << error;
        EXPECT_GE(font.height, 12);
        EXPECT_LE(font.height, 20);
        EXPECT_EQ(strip.height, font.height);
        EXPECT_EQ(strip.width, font.TotalWidth());
        EXPECT_GT(font.spaceWidth, 0);
        std::vector<uint8_t> pixels(static_cast<size_t>(strip.width) * strip.height * 2);
        ASSERT_TRUE(GizDecode(font.strip.data(), static_cast<int64_t>(font.strip.size()), pixels.data(),
                              static_cast<int64_t>(pixels.size()), 0, 16));
        EXPECT_GT(font.WidthOf('!'), 0);
    }
    skin::TFontResource body;
    TGizHeader strip;
    std::string error;
    ASSERT_TRUE(skin::ParseFont(Member("font1"), body, strip, error));
    // Letters, digits and the code page's upper half have glyphs; DEL and
    // the five holes of Windows-1252 have none.
    for (int ch : {0x41, 0x57, 0x67, 0x30, 0x80, 0x9F, 0xC4, 0xD7, 0xE9, 0xFF})
        EXPECT_GT(body.WidthOf(static_cast<uint8_t>(ch)), 0) << ch;
    for (int ch : {0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ(body.WidthOf(static_cast<uint8_t>(ch)), 0) << ch;
    EXPECT_GT(body.WidthOf('W'), body.WidthOf('i'));
}

TEST_F(SkinbuilderTest, ColourFontsDifferOnlyInColour) {
    skin::TFontResource a, b;
    TGizHeader sa, sb;
    std::string error;
    ASSERT_TRUE(skin::ParseFont(Member("font1"), a, sa, error));
    ASSERT_TRUE(skin::ParseFont(Member("font5"), b, sb, error));
    EXPECT_EQ(a.widths, b.widths);
    EXPECT_EQ(a.height, b.height);
    EXPECT_NE(a.strip, b.strip);
}

// Ten stars in a password entry must read as ten: in every colour font the
// star keeps a blank column on either side.
TEST_F(SkinbuilderTest, PasswordStarsStandApart) {
    for (int n = 0; n <= 15; ++n) {
        SCOPED_TRACE(n);
        skin::TFontResource font;
        TGizHeader header;
        std::string error;
        skin::TRgbaImage strip;
        ASSERT_TRUE(skin::ParseFont(Member("font" + std::to_string(n)), font, header, error)) << error;
        ASSERT_TRUE(Decode(font.strip, strip));
        const int left = font.OffsetOf('*'), width = font.WidthOf('*');
        ASSERT_GE(width, 5);
        const auto inked = [&](int x) {
            for (int y = 0; y < strip.height; ++y)
                if (strip.At(x, y)[3] != 0) return true;
            return false;
        };
        EXPECT_FALSE(inked(left));
        EXPECT_FALSE(inked(left + width - 1));
        EXPECT_TRUE(inked(left + width / 2));
    }
}

TEST_F(SkinbuilderTest, IniFilesAreInTheClientsFormat) {
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(skin::ReadFileBytes(s_out + "/settings.ini", bytes, error));
    const std::string settings(bytes.begin(), bytes.end());
    EXPECT_NE(settings.find("[splash]\r\nProgress="), std::string::npos) << settings;
    EXPECT_NE(settings.find("[windows]\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("\r\nsplash=24,24\r\n"), std::string::npos) << settings;
    EXPECT_EQ(settings.find("\n["), settings.find("\r\n\r\n[") + 3);

    platform::headless::InstallFresh();
    TInifile texts(s_out + "/text.ini");
    const std::string changeres = texts.ReadString("en-Message", "changeres", "");
    EXPECT_NE(changeres.find("800 \xD7 600"), std::string::npos) << changeres;  // × in Windows-1252
    EXPECT_FALSE(texts.ReadString("en-Message", "wrongres", "").empty());
    TInifile ini(s_out + "/settings.ini");
    EXPECT_EQ(ini.ReadString("Generel", "Language", ""), "en");
}

TEST_F(SkinbuilderTest, EverySoundOfTheClientIsACleanShortWave) {
    const char* names[] = {"Glide.wav", "Rollover.wav", "Rolldown.wav", "spam.wav",  "Join.wav",
                           "Hit.wav",   "Roll.wav",     "fall.wav",     "in.wav",    "explode2.wav",
                           "stop.wav",  "out.wav",      "trash.wav",    "Yatzy.wav", "Yourturn.wav",
                           "level.wav", "Lines.Wav",    "Line.Wav",     "block.wav", "fast.wav",
                           "Doh.Wav",   "New.wav",      "Weight.wav",   "Explode.wav"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        std::vector<uint8_t> wave;
        std::string error;
        ASSERT_TRUE(skin::ReadFileBytes(s_out + "/sound/" + name, wave, error)) << error;
        ASSERT_GT(wave.size(), 44u);
        EXPECT_EQ(std::string(wave.begin(), wave.begin() + 4), "RIFF");
        EXPECT_EQ(std::string(wave.begin() + 8, wave.begin() + 16), "WAVEfmt ");
        EXPECT_EQ(GetLE16(&wave[20]), 1);   // PCM
        EXPECT_EQ(GetLE16(&wave[22]), 1);   // mono
        EXPECT_EQ(GetLE16(&wave[34]), 16);  // bits
        const uint32_t data = GetLE32(&wave[40]);
        EXPECT_EQ(data + 44, wave.size());
        const uint32_t rate = GetLE32(&wave[24]);
        EXPECT_LT(data / 2, rate * 2) << "longer than two seconds";
        int peak = 0;
        for (size_t i = 44; i + 1 < wave.size(); i += 2)
            peak = std::max(peak, std::abs(static_cast<int16_t>(GetLE16(&wave[i]))));
        EXPECT_GT(peak, 2000) << "nearly silent";
        EXPECT_LT(peak, 32767) << "clipped";
        // It ends in silence, so playback stops without a click.
        EXPECT_EQ(static_cast<int16_t>(GetLE16(&wave[wave.size() - 2])), 0);
    }
}

// The button elements of the windows: each needs the pictures E + "on" and
// E + "of".
std::vector<std::string> ButtonElements() {
    std::vector<std::string> elements = {"OK",    "Cancel", "New",    "Listup", "Listdo", "Listbar", "Barle",
                                         "Barrig", "Chekof", "Chekon", "Boy",    "Gir",    "0_mbCus1"};
    for (const char* face : {"Boy1", "Boy2", "Boy3", "Gir1", "Gir2", "Gir3"}) elements.push_back(face);
    for (int slot = 0; slot <= 4; ++slot)
        for (const char* b : {"_mbYes", "_mbOk", "_mbNo", "_mbCan"}) elements.push_back(std::to_string(slot) + b);
    // The lobby: window controls, the big-chat toggle's states, the symbol
    // button, the table and user area buttons, the game choice and tabs,
    // the menu bar, the room tab prefixes, the glide menus' items.
    for (const char* e : {"Close", "Minimi", "Chatof", "Chaton", "Symbol", "Option", "create", "Del", "join", "joinJa",
                          "Top100", "Tumbli", "Bg", "Puzzle", "Yatzy", "Tris", "Gam", "Menu1", "Menu2", "Menu3",
                          "Menu4", "Menu5", "Person", "Forum", "Lobby", "Games", "Help", "News", "Info", "Rum21",
                          "Ignore", "Perdel", "Gampoi", "Tumpoi", "Puzpoi", "Yatpoi"})
        elements.push_back(e);
    // The options, hiscore and information windows and the information
    // window's game chooser.
    for (const char* e : {"Change", "iClose", "All", "Puz", "Yat"}) elements.push_back(e);
    return elements;
}

// The lobby's user icons in the order of its icon list.
std::vector<std::string> UserIcons() {
    std::vector<std::string> names;
    for (const char* suffix : {"_gla", "", "_new", "_mut", "_zzz", "_psy"})
        for (const char* gender : {"Gir", "Boy"})
            for (int face = 1; face <= 3; ++face) names.push_back(gender + std::to_string(face) + suffix);
    names.push_back("Neutral");
    for (int game = 1; game <= 4; ++game) names.push_back("SGame" + std::to_string(game));
    return names;
}

TEST_F(SkinbuilderTest, EveryPictureTheWindowsNameIsInThePack) {
    std::vector<std::string> names = {"Listbar", "Blinkon", "Blinkof", "Glide",    "Symbol",
                                      "Updateon", "Rowlight", "headink", "bigamber", "headteal", "Column"};
    for (const std::string& icon : UserIcons()) names.push_back(icon);
    for (const std::string& e : ButtonElements()) {
        names.push_back(e + "on");
        names.push_back(e + "of");
    }
    // The caret is a numbered series: cur00001 ... without a gap, so
    // AddSequence finds every frame.
    for (int n = 1; n <= 10; ++n) {
        char frame[16];
        std::snprintf(frame, sizeof frame, "cur%05d", n);
        names.push_back(frame);
    }
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        skin::TRgbaImage image;
        EXPECT_FALSE(Member(name).empty());
        if (name != "headink" && name != "bigamber" && name != "headteal") {
            EXPECT_TRUE(DecodeImage(name, image));
        }
    }
    EXPECT_TRUE(Member("cur00011").empty());
}

TEST_F(SkinbuilderTest, BackgroundsAreOpaqueAtTheirWindowsSizes) {
    const struct {
        const char* name;
        int width, height;
    } windows[] = {{"Logon", 440, 324},    {"register", 460, 410}, {"0_Message", 400, 200}, {"4_Message", 400, 200},
                   {"Question", 400, 344}, {"Spam", 360, 150},     {"Option", 360, 240},    {"top100", 480, 520},
                   {"Info", 440, 400},     {"update", 380, 130},   {"2_Options", 320, 220}, {"Chat", 800, 600},
                   {"Big", 800, 600},      {"1_tris", 790, 590},   {"2_Gammon", 790, 590},  {"3_Puzzle", 790, 590},
                   {"4_Yatzy", 790, 590},  {"menu1", 548, 212},    {"menu1-2", 548, 212},   {"menu2", 548, 212},
                   {"menu3", 548, 212},    {"menu5", 548, 212},    {"menu6", 548, 212}};
    for (const auto& w : windows) {
        SCOPED_TRACE(w.name);
        skin::TRgbaImage image;
        ASSERT_TRUE(DecodeImage(w.name, image));
        EXPECT_EQ(image.width, w.width);
        EXPECT_EQ(image.height, w.height);
        bool opaque = true;
        for (size_t i = 3; i < image.pixels.size() && opaque; i += 4) opaque = image.pixels[i] == 255;
        EXPECT_TRUE(opaque);
    }
    // Every glide menu is cut from its background, so it must be larger
    // than the largest menu: five or six captioned items in a row or a
    // column (the user menu, the backgammon points).
    skin::TRgbaImage glide;
    ASSERT_TRUE(DecodeImage("Glide", glide));
    EXPECT_GE(glide.width, 420);
    EXPECT_GE(glide.height, 300);
    // The points menus have backgrounds of their own sections: four items
    // in a row, or two rows of three. "Glidetumblix" is longer than a pack
    // name, so it is the loose file the client looks for next.
    for (const char* points : {"Glidegammon", "Glidepuzzle", "GlideYatzy", "Glidetumblix"}) {
        SCOPED_TRACE(points);
        skin::TRgbaImage image;
        if (std::string(points).size() <= 11) {
            ASSERT_TRUE(DecodeImage(points, image));
        } else {
            EXPECT_TRUE(Member(points).empty());
            std::vector<uint8_t> giz;
            std::string error;
            ASSERT_TRUE(skin::ReadFileBytes(s_out + "/gfx/" + Lower(points) + ".giz", giz, error)) << error;
            TGizHeader h;
            ASSERT_TRUE(GizReadHeader(giz.data(), static_cast<int64_t>(giz.size()), h));
            image.Resize(h.width, h.height);
        }
        EXPECT_GE(image.width, 260);
        EXPECT_GE(image.height, 120);
    }
}

// The points menus laid out as a glide lays them out (a cell is the widest
// item and 4 pixels; an item is its tile, widened by its caption if need be,
// over the caption line) in the shapes the lobby builds: each fits its
// background, and the captions "NN to win" of a row stand well apart and
// clear of the frame.
TEST_F(SkinbuilderTest, PointsMenusFitTheirBackgroundsWithTheirCaptionsApart) {
    platform::headless::InstallFresh();
    TInifile settings(s_out + "/settings.ini");
    TInifile texts(s_out + "/text.ini");
    const struct {
        const char* section;
        const char* element;
        const char* key;
        int rows, columns;
        std::vector<std::string> points;
    } menus[] = {{"Glidetumblix", "Tumpoi", "Tumblixpoint", 1, 4, {"3", "5", "1", "2"}},
                 {"Glidegammon", "Gampoi", "Gammonpoint", 2, 3, {"7", "9", "11", "1", "3", "5"}},
                 {"Glidepuzzle", "Puzpoi", "Puzzlepoint", 1, 4, {"3", "5", "1", "2"}},
                 {"GlideYatzy", "Yatpoi", "Yatzypoint", 1, 4, {"3", "5", "1", "2"}}};
    for (const auto& m : menus) {
        SCOPED_TRACE(m.section);
        skin::TRgbaImage tile;
        ASSERT_TRUE(DecodeImage(std::string(m.element) + "of", tile));
        std::vector<uint8_t> giz = Member(m.section);
        std::string error;
        if (giz.empty()) {
            ASSERT_TRUE(skin::ReadFileBytes(s_out + "/gfx/" + Lower(m.section) + ".giz", giz, error)) << error;
        }
        TGizHeader background;
        ASSERT_TRUE(GizReadHeader(giz.data(), static_cast<int64_t>(giz.size()), background));
        skin::TFontResource font;
        TGizHeader strip;
        ASSERT_TRUE(skin::ParseFont(Member(settings.ReadString(m.section, m.key, "")), font, strip, error)) << error;
        const std::string text = texts.ReadString("en-" + std::string(m.section), m.key, "");
        int widest = 0;
        for (const std::string& points : m.points) {
            int width = 0;
            for (char c : points + " " + text)
                width += c == ' ' ? font.spaceWidth : font.WidthOf(static_cast<uint8_t>(c));
            widest = std::max(widest, width);
        }
        const int frame = settings.ReadInteger(m.section, "Framewidth", 0);
        const int cellWidth = std::max(tile.width, widest) + 4;
        const int cellHeight = tile.height + 2 + font.height + 4;
        EXPECT_GE(background.width, 2 * frame + cellWidth * m.columns);
        EXPECT_GE(background.height, 2 * frame + cellHeight * m.rows);
        EXPECT_GE(cellWidth - widest, 12) << "neighbouring captions";
        EXPECT_GE((cellWidth - widest) / 2, 6) << "the last caption and the frame";
    }
}

TEST_F(SkinbuilderTest, PicturesThatShareAPlaceShareASize) {
    // The icon list takes its frames' size from the first; the tab bars
    // centre their tabs in slots of one width, and a room's tab falls back
    // to "Forum"; the area pictures replace each other at one place.
    const std::vector<std::vector<std::string>> groups = {
        UserIcons(),
        {"Menu1on", "Menu2on", "Menu3on", "Menu4on", "Menu5on"},
        {"Personon", "Forumon", "Lobbyon", "Gameson", "Helpon", "Newson"},
        {"Infoon", "Rum21on", "Ignoreon", "Personon", "Forumon"},
        {"Tumblion", "Bgon", "Puzzleon", "Yatzyon", "Trison", "Gamon"},
        {"Chatofon", "Chatonon"},
        {"createon", "Delon", "joinon", "joinJaon", "Top100on", "Optionon"},
    };
    for (const auto& group : groups) {
        skin::TRgbaImage first, other;
        ASSERT_TRUE(DecodeImage(group.front(), first)) << group.front();
        for (const std::string& name : group) {
            ASSERT_TRUE(DecodeImage(name, other)) << name;
            EXPECT_EQ(other.width, first.width) << name;
            EXPECT_EQ(other.height, first.height) << name;
        }
    }
    EXPECT_EQ(UserIcons().size(), 41u);
}

TEST_F(SkinbuilderTest, ButtonStatesMatchAndBoxButtonsShareOneWidth) {
    for (const std::string& e : ButtonElements()) {
        SCOPED_TRACE(e);
        skin::TRgbaImage on, of;
        ASSERT_TRUE(DecodeImage(e + "on", on));
        ASSERT_TRUE(DecodeImage(e + "of", of));
        EXPECT_EQ(on.width, of.width);
        EXPECT_EQ(on.height, of.height);
    }
    // A message box lays all its buttons out with the width of the first.
    skin::TRgbaImage first, other;
    ASSERT_TRUE(DecodeImage("0_mbYeson", first));
    for (const std::string& e : ButtonElements()) {
        if (e.find("_mb") == std::string::npos) continue;
        ASSERT_TRUE(DecodeImage(e + "on", other));
        EXPECT_EQ(other.width, first.width) << e;
    }
}

TEST_F(SkinbuilderTest, TextsAndSettingsTheStartUpWindowsRead) {
    platform::headless::InstallFresh();
    TInifile texts(s_out + "/text.ini");
    const struct {
        const char* section;
        const char* key;
        const char* placeholder;  // the highest one the client fills, or ""
    } entries[] = {
        {"en-Message", "Connecttext", ""},      {"en-Message", "Searchtext", ""},
        {"en-Message", "Errorname", ""},        {"en-Message", "Illegalname", ""},
        {"en-Message", "Errorpassword", ""},    {"en-Message", "Illegalpassword", ""},
        {"en-Message", "Errorpass", ""},        {"en-Message", "Errorconnected", ""},
        {"en-Message", "Errortoomany", ""},     {"en-Message", "Errorgame", ""},
        {"en-Message", "Errorband", ""},        {"en-Message", "Erroralias", ""},
        {"en-Message", "Wrongbirthday", ""},    {"en-Message", "Disconnect", ""},
        {"en-Message", "StartHelp", ""},        {"en-Message", "logontext", ""},
        {"en-Message", "Reconnecting", ""},     {"en-Message", "Error", ""},
        {"en-Message", "System", ""},           {"en-Message", "Help", ""},
        {"en-Message", "Won", "{2}"},           {"en-Message", "Wonbonus", "{4}"},
        {"en-Message", "Won0", ""},             {"en-Message", "Lost", "{1}"},
        {"en-Message", "Lost0", ""},            {"en-Message", "Rating", "{3}"},
        {"en-Message", "Tourgame", "{4}"},      {"en-Message", "ErrorTourGame", ""},
        {"en-Message", "ErrorTourJoined", ""},  {"en-Message", "ErrorTourRegret", ""},
        {"en-Message", "InfoTourRegret", ""},   {"en-Message", "InfoTourJoined", ""},
        {"en-Message", "0_Fromtext", ""},       {"en-Lobbivex", "VerText", "{1}"},
        {"en-Lobbivex", "NameText", ""},        {"en-Lobbivex", "PasswordText", ""},
        {"en-Lobbivex", "HelpText", ""},        {"en-Register", "Rightinformation", "{2}"},
        {"en-Register", "Female", ""},          {"en-Register", "Male", ""},
        {"en-Register", "Head", ""},            {"en-Question", "Waitanswer", ""},
        {"en-Chat", "Spammed", ""},
        // The lobby.
        {"en-Message", "Gamehelp", ""},         {"en-Message", "Makehelp", ""},
        {"en-Message", "Closing", "{1}"},       {"en-Text", "Closing", "{1}"},
        {"en-Text", "Logoff", "{1}"},           {"en-Text", "Logon", "{1}"},
        {"en-Text", "Private", "{1}"},          {"en-Text", "Forum", "{1}"},
        {"en-Text", "Closed", "{1}"},           {"en-Text", "Entering", "{1}"},
        {"en-Text", "Entering1", "{1}"},        {"en-Text", "Entering2", "{1}"},
        {"en-Text", "Entering3", "{1}"},        {"en-Text", "Loggedin", "{1}"},
        {"en-Text", "Nickchange", "{2}"},       {"en-Text", "Deny", ""},
        {"en-Text", "ignore", "{1}"},           {"en-Text", "noignore", "{1}"},
        {"en-Chat", "Menu", ""},                {"en-Chat", "Tumblixname", ""},
        {"en-Chat", "Bgname", ""},              {"en-Chat", "Puzzlename", ""},
        {"en-Chat", "Yatzyname", ""},           {"en-Chat", "Tumbli", ""},
        {"en-Chat", "Bg", ""},                  {"en-Chat", "Puzzle", ""},
        {"en-Chat", "Yatzy", ""},               {"en-Chat", "Counttext", ""},
        {"en-Chat", "Tumblixtext", ""},         {"en-Chat", "Bgtext", ""},
        {"en-Chat", "Puzzletext", ""},          {"en-Chat", "Yatzytext", ""},
        {"en-Chat", "Countvalue", ""},          {"en-Chat", "Yatzyvalue", ""},
        {"en-Glide", "Userinfo", ""},           {"en-Glide", "Userprofil", ""},
        {"en-Glide", "Userignore", ""},         {"en-Glide", "Userprivate", ""},
        {"en-Glide", "Userforum", ""},          {"en-Glide", "Chatdelete", ""},
        {"en-Glide", "Chatlogoff", ""},         {"en-Glide", "Tumblix", ""},
        {"en-Glide", "Backgammon", ""},         {"en-Glidegammon", "Gammonpoint", ""},
        {"en-Glidetumblix", "Tumblixpoint", ""}, {"en-Glidepuzzle", "Puzzlepoint", ""},
        {"en-GlideYatzy", "Yatzypoint", ""},    {"en-Message", "ignore", "{1}"},
        {"en-Message", "noignore", "{1}"},
    };
    for (const auto& e : entries) {
        const std::string text = texts.ReadString(e.section, e.key, "");
        EXPECT_FALSE(text.empty()) << e.section << " " << e.key;
        if (*e.placeholder != 0) {
            EXPECT_NE(text.find(e.placeholder), std::string::npos) << e.key;
        }
    }

    TInifile settings(s_out + "/settings.ini");
    EXPECT_EQ(settings.ReadString("Lobbivex", "Ports", ""), "2000,2001,2002");
    EXPECT_EQ(settings.ReadString("Lobbivex", "Server-en", ""), "127.0.0.1");
    EXPECT_GT(settings.ReadIntList("Lobbivex", "Portlist").size(), 3u);
    EXPECT_EQ(settings.ReadString("Glide", "Font", ""), "headink");
    EXPECT_GT(settings.ReadInteger("Glide", "Framewidth", 0), 0);
    // The menu bar has a caption for each of its five tabs; the lobby puts
    // the points before a points item's text, so the text fills nothing in.
    const std::string menu = texts.ReadString("en-Chat", "Menu", "");
    EXPECT_EQ(std::count(menu.begin(), menu.end(), ','), 4) << menu;
    EXPECT_EQ(texts.ReadString("en-Glidegammon", "Gammonpoint", "").find('{'), std::string::npos);
    // The lobby's layout lines and the glide items' fonts.
    for (const char* key :
         {"Close", "Minimi", "Symbol", "Chaton", "Rooms", "Roomsbig", "Menu", "Menugfx", "Htmlbar1", "Htmlbar2",
          "Option", "Counttext", "Tumblixtext", "Bgtext", "Puzzletext", "Yatzytext", "Countvalue", "Tumblixvalue",
          "Bgvalue", "Puzzlevalue", "Yatzyvalue", "Users", "Userscolwidths", "Tumbli", "Bg", "Puzzle", "Yatzy",
          "GamesCreatedbar", "create", "join", "Del", "joinJa", "Top100", "Chatedit", "Chateditbig", "Chatheader",
          "Chatheaderbig", "Reklame1", "Reklame2", "Reklame3", "Chat", "Chatcolwidths", "Chatbig",
          "Chatbigcolwidths", "Chatusers", "Chatuserscolwidths", "ColorPrivate", "menu1-2", "menu1", "menu2",
          "menu3", "menu5", "menu6"})
        EXPECT_FALSE(settings.ReadString("Chat", key, "").empty()) << key;
    // The game windows' advertisement panels have places of their own inside
    // the window, apart from each other.
    for (const char* section : {"Gammon", "Yatzy"}) {
        std::vector<std::vector<int>> boxes;
        for (const char* key : {"Reklame1", "Reklame2", "Reklame3"}) {
            std::vector<int> box;
            std::istringstream line(settings.ReadString(section, key, ""));
            for (std::string field; box.size() < 4 && std::getline(line, field, ',');) box.push_back(std::atoi(field.c_str()));
            ASSERT_EQ(box.size(), 4u) << section << " " << key;
            EXPECT_TRUE(box[0] >= 0 && box[1] >= 0 && box[2] >= 80 && box[3] >= 30 && box[0] + box[2] <= 790 &&
                        box[1] + box[3] <= 590)
                << section << " " << key;
            for (const std::vector<int>& other : boxes)
                EXPECT_TRUE(box[0] >= other[0] + other[2] || other[0] >= box[0] + box[2] ||
                            box[1] >= other[1] + other[3] || other[1] >= box[1] + box[3])
                    << section << " " << key;
            boxes.push_back(box);
        }
    }
    const struct {
        const char* section;
        const char* key;
    } items[] = {{"Glide", "Userinfo"},      {"Glide", "Userprofil"},        {"Glide", "Userignore"},
                 {"Glide", "Userprivate"},   {"Glide", "Userforum"},         {"Glide", "Chatdelete"},
                 {"Glide", "Chatlogoff"},    {"Glide", "Tumblix"},           {"Glide", "Backgammon"},
                 {"Glidegammon", "Gammonpoint"}, {"Glidetumblix", "Tumblixpoint"}, {"Glidepuzzle", "Puzzlepoint"},
                 {"GlideYatzy", "Yatzypoint"}};
    for (const auto& item : items) {
        EXPECT_EQ(settings.ReadString(item.section, item.key, "").rfind("font", 0), 0u) << item.key;
        EXPECT_GT(settings.ReadInteger(item.section, "Framewidth", 0), 0) << item.section;
    }
    // Every font a layout line names is in the pack.
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(skin::ReadFileBytes(s_out + "/settings.ini", bytes, error));
    const std::string file(bytes.begin(), bytes.end());
    for (size_t at = 0; at < file.size();) {
        const size_t end = std::min(file.find("\r\n", at), file.size());
        const std::string line = file.substr(at, end - at);
        at = end + 2;
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string value = line.substr(equals + 1) + ",";
        for (size_t comma; (comma = value.find(',')) != std::string::npos; value.erase(0, comma + 1)) {
            const std::string field = value.substr(0, comma);
            if (Lower(field).rfind("font", 0) == 0 || field == "headink" || field == "bigamber") {
                EXPECT_FALSE(Member(field).empty()) << line;
            }
        }
    }
}

// A symbols.txt line takes a code point, a colour and at most "bold".
TEST(SkinbuilderErrors, AMisspelledSymbolStyleNamesItsLine) {
    const std::string dir = tooltest::FreshDir();
    fs::copy(QV_SKIN_SOURCES, dir + "/skin");
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(skin::ReadFileBytes(dir + "/skin/symbols.txt", bytes, error)) << error;
    std::string symbols(bytes.begin(), bytes.end());
    const size_t at = symbols.find("2661 rose bold");
    ASSERT_NE(at, std::string::npos);
    symbols.replace(at, 14, "2661 rose heavy");
    ASSERT_TRUE(skin::WriteFileBytes(dir + "/skin/symbols.txt", std::vector<uint8_t>(symbols.begin(), symbols.end()),
                                     error))
        << error;
    const auto run = tooltest::Run(QV_SKINBUILDER, {dir + "/skin", dir + "/out"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("symbols.txt:"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("\"bold\""), std::string::npos) << run.output;
}

TEST(SkinbuilderErrors, MissingSourcesGiveAMessage) {
    const std::string dir = tooltest::FreshDir();
    auto run = tooltest::Run(QV_SKINBUILDER, {dir + "/nothing", dir + "/out"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("cannot open"), std::string::npos) << run.output;
    run = tooltest::Run(QV_SKINBUILDER, {});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.output.find("usage"), std::string::npos) << run.output;
}

}  // namespace

namespace {

// The Puzzle window's pictures at the sizes of the rules' shared layout,
// and its layout lines equal to that layout, which the server's referee
// checks shots with.
TEST_F(SkinbuilderTest, PuzzleSpritesAndLayoutFollowTheSharedLayout) {
    const int bubble = rules::kPuzzleBubbleSize, canon = rules::kPuzzleCanonSize;
    std::vector<std::pair<std::string, int>> sprites;
    for (int n = 1; n <= 8; ++n) sprites.push_back({"3_bobble" + std::to_string(n), bubble});
    for (int n = 1; n <= 43; ++n)
        sprites.push_back({"3_can" + std::string(n < 10 ? "00" : "0") + std::to_string(n), canon});
    for (const char* first : {"3_out001", "3_bomb01", "3_in0001"}) sprites.push_back({first, bubble});
    for (const auto& [name, size] : sprites) {
        SCOPED_TRACE(name);
        skin::TRgbaImage image;
        ASSERT_TRUE(DecodeImage(name, image));
        EXPECT_EQ(image.width, size);
        EXPECT_EQ(image.height, size);
        EXPECT_EQ(image.pixels[3], 0);  // the corner is transparent
    }
    for (const char* name : {"3_line01", "3_column", "3_Pause", "3_Pauseon", "3_Pauseof"})
        EXPECT_FALSE(Member(name).empty()) << name;
    // The ini reader's write-back timer runs on the platform's ticks.
    platform::headless::InstallFresh();
    TInifile settings(s_out + "/settings.ini");
    const rules::TPuzzleGeometry own = rules::PuzzleLayoutGeometry(48, 64);
    EXPECT_EQ(settings.ReadString("Puzzle", "Screen", ""), "48,64");
    EXPECT_EQ(settings.ReadString("Puzzle", "Canon", ""),
              std::to_string(own.Canon.X) + "," + std::to_string(own.Canon.Y) + "," +
                  std::to_string(own.Canon.Distance) + "," + std::to_string(own.Canon.Lift));
    EXPECT_EQ(settings.ReadInteger("Puzzle", "line", 0), own.LineOffset);
    TInifile texts(s_out + "/text.ini");
    for (const char* key : {"3_wingametext", "3_Losegametext", "3_Waittext"})
        EXPECT_FALSE(texts.ReadString("en-Message", key, "").empty()) << key;
}

}  // namespace
