#include "resources/Texts.h"

#include <algorithm>

#include "resources/Inifile.h"
#include "resources/Paths.h"
#include "resources/StrFuncs.h"

namespace {

// Owned here until unloaded; never freed at exit (the ini files' own exit
// handling saves them), so late users during shutdown still find them.
struct TGlobalTexts {
    TInifile* text = nullptr;
    TInifile* settings = nullptr;
    std::string language = "en";
};

TGlobalTexts& Globals() {
    static auto* globals = new TGlobalTexts;
    return *globals;
}

void EnsureLoaded() {
    if (!Globals().text || !Globals().settings) LoadTextsAndSettings();
}

}  // namespace

void LoadTextsAndSettings() { LoadTextsAndSettings(ProgramDirectory()); }

void LoadTextsAndSettings(const std::string& directory) {
    UnloadTextsAndSettings();
    std::string dir = directory;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    TGlobalTexts& g = Globals();
    g.text = new TInifile(dir + "text.ini");
    g.settings = new TInifile(dir + "settings.ini");
    g.language = g.settings->ReadString("Generel", "Language", "en");
}

void UnloadTextsAndSettings() {
    TGlobalTexts& g = Globals();
    delete g.text;
    delete g.settings;
    g.text = nullptr;
    g.settings = nullptr;
}

TInifile& TextFile() {
    EnsureLoaded();
    return *Globals().text;
}

TInifile& SettingsFile() {
    EnsureLoaded();
    return *Globals().settings;
}

const std::string& Language() {
    EnsureLoaded();
    return Globals().language;
}

std::string GetText(const std::string& section, const std::string& key) {
    return GetTextDef(section, key, "");
}

std::string GetTextDef(const std::string& section, const std::string& key,
                       const std::string& defaultValue) {
    if (key.empty()) return "";
    std::string part = section.empty() ? std::string("Message") : section;
    return TextFile().ReadString(Language() + "-" + part, key, defaultValue);
}

namespace {

// Length of the text once every token is replaced by the item.
size_t FilledLength(const std::string& text, const std::string& token, const std::string& item) {
    size_t count = 0;
    for (size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + token.size()))
        ++count;
    return text.size() - count * token.size() + count * item.size();
}

}  // namespace

std::string FillPlaceholders(const std::string& textTemplate, const std::string& arguments) {
    std::string text = textTemplate;
    std::string rest = arguments;
    for (int number = 1; !rest.empty(); ++number) {
        std::string item = CutField(rest);
        const std::string token = "{" + std::to_string(number) + "}";
        if (FilledLength(text, token, item) > std::max(kMaxFilledText, text.size())) break;
        text = ReplaceAll(text, token, item);
    }
    return text;
}
