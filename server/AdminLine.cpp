#include "AdminLine.h"

#include "platform/Codepage.h"

namespace server {
namespace {

int HexDigit(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}

// Collects one word: literal UTF-8 runs are converted as a whole (a
// character may take several bytes), escaped bytes are appended as they are.
class WordBuilder {
public:
    void Literal(char ch) { m_literal.push_back(ch); }
    void Raw(char byte) {
        Flush();
        m_word.push_back(byte);
    }
    std::string Take() {
        Flush();
        std::string word;
        word.swap(m_word);
        return word;
    }

private:
    void Flush() {
        m_word += platform::Utf8ToCp1252(m_literal);
        m_literal.clear();
    }
    std::string m_literal;
    std::string m_word;
};

// Reads the escape after a backslash at line[i]; i ends on its last byte.
bool Escape(std::string_view line, size_t& i, WordBuilder& word) {
    if (i + 1 >= line.size()) return false;
    char ch = line[++i];
    switch (ch) {
        case '"':
        case '\\':
            word.Raw(ch);
            return true;
        case 'r':
            word.Raw('\r');
            return true;
        case 'n':
            word.Raw('\n');
            return true;
        case 'x': {
            int hi = i + 2 < line.size() ? HexDigit(line[i + 1]) : -1;
            int lo = hi >= 0 ? HexDigit(line[i + 2]) : -1;
            if (lo < 0) return false;
            word.Raw(static_cast<char>(hi * 16 + lo));
            i += 2;
            return true;
        }
        default:
            return false;
    }
}

}  // namespace

bool SplitWords(std::string_view line, std::vector<std::string>& words, std::string& error) {
    words.clear();
    WordBuilder word;
    bool inWord = false, quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        char ch = line[i];
        if (!quoted && (ch == ' ' || ch == '\t')) {
            if (inWord) words.push_back(word.Take());
            inWord = false;
            continue;
        }
        inWord = true;
        if (ch == '"') {
            quoted = !quoted;
        } else if (ch == '\\') {
            if (!Escape(line, i, word)) {
                error = "broken escape at character " + std::to_string(i + 1);
                return false;
            }
        } else {
            word.Literal(ch);
        }
    }
    if (quoted) {
        error = "a quote is not closed";
        return false;
    }
    if (inWord) words.push_back(word.Take());
    return true;
}

std::string QuoteWord(const std::string& utf8) {
    std::string out = "\"";
    for (char ch : utf8) {
        if (ch == '"' || ch == '\\') out.push_back('\\');
        out.push_back(ch);
    }
    return out + "\"";
}

std::string ForTerminal(const std::string& bytes) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string shown;
    for (char ch : bytes) {
        unsigned char b = static_cast<unsigned char>(ch);
        if (b < 0x20 || b == 0x7F) {
            shown += "\\x";
            shown.push_back(kHex[b >> 4]);
            shown.push_back(kHex[b & 15]);
        } else {
            shown.push_back(ch);
        }
    }
    return platform::Cp1252ToUtf8(shown);
}

}  // namespace server
