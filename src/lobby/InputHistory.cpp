#include "lobby/InputHistory.h"

#include <algorithm>

void TInputHistory::Addline(const std::string& text) {
    auto equal = std::find(m_lines.begin(), m_lines.end(), text);
    if (equal != m_lines.end()) m_lines.erase(equal);
    if (Count() >= kMaxLines) m_lines.pop_front();
    m_lines.push_back(text);
    m_position = Count();
}

bool TInputHistory::Previous(std::string& line) {
    if (m_lines.empty()) return false;
    if (m_position > 0) --m_position;
    line = Line(m_position);
    return true;
}

bool TInputHistory::Next(std::string& line) {
    if (m_position >= Count()) return false;
    ++m_position;
    line = Line(m_position);
    return true;
}

std::string TInputHistory::Line(int index) const {
    if (index < 0 || index >= Count()) return {};
    return m_lines[static_cast<size_t>(index)];
}
