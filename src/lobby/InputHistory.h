// TInputHistory: the lines typed into the lobby's chat input, for Up and
// Down, with a position that walks through them.
//
// Addline keeps every line once: an equal earlier entry leaves first, so a
// line typed again moves to the end; when the history is full the oldest
// entry goes. The position then stands after the last entry, where the
// input is empty. Up (Previous) walks towards the oldest entry and stays on
// it; Down (Next) walks back and, past the newest, gives the empty line.
#pragma once

#include <deque>
#include <string>

class TInputHistory {
public:
    static constexpr int kMaxLines = 50;

    void Addline(const std::string& text);
    // False when there is no entry; otherwise the entry before the position
    // (the oldest stays where it is).
    bool Previous(std::string& line);
    // False when the position is already past the newest entry; otherwise
    // the entry after it, or the empty line past the newest.
    bool Next(std::string& line);

    int Count() const { return static_cast<int>(m_lines.size()); }
    // From 0; Count() stands after the newest entry.
    int Position() const { return m_position; }
    // From 0 (the oldest); empty out of range.
    std::string Line(int index) const;

private:
    std::deque<std::string> m_lines;
    int m_position = 0;
};
