// The skintool's commands. Each takes the arguments after its group word
// ("pack", "giz", "font") and returns the process exit code: 0 on success,
// 1 for bad input (a missing or damaged file, a broken name rule), 2 for a
// wrong command line. Messages go to standard error.
#pragma once

#include <string>
#include <vector>

namespace skin {

using TArgs = std::vector<std::string>;

constexpr int kExitBadInput = 1;
constexpr int kExitUsage = 2;

int PackCommand(const TArgs& args);
int GizCommand(const TArgs& args);
int FontCommand(const TArgs& args);

// Print "skintool: " + message and return the code.
int Fail(const std::string& message);
int UsageError(const std::string& message);
void PrintUsage();

}  // namespace skin
