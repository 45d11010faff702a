// The options must allow exactly the legal plays: on many random positions
// the final positions reachable through the options' drops equal those of
// an independent enumeration of legal plays.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "GammonTestPositions.h"
#include "rules/gammon/Board.h"
#include "rules/gammon/LegalPlays.h"
#include "rules/gammon/OptionPlays.h"

namespace {

using namespace rules::gammon;

std::string Describe(const TPosition& position) {
    std::ostringstream text;
    for (int value : position.Values()) text << value << ' ';
    text << position.Off(TColour::White) << ' ' << position.Off(TColour::Black);
    return text.str();
}

bool SameSet(std::vector<TPosition> a, std::vector<TPosition> b) {
    if (a.size() != b.size()) return false;
    return std::all_of(a.begin(), a.end(),
                       [&](const TPosition& p) { return std::find(b.begin(), b.end(), p) != b.end(); });
}

TEST(GammonOptionsProperty, OptionsReachExactlyTheLegalFinalPositions) {
    constexpr int kPositions = 10000;
    gammontest::TRandomPositions random(20240615);
    int mismatches = 0;
    for (int n = 0; n < kPositions; ++n) {
        TPosition start = random.Next();
        TColour colour = random.Colour();
        int die1 = random.Die(), die2 = random.Die();
        TBoard board;
        board.SetPosition(start);
        board.SetTurn(colour);
        board.SetDice(die1, die2);
        std::vector<TPosition> legal = LegalFinalPositions(start, colour, die1, die2);
        std::vector<TPosition> reached = ReachableThroughOptions(board);
        if (!SameSet(legal, reached) && ++mismatches <= 5)
            ADD_FAILURE() << "position " << Describe(start) << " colour " << ColourIndex(colour) << " dice " << die1
                          << "," << die2 << ": legal " << legal.size() << ", through options " << reached.size();
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
