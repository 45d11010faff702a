// The skin's source files (skin/*.txt): a plain text format for people, read
// by the builder. Lines end at LF (a CR before it is dropped), so the sources
// edit well anywhere; the builder writes the client's own files in the
// client's format.
//
//   # a comment line (also after blanks)
//   [Section]
//   key = value        blanks around key and value are dropped; a value in
//                      double quotes keeps its inner blanks
//   a line without =   kept whole as a bare line; every line also keeps its
//                      whole text (the sound definitions read that)
//
// Values are UTF-8 text; the builder converts texts for the client to
// Windows-1252.
#pragma once

#include <string>
#include <vector>

namespace skin {

struct TSourceLine {
    std::string key;    // for a bare line, the whole line
    std::string value;
    std::string text;   // the whole line, trimmed
    bool bare = false;
    int number = 0;     // line number, for messages
};

struct TSourceSection {
    std::string name;
    int number = 0;
    std::vector<TSourceLine> lines;

    // The value of the first key line with this key (exact case); nullptr
    // when there is none.
    const std::string* Find(const std::string& key) const;
};

class TSourceFile {
public:
    // Reads and parses a file; false with a message naming the file and line
    // when it cannot be read or a line stands before the first section.
    bool Load(const std::string& path, std::string& error);
    bool Parse(const std::string& text, std::string& error);

    const std::string& Path() const { return m_path; }
    const std::vector<TSourceSection>& Sections() const { return m_sections; }
    // The first section of that name (exact case); nullptr when absent.
    const TSourceSection* Find(const std::string& name) const;
    // "path:line: " for messages.
    std::string Where(int line) const;

private:
    std::string m_path;
    std::vector<TSourceSection> m_sections;
};

// Splits at blanks; words are never empty.
std::vector<std::string> SplitWords(const std::string& text);
// Removes blanks and tabs from both ends.
std::string Trim(const std::string& text);

}  // namespace skin
