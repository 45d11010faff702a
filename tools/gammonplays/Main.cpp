// gammonplays: lists every distinct final position a Backgammon player can
// reach with a roll by following the options the table window offers, so
// the rules can be held against other engines.
//
// Input, one position per line (blank lines and lines starting "#" are
// skipped), numbers separated by blanks or commas:
//   26 point values (0 and 25 the bars; 0 empty, 1..15 white checkers,
//   21..35 black checkers as 20 + count), white's and black's borne-off
//   counts, whose turn ("w"/"white"/"0" or "b"/"black"/"1"), two dice.
// Output for each line: the reachable positions, one per line in the same
// encoding (26 values and the two counts), then "END" and their number.
// A line that is no valid position gives "ERROR" and a reason instead;
// the exit code is 1 when any line failed.
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "rules/gammon/Board.h"
#include "rules/gammon/OptionPlays.h"

namespace {

using namespace rules::gammon;

bool ParseTurn(const std::string& word, TColour& colour) {
    if (word == "w" || word == "white" || word == "W" || word == "0") colour = TColour::White;
    else if (word == "b" || word == "black" || word == "B" || word == "1") colour = TColour::Black;
    else return false;
    return true;
}

bool ParseInt(const std::string& word, int& value) {
    try {
        size_t used = 0;
        value = std::stoi(word, &used);
        return used == word.size();
    } catch (...) {
        return false;
    }
}

std::string Encode(const TPosition& position) {
    std::string text;
    for (int value : position.Values()) text += std::to_string(value) + " ";
    return text + std::to_string(position.Off(TColour::White)) + " " + std::to_string(position.Off(TColour::Black));
}

// One input line: the reachable positions, or the reason it is refused.
bool Answer(const std::string& line, std::ostream& out) {
    std::string spaced = line;
    for (char& c : spaced)
        if (c == ',' || c == '\t') c = ' ';
    std::istringstream words(spaced);
    std::vector<std::string> fields;
    for (std::string word; words >> word;) fields.push_back(word);
    if (fields.size() != kPointCount + 5) {
        out << "ERROR expected " << kPointCount + 5 << " fields, got " << fields.size() << "\n";
        return false;
    }
    std::array<int, kPointCount> values{};
    int numbers[4];
    TColour turn = TColour::White;
    bool ok = ParseTurn(fields[kPointCount + 2], turn);
    for (int i = 0; i < kPointCount; ++i) ok = ParseInt(fields[i], values[i]) && ok;
    int numberFields[4] = {kPointCount, kPointCount + 1, kPointCount + 3, kPointCount + 4};
    for (int i = 0; i < 4; ++i) ok = ParseInt(fields[numberFields[i]], numbers[i]) && ok;
    auto position = ok ? TPosition::FromValues(values, numbers[0], numbers[1]) : std::nullopt;
    if (!position) {
        out << "ERROR not a position\n";
        return false;
    }
    TBoard board;
    board.StartTable(turn, 1);
    board.SetPosition(*position);
    board.SetTurn(turn);
    if (!board.SetDice(numbers[2], numbers[3])) {
        out << "ERROR dice must lie in 1..6\n";
        return false;
    }
    std::vector<TPosition> finals = ReachableThroughOptions(board);
    for (const TPosition& final : finals) out << Encode(final) << "\n";
    out << "END " << finals.size() << "\n";
    return true;
}

}  // namespace

int main() {
    bool allOk = true;
    for (std::string line; std::getline(std::cin, line);) {
        size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#') continue;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        allOk = Answer(line, std::cout) && allOk;
    }
    return allOk ? 0 : 1;
}
