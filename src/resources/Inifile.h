// TInifile: the client's own ini reader and writer, with write-back one second
// after the last change. TSection is one [section] of it.
//
// Format, byte for byte: lines end at CR (an LF right after a CR is skipped; a
// lone LF is an ordinary byte, so an LF-only file is one line). Leading blanks
// (byte 32 only) are removed and empty lines skipped. "[name]" opens or
// continues a section (names folded to lower case; the rest of the line is
// ignored; a "[" line without "]" is ignored). Any other line with "=" is
// key=value in the current section: the key is everything before the first
// "=" (trailing blanks included), the value everything after it, exactly.
// There are no comments. A later equal key replaces an earlier one.
//
// Keys are kept sorted case-insensitively (ASCII), each in the letter case of
// its last write; values sit at the same index as their keys. Keys may hold
// "=": the file stores it as the byte 0xFF, and writing a key turns every 0xFF
// into "=".
//
// Saving writes the sections in order of creation, lower-cased, keys sorted,
// CR LF line ends and a blank line between sections; a section without keys
// is not written, so reading an absent section (which creates it) never adds
// it to the file. The file is replaced atomically, so it always holds either
// the old or the new contents; a symbolic link is followed, the file keeps its
// permissions, and a file that is not writable is not replaced: the save
// fails (see SaveOver.h).
//
// Write-back: every write after loading marks the object dirty and enables a
// 1000 ms timer whose tick saves it. A failed save keeps it dirty and the
// timer retries every second. Destroying a dirty object saves it first.
//
// Every live TInifile is in a process-wide list (not the application
// context's: it must outlive every context). When the process exits through
// exit() or a return from main, the objects still in the list that have
// unsaved changes are saved (the memory itself is left to the operating
// system).
//
// Outside input: any bytes load without a crash, in time linear in the file
// size plus n log n for sorting its keys, and in memory proportional to it
// (the bytes, plus a string pair per surviving key: about ten times the size
// for a file of tiny key lines). A file larger than kMaxFileSize is not
// loaded (the object starts empty, and its first save replaces the file).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "resources/MyMem.h"
#include "shell/MyTimer.h"

class TSection {
public:
    explicit TSection(std::string name) : m_name(std::move(name)) {}

    const std::string& Name() const { return m_name; }
    int Count() const { return static_cast<int>(m_keys.size()); }
    const std::string& Key(int index) const { return m_keys[static_cast<size_t>(index)]; }
    const std::string& Value(int index) const { return m_values[static_cast<size_t>(index)]; }

    // Index of the key equal to key without regard to ASCII case; -1 if none.
    int IndexOf(const std::string& key) const;

private:
    // Changes go through TInifile, which marks the file dirty.
    friend class TInifile;

    // Replaces an equal key (taking the new letter case) or inserts the key at
    // its sorted place; the value goes to the same index.
    void Put(const std::string& key, const std::string& value);
    // Removes the equal key with its value; false when there was none.
    bool Remove(const std::string& key);
    // Loading collects key lines as places in the file buffer, unsorted, and
    // sorts them once at the end, so a big file costs n log n rather than an
    // insertion per line, and only the surviving keys become strings.
    struct TLoadedLine {
        uint32_t keyBegin, keyLength, valueLength;  // the value follows the "="
    };
    void AppendLoaded(uint32_t keyBegin, uint32_t keyLength, uint32_t valueLength);
    void FinishLoading(const char* base);

    // Position where key belongs in the sorted list.
    size_t LowerBound(const std::string& key) const;

    std::string m_name;
    std::vector<std::string> m_keys;
    std::vector<std::string> m_values;
    std::vector<TLoadedLine> m_loaded;
};

class TInifile {
public:
    // A settings file is a few kilobytes; one beyond this is not ours and
    // is not loaded, so a runaway file cannot exhaust memory.
    static constexpr int64_t kMaxFileSize = int64_t{256} << 20;
    static constexpr int kWriteBackMs = 1000;
    // Integer lists hold port numbers and similar; 65536 entries cover every
    // port. A list from a file that would pass this (say "0-2000000000") is
    // cut off there.
    static constexpr size_t kMaxIntListNumbers = 65536;

    // Loads and parses the file; a missing or unreadable file gives an empty
    // object whose first save creates the file.
    explicit TInifile(const std::string& path);
    // Saves if dirty, stops the timer and leaves the process-wide list.
    ~TInifile();
    TInifile(const TInifile&) = delete;
    TInifile& operator=(const TInifile&) = delete;

    const std::string& Path() const { return m_path; }
    bool Dirty() const { return m_dirty; }
    int SectionCount() const { return static_cast<int>(m_sections.size()); }
    const TSection& Section(int index) const { return *m_sections[static_cast<size_t>(index)]; }

    // The section of that name (lower-cased), appended empty when absent; it
    // becomes the current section.
    TSection& FindSection(const std::string& name);

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue);
    // See ParseInteger (StrFuncs.h); anything it rejects gives the default.
    int32_t ReadInteger(const std::string& section, const std::string& key, int32_t defaultValue);
    // Items split at ","; "a-b" adds a..b when both are numbers and b >= a,
    // a number adds itself; the numbers form an ascending list without
    // duplicates. Each other item adds -1; these follow the numbers, in item
    // order. The list holds at most kMaxIntListNumbers entries; items (and
    // the rest of a range) beyond that are dropped.
    std::vector<int32_t> ReadIntList(const std::string& section, const std::string& key);

    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int32_t value);
    // Writes runs of consecutive values as "first-last" and others alone,
    // separated by ","; a null list writes nothing.
    void WriteIntList(const std::string& section, const std::string& key,
                      const std::vector<int32_t>* list);
    void WriteIntList(const std::string& section, const std::string& key,
                      const std::vector<int32_t>& list) {
        WriteIntList(section, key, &list);
    }

    // Removes the key with its value; marks dirty when there was one.
    bool DeleteKey(const std::string& section, const std::string& key);

    // Ignored while loading; otherwise dirty and the write-back timer runs.
    void MarkDirty();
    // Saves when dirty; on success (or when clean) the timer stops, on failure
    // the object stays dirty and the timer tries again a second later.
    void Flush();

    // The file text the object would save now.
    std::string SavedText();

    // Every live object, in order of creation.
    static const std::vector<TInifile*>& LiveFiles();

private:
    friend struct TInifileFinalizer;

    void Load();
    bool ReadFileIntoContents();
    void ParseContents();
    void ParseLine(char* base, char* begin, char* end);
    bool BuildContents();
    bool SaveContents();

    std::string m_path;
    TMymem m_contents;
    std::vector<std::unique_ptr<TSection>> m_sections;
    std::unordered_map<std::string, TSection*> m_sectionIndex;
    TSection* m_current = nullptr;
    bool m_loading = false;
    bool m_dirty = false;
    TMyTimer m_timer;
};

// Compressed text of an integer list, as WriteIntList writes it.
std::string IntListText(const std::vector<int32_t>& list);
// The list a value gives, as ReadIntList reads it.
std::vector<int32_t> ParseIntList(const std::string& text);
