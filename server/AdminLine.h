// The words of an operator's command line, and the way back.
//
// A line is words separated by blanks; a word in double quotes may hold
// blanks. Inside and outside quotes a backslash escapes: \" \\ \r \n, and
// \xNN for any byte. The operator types UTF-8; literal text becomes the
// clients' Windows-1252, escaped bytes are taken as they are (so "\x01" puts
// a field end into a raw message on purpose).
//
// Replies are UTF-8 lines for a terminal: each data line starts with a blank,
// and the last line is "ok" or "error: " and the reason.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace server {

// False with an error text on an unclosed quote or a broken escape.
bool SplitWords(std::string_view line, std::vector<std::string>& words, std::string& error);

// A word quoted so that SplitWords gives it back (as UTF-8 text).
std::string QuoteWord(const std::string& utf8);

// Client bytes as terminal text: UTF-8, control bytes written as \xNN.
std::string ForTerminal(const std::string& bytes);

}  // namespace server
