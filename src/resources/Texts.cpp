#include "resources/Texts.h"

#include <algorithm>

#include "platform/InstalledState.h"
#include "resources/Inifile.h"
#include "resources/Paths.h"
#include "resources/StrFuncs.h"

namespace {

TResourcesState& State() { return TInstalledState<TResourcesState>::Get(); }

void EnsureLoaded() {
    if (!State().Text || !State().Settings) LoadTextsAndSettings();
}

}  // namespace

TResourcesState::TResourcesState() = default;

TResourcesState::~TResourcesState() {
    Text.reset();
    Settings.reset();
}

void LoadTextsAndSettings() { LoadTextsAndSettings(ProgramDirectory()); }

void LoadTextsAndSettings(const std::string& directory) {
    UnloadTextsAndSettings();
    std::string dir = directory;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    TResourcesState& g = State();
    g.Text = std::make_unique<TInifile>(dir + "text.ini");
    g.Settings = std::make_unique<TInifile>(dir + "settings.ini");
    g.Language = g.Settings->ReadString("Generel", "Language", "en");
}

void UnloadTextsAndSettings() {
    TResourcesState& g = State();
    g.Text.reset();
    g.Settings.reset();
}

TInifile& TextFile() {
    EnsureLoaded();
    return *State().Text;
}

TInifile& SettingsFile() {
    EnsureLoaded();
    return *State().Settings;
}

const std::string& Language() {
    EnsureLoaded();
    return State().Language;
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
