// The two global ini files and the text lookup: the input is settings.ini up
// to its first NUL byte and text.ini after it. Every text of the chosen
// language is looked up through GetText and filled with placeholders taken
// from the texts themselves, as server messages fill them with names.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FuzzHarness.h"
#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void LookUpEveryText() {
    // Section names are stored lower-cased; the language may not be.
    const std::string prefix = LowerCaseAscii(Language()) + "-";
    TInifile& texts = TextFile();
    std::string previous = "x,{1},{2}";
    for (int s = 0; s < texts.SectionCount(); ++s) {
        const TSection& section = texts.Section(s);
        if (section.Name().compare(0, prefix.size(), prefix) != 0) continue;
        const std::string part = section.Name().substr(prefix.size());
        for (int k = 0; k < section.Count(); ++k) {
            const std::string text = GetText(part, section.Key(k));
            // An empty part means "Message", another section; an empty key
            // gives an empty text.
            if (!part.empty() && !section.Key(k).empty()) Check(text == section.Value(k));
            FillPlaceholders(text, previous);
            previous = text;
        }
    }
    GetTextDef("", "hello", "default");
    GetText("Message", "");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Prepare();
    fuzz::TInputStates states;
    const auto* nul = static_cast<const uint8_t*>(size > 0 ? std::memchr(data, 0, size) : nullptr);
    const size_t settingsSize = nul ? size_t(nul - data) : size;
    const size_t textStart = nul ? settingsSize + 1 : size;
    fuzz::WriteScratch("settings.ini", data, settingsSize);
    fuzz::WriteScratch("text.ini", data + textStart, size - textStart);
    LoadTextsAndSettings(fuzz::ScratchDirectory());
    LookUpEveryText();
    return 0;
}
