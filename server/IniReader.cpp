#include "IniReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <set>

#include "platform/Files.h"

namespace server {
namespace {

std::string Lower(std::string text) {
    for (char& ch : text)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return text;
}

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        char ch = text[i];
        if (ch == '\r' || ch == '\n') {
            lines.push_back(line);
            line.clear();
            if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            line.push_back(ch);
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace

bool ParseInteger(const std::string& text, long long& value) {
    std::string t = Trim(text);
    if (t.empty() || t.size() > 20) return false;
    size_t digitsAt = (t[0] == '-' || t[0] == '+') ? 1 : 0;
    if (digitsAt == t.size()) return false;
    for (size_t i = digitsAt; i < t.size(); ++i)
        if (t[i] < '0' || t[i] > '9') return false;
    errno = 0;
    long long parsed = std::strtoll(t.c_str(), nullptr, 10);
    if (errno == ERANGE) return false;
    value = parsed;
    return true;
}

void IniReader::Parse(const std::string& text) {
    std::map<std::string, std::string>* current = nullptr;
    for (const std::string& raw : SplitLines(text)) {
        std::string line = Trim(raw);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            if (close != std::string::npos)
                current = &m_sections[Lower(Trim(line.substr(1, close - 1)))];
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos || !current) continue;
        std::string key = Lower(Trim(line.substr(0, equals)));
        if (!key.empty()) (*current)[key] = Trim(line.substr(equals + 1));
    }
}

bool IniReader::Load(const std::string& path) {
    platform::TReadFile file;
    if (!file.Open(path)) return false;
    int64_t size = file.Size();
    // A configuration file is a few kilobytes; refuse anything absurd.
    constexpr int64_t kMaxIniBytes = 1 << 20;
    if (size < 0 || size > kMaxIniBytes) return false;
    std::string text(static_cast<size_t>(size), '\0');
    if (size > 0 && file.Read(text.data(), size) != size) return false;
    Parse(text);
    return true;
}

bool IniReader::Has(const std::string& section, const std::string& key) const {
    auto s = m_sections.find(Lower(section));
    return s != m_sections.end() && s->second.count(Lower(key)) != 0;
}

std::string IniReader::ReadString(const std::string& section, const std::string& key,
                                  const std::string& fallback) const {
    auto s = m_sections.find(Lower(section));
    if (s == m_sections.end()) return fallback;
    auto k = s->second.find(Lower(key));
    return k == s->second.end() ? fallback : k->second;
}

long long IniReader::ReadInteger(const std::string& section, const std::string& key,
                                 long long fallback) const {
    long long value = 0;
    return ParseInteger(ReadString(section, key, ""), value) ? value : fallback;
}

bool IniReader::ReadIntList(const std::string& section, const std::string& key,
                            std::vector<long long>& values) const {
    std::string text = ReadString(section, key, "");
    std::set<long long> found;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        std::string item = Trim(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        start = comma == std::string::npos ? text.size() + 1 : comma + 1;
        if (item.empty()) continue;
        long long a = 0, b = 0;
        size_t dash = item.find('-', 1);
        if (dash != std::string::npos) {
            // A range wider than a port range is a typing error, not a list.
            constexpr long long kMaxRange = 65536;
            if (!ParseInteger(item.substr(0, dash), a) || !ParseInteger(item.substr(dash + 1), b) ||
                b < a || b - a > kMaxRange)
                return false;
            for (long long v = a; v <= b; ++v) found.insert(v);
        } else {
            if (!ParseInteger(item, a)) return false;
            found.insert(a);
        }
    }
    values.assign(found.begin(), found.end());
    return true;
}

}  // namespace server
