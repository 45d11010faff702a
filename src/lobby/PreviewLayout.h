// The numbers of the preview strip's layout lines (settings.ini, section
// "Chat"): a line is cut from the left at commas; a missing or non-numeric
// number takes the caller's default.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

class TPreviewLayout {
public:
    TPreviewLayout(const std::string& section, const std::string& key)
        : m_line(SettingsFile().ReadString(section, key, "")) {}

    // The next field as a number, or the default.
    int Next(int defaultValue) {
        int32_t value = 0;
        return ParseInteger(CutField(m_line), value) ? value : defaultValue;
    }
    // The next field as text.
    std::string NextText() { return CutField(m_line); }

private:
    std::string m_line;
};
