#include "SourceFile.h"

#include "ToolFiles.h"

namespace skin {

std::string Trim(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    return text.substr(begin, end - begin);
}

std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == ' ' || c == '\t') {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

const std::string* TSourceSection::Find(const std::string& key) const {
    for (const TSourceLine& line : lines)
        if (!line.bare && line.key == key) return &line.value;
    return nullptr;
}

bool TSourceFile::Load(const std::string& path, std::string& error) {
    m_path = path;
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes, error)) return false;
    return Parse(std::string(bytes.begin(), bytes.end()), error);
}

namespace {

std::string Unquote(const std::string& value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

bool TSourceFile::Parse(const std::string& text, std::string& error) {
    m_sections.clear();
    size_t at = 0;
    for (int number = 1; at <= text.size(); ++number) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line = Trim(line);
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[' && line.back() == ']') {
            m_sections.push_back({line.substr(1, line.size() - 2), number, {}});
            continue;
        }
        if (m_sections.empty()) {
            error = Where(number) + "a line before the first [section]";
            return false;
        }
        TSourceLine entry;
        entry.number = number;
        entry.text = line;
        const size_t equals = line.find('=');
        if (equals == std::string::npos) {
            entry.key = line;
            entry.bare = true;
        } else {
            entry.key = Trim(line.substr(0, equals));
            entry.value = Unquote(Trim(line.substr(equals + 1)));
        }
        m_sections.back().lines.push_back(std::move(entry));
    }
    return true;
}

const TSourceSection* TSourceFile::Find(const std::string& name) const {
    for (const TSourceSection& s : m_sections)
        if (s.name == name) return &s;
    return nullptr;
}

std::string TSourceFile::Where(int line) const {
    return (m_path.empty() ? std::string("source") : m_path) + ":" + std::to_string(line) + ": ";
}

}  // namespace skin
