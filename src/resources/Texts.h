// The two ini files open for the whole run, the language, and the text lookup.
//
// The text file ("text.ini") holds the user-visible texts by language: the
// section for texts of section S is the language, "-" and S (e.g.
// [en-Message]). The settings file ("settings.ini") holds the skin layout and
// the user's settings. Both lie in the program directory. The language is read
// once when they are loaded: settings [Generel] "Language", default "en".
//
// Both belong to the installed context (TResourcesState). Start-up calls
// LoadTextsAndSettings() once the program directory is known. Before that,
// the first use of an accessor loads them from the program directory as it
// stands. Tests point them at a directory of their own with
// LoadTextsAndSettings(directory); the end of the context saves and frees
// them (before the timers they use end).
#pragma once

#include <cstddef>
#include <memory>
#include <string>

class TInifile;

// The resources' part of the application context.
struct TResourcesState {
    TResourcesState();
    ~TResourcesState();  // saves (if dirty) and frees both files
    TResourcesState(const TResourcesState&) = delete;
    TResourcesState& operator=(const TResourcesState&) = delete;

    std::unique_ptr<TInifile> Text;
    std::unique_ptr<TInifile> Settings;
    std::string Language = "en";
};

// (Re)loads both files from the program directory; files loaded before are
// saved if dirty and freed.
void LoadTextsAndSettings();
// The same from another directory (with or without a trailing "/").
void LoadTextsAndSettings(const std::string& directory);
// Saves (if dirty) and frees both files.
void UnloadTextsAndSettings();

TInifile& TextFile();
TInifile& SettingsFile();
const std::string& Language();

// GetTextDef with an empty default.
std::string GetText(const std::string& section, const std::string& key);
// The text file's [language-section] key, or the default when absent. An
// empty key gives an empty text; an empty section means "Message".
std::string GetTextDef(const std::string& section, const std::string& key,
                       const std::string& defaultValue);

// Fills "{1}", "{2}", ... in the template with the comma-separated arguments
// in order (no escaping; a trailing empty item is dropped). Each item replaces
// every occurrence of its whole token; tokens without an item stay. Items
// may hold tokens of later items, so each step can multiply the text; an
// item that would make the text longer than kMaxFilledText bytes, and every
// item after it, is left out (arguments come from the network).
constexpr size_t kMaxFilledText = size_t{1} << 16;
std::string FillPlaceholders(const std::string& textTemplate, const std::string& arguments);
