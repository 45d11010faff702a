// A read-only reader for server.ini.
//
// The client's TInifile ends lines only at a carriage return and has a
// write-back timer that needs the client's platform loop; the server's file
// is edited by hand on machines whose editors write bare line feeds, so the
// server reads it with this reader instead: lines end at CR, LF or CR LF;
// section and key names compare without regard to ASCII letter case; blanks
// around keys and values are dropped; lines starting with ";" or "#" and
// lines without "=" are ignored. A section that occurs twice continues the
// first one, and a later equal key replaces an earlier one.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace server {

class IniReader {
public:
    // Parses the text; never fails (malformed lines are skipped).
    void Parse(const std::string& text);
    bool Load(const std::string& path);

    bool Has(const std::string& section, const std::string& key) const;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) const;
    // Decimal integer with optional sign; anything else gives the fallback.
    long long ReadInteger(const std::string& section, const std::string& key,
                          long long fallback) const;
    // Comma-separated numbers and ranges "a-b" in ascending order without
    // duplicates; false when an item is not a number or range.
    bool ReadIntList(const std::string& section, const std::string& key,
                     std::vector<long long>& values) const;

private:
    std::map<std::string, std::map<std::string, std::string>> m_sections;
};

// Parses a whole decimal integer with optional sign and surrounding blanks.
bool ParseInteger(const std::string& text, long long& value);

// Reads an integer into target when the key is present and its value lies
// within [low, high]; a present value outside it (or not a number) leaves
// target alone and adds a warning naming the key and the value kept.
template <typename T>
void ReadBounded(const IniReader& ini, const std::string& section, const std::string& key, long long low,
                 long long high, T& target, std::vector<std::string>& warnings) {
    if (!ini.Has(section, key)) return;
    long long value = ini.ReadInteger(section, key, low - 1);
    if (value < low || value > high) {
        warnings.push_back(key + " is not a number from " + std::to_string(low) + " to " + std::to_string(high) +
                           "; using " + std::to_string(target));
        return;
    }
    target = static_cast<T>(value);
}

}  // namespace server
