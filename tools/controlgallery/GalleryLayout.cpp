#include "GalleryLayout.h"

#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

namespace gallery {

namespace {

struct TLine {
    const char* key;
    const char* value;
};

// Colours as the skin writes them (0x00BBGGRR): tealdk for highlight bars,
// teal for the entries' selection, line for the list header's rules.
constexpr TLine kLayout[] = {
    // The lower panel: the room tabs over its rule, the lists in its wells,
    // the chat line in the strip below. The skin's own lobby lines replace
    // these (kLobbyKeys).
    {"Rooms", "18,319,552,6,font1"},
    {"Chat", "font1,24,369,180,16,0,false,FALSE,false,List"},
    {"Chatcolwidths", "526"},
    {"Chatusers", "font1,586,369,180,20,8028954,true,Rowlight,false,List"},
    {"Chatuserscolwidths", "174"},
    {"Chatedit", "font1,26,570,706,11977774"},
    // The upper left panel: the lobby's menu bar over the rule, the table
    // list under it, and right of the list the count-down, the buttons, the
    // columns and the skin notes.
    {"Menu", "18,50,536,5,font1"},
    {"Tables", "font1,22,98,195,0,8028954,true,UP,-,List"},
    {"Tablescolwidths", "112,52,50,56"},
    {"Tableshead", "font2,6963251,24"},
    {"Countdown", "318,96,552,132,3,bigamber"},
    {"Column", "446,188,20"},
    {"Skinnotes", "324,240,536,300,2,font4"},
    // The two banner frames on the right: the labels, then the toggles,
    // each clear of the frame's watermark.
    {"Marquee", "588,58,774,76,1,font1"},
    {"Centred", "588,78,774,96,3,font3"},
    {"Wrapped", "588,122,758,167,2,font2"},
    {"Playsounds", "588,188,186,font1"},
    {"Whispers", "588,210,186,font1"},
    {"Privates", "588,256,186,font1"},
    {"Filter", "588,278,186,font1"},
    // The title bar: the password entry, the big-chat toggle and the gauge
    // with its label.
    {"Passwordtext", "268,14,326,30,0,font2"},
    {"Passwordedit", "font1,328,15,62,11977774"},
    {"Chaton", "620,10,0,font1"},
    {"Progresstext", "492,14,612,30,0,font2"},
    {"Progress", "480,37"},
};

// The parts the lobby has lines for in its own section take those, so they
// stand where the lobby will show them.
constexpr char kLobbySection[] = "Chat";
constexpr const char* kLobbyKeys[] = {"Rooms", "Chat", "Chatcolwidths", "Chatusers",
                                      "Chatuserscolwidths", "Chatedit", "Menu", "Chaton"};

constexpr TLine kTexts[] = {
    {"Tableshead", "Table,Players,Points,State"},
    {"Marquee", "This marquee line is wider than its box: point at it and it glides to its "
                "end, rests there, and glides back."},
    {"Centred", "A centred label"},
    {"Wrapped", "A wrapped label breaks its text at blanks and hyphens into lines as wide as "
                "its box, and when there are more lines than fit, its own scroll bar moves "
                "the reader through them. This one holds about eight lines."},
    {"Playsounds", "Play sounds"},
    {"Whispers", "Show whispers"},
    {"Privates", "Private chats"},
    {"Filter", "Filter: off"},
    {"Passwordtext", "Password"},
    {"Progresstext", "UPDATE"},
};

// The buttons by role: the place, the caption under the picture (the
// pictures carry their own labels, so captions here say what the button
// shows off), and whether the lobby's own line places it.
struct TButtonLine {
    const char* role;
    const char* layout;
    const char* caption;
    bool lobby;
};

constexpr TButtonLine kButtons[] = {
    {"create", "324,138,true,font1", "opens a menu", false},
    {"join", "434,138,true,font1", "joins a table", false},
    {"Del", "324,188,true,font1", "blinks", false},
    {"Symbol", "748,566,true,font1", "", true},
    {"Minimi", "732,10,true,font1", "", true},
    {"Close", "762,10,true,font1", "", true},
};

std::string TextSection(const std::string& section) { return Language() + "-" + section; }

}  // namespace

void WriteLayout() {
    for (const TLine& line : kLayout) SettingsFile().WriteString(kSection, line.key, line.value);
    for (const char* key : kLobbyKeys) {
        const std::string lobby = SettingsFile().ReadString(kLobbySection, key, "");
        if (!lobby.empty()) SettingsFile().WriteString(kSection, key, lobby);
    }
    for (const TLine& text : kTexts) TextFile().WriteString(TextSection(kSection), text.key, text.value);
}

void WriteButtonLayout(const std::string& role, const std::string& element) {
    for (const TButtonLine& button : kButtons) {
        if (role != button.role) continue;
        const std::string lobby =
            button.lobby ? SettingsFile().ReadString(kLobbySection, role, "") : std::string();
        SettingsFile().WriteString(kSection, element, lobby.empty() ? button.layout : lobby);
        TextFile().WriteString(TextSection(kSection), element, button.caption);
    }
}

bool WriteTextIfMissing(const std::string& section, const std::string& key,
                        const std::string& text) {
    if (!GetText(section, key).empty()) return false;
    TextFile().WriteString(TextSection(section.empty() ? "Message" : section), key, text);
    return true;
}

int LayoutNumber(const std::string& key, int index) {
    std::string line = SettingsFile().ReadString(kSection, key, "");
    std::string field;
    for (int i = 0; i <= index; ++i) field = CutField(line);
    int32_t value = 0;
    return ParseInteger(field, value) ? value : 0;
}

}  // namespace gallery
