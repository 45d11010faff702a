// TSentLines: the chat lines a game window's user sent, for Up and Down in
// the chat entry. A line sent again moves to the end (no two are equal);
// past 50 the oldest goes. After every line the cursor stands past the
// newest, where the entry is empty: Up walks back and stays on the oldest,
// Down walks forward and past the newest gives the empty line.
#pragma once

#include <algorithm>
#include <deque>
#include <string>

class TSentLines {
public:
    static constexpr size_t kMaxLines = 50;

    void Add(const std::string& line) {
        auto equal = std::find(m_lines.begin(), m_lines.end(), line);
        if (equal != m_lines.end()) m_lines.erase(equal);
        if (m_lines.size() >= kMaxLines) m_lines.pop_front();
        m_lines.push_back(line);
        m_cursor = m_lines.size();
    }
    bool Previous(std::string& line) {
        if (m_lines.empty()) return false;
        if (m_cursor > 0) --m_cursor;
        line = m_lines[m_cursor];
        return true;
    }
    bool Next(std::string& line) {
        if (m_cursor >= m_lines.size()) return false;
        ++m_cursor;
        line = m_cursor < m_lines.size() ? m_lines[m_cursor] : std::string();
        return true;
    }
    size_t Count() const { return m_lines.size(); }

private:
    std::deque<std::string> m_lines;
    size_t m_cursor = 0;
};
