// The comma-separated fields of one layout line of settings.ini, for the
// game windows' own elements (dice, markers, the score sheet): cut from the
// left, a missing or non-numeric number giving the caller's default.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

class TLayoutFields {
public:
    TLayoutFields(const std::string& section, const std::string& key) {
        std::string line = SettingsFile().ReadString(section, key, "");
        while (!line.empty()) m_fields.push_back(CutField(line));
    }

    // Field n from 0, as text; empty past the end.
    std::string Text(size_t n) const { return n < m_fields.size() ? m_fields[n] : std::string(); }
    int Number(size_t n, int defaultValue) const {
        int32_t value = 0;
        return ParseInteger(Text(n), value) ? value : defaultValue;
    }
    size_t Count() const { return m_fields.size(); }

private:
    std::vector<std::string> m_fields;
};
