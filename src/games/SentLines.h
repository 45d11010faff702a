// The chat lines a user typed into a game table's entry, for Up and Down:
// at most 50, none twice (an equal earlier line leaves when it is typed
// again), with a cursor that stands past the newest after every line.
#pragma once

#include <deque>
#include <string>

class TSentLines {
public:
    static constexpr size_t kMaxLines = 50;

    void Add(const std::string& line);
    // The line before the cursor (Up); false at the oldest.
    bool Previous(std::string& line);
    // The line after the cursor (Down); past the newest an empty line.
    bool Next(std::string& line);
    size_t Count() const { return m_lines.size(); }

private:
    std::deque<std::string> m_lines;
    size_t m_cursor = 0;
};
