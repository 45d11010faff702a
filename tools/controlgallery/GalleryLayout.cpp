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
    // The lower panel: the room tabs over its rule, the lists in its wells.
    // Seven tabs of 104 pixels: the buttons that stand in for tabs the skin
    // lacks are 100 wide.
    {"Rooms", "18,324,764,7,font1"},
    {"Chat", "font1,24,362,190,0,0,false,FALSE,-,List"},
    {"Chatcolwidths", "548"},
    {"Chatusers", "font1,606,362,190,0,8028954,true,UP,-,List"},
    {"Chatuserscolwidths", "152"},
    {"Chatedit", "font1,20,576,620,11977774"},
    // The upper left panel: the table list with its header on the rule.
    {"Tables", "font1,22,60,236,0,8028954,true,UP,-,List"},
    {"Tablescolwidths", "112,52,50,56"},
    {"Tableshead", "font2,6963251,24"},
    {"Countdown", "318,58,552,94,3,bigamber"},
    {"Column", "446,152,20"},
    {"Skinnotes", "324,206,536,298,2,font4"},
    // The upper right panel.
    {"Marquee", "590,62,772,80,1,font1"},
    {"Centred", "590,84,772,102,3,font3"},
    {"Wrapped", "590,106,756,166,2,font2"},
    {"Playsounds", "590,174,182,font1"},
    {"Whispers", "590,196,182,font1"},
    {"Privates", "590,218,182,font1"},
    {"Filter", "590,244,182,font1"},
    {"Passwordtext", "590,276,650,294,0,font2"},
    {"Passwordedit", "font1,654,278,118,11977774"},
    // The title bar.
    {"Progresstext", "470,10,770,26,0,font2"},
    {"Progress", "470,28"},
};

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

// The buttons by role: the place, and the caption under the picture.
struct TButtonLine {
    const char* role;
    const char* layout;
    const char* caption;
};

constexpr TButtonLine kButtons[] = {
    {"create", "324,102,true,font1", "Create"},
    {"join", "434,102,true,font1", "Join"},
    {"Del", "324,152,true,font1", "Leave"},
    {"Symbol", "662,570,true,font1", ""},
};

std::string TextSection(const std::string& section) { return Language() + "-" + section; }

}  // namespace

void WriteLayout() {
    for (const TLine& line : kLayout) SettingsFile().WriteString(kSection, line.key, line.value);
    for (const TLine& text : kTexts) TextFile().WriteString(TextSection(kSection), text.key, text.value);
}

void WriteButtonLayout(const std::string& role, const std::string& element) {
    for (const TButtonLine& button : kButtons) {
        if (role != button.role) continue;
        SettingsFile().WriteString(kSection, element, button.layout);
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
