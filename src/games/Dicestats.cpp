#include "games/Dicestats.h"

#include "net/Session.h"

// The session keeps the one record, so the lobby's "/dicestat" reads what
// the game windows counted.
rules::TDicestat& DiceStatistics() { return Session().Dicestat; }
