#include "games/SentLines.h"

#include <algorithm>

void TSentLines::Add(const std::string& line) {
    m_lines.erase(std::remove(m_lines.begin(), m_lines.end(), line), m_lines.end());
    if (m_lines.size() >= kMaxLines) m_lines.pop_front();
    m_lines.push_back(line);
    m_cursor = m_lines.size();
}

bool TSentLines::Previous(std::string& line) {
    if (m_cursor == 0) return false;
    line = m_lines[--m_cursor];
    return true;
}

bool TSentLines::Next(std::string& line) {
    if (m_cursor >= m_lines.size()) return false;
    ++m_cursor;
    line = m_cursor < m_lines.size() ? m_lines[m_cursor] : std::string();
    return true;
}
