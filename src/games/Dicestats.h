// The dice statistics of the whole run, one record shared by the
// Backgammon and Yatzy windows and read by the lobby's "/dicestat".
#pragma once

#include "rules/Dicestat.h"

rules::TDicestat& DiceStatistics();
