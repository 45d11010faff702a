#include "games/Dicestats.h"

rules::TDicestat& DiceStatistics() {
    static rules::TDicestat statistics;
    return statistics;
}
