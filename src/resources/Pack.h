// The pack archive: TMypack reads one "data.pac" file, TMypacks joins several
// into one name space in which the first pack holding a name wins.
//
// A pack is a directory of 16-byte entries (11-byte blank-padded name, one
// reserved byte, 32-bit little-endian offset) followed by the members' bytes;
// a member runs up to the next entry's offset, the last one to the end of the
// file. Members are read through one sliding window per pack, so a pack of any
// size costs one buffer of max(window minimum, largest member) bytes.
//
// Lifetime of addresses: the address Member returns lies inside the pack's
// window and stays valid only until the next Member call on the same pack.
// Decode or copy the member at once.
//
// Damaged files: a file that cannot be opened is a pack without members. A
// file whose header is truncated, or whose directory is damaged (see
// PackDirectory.h: offsets descending, pointing into the directory or past
// the end of the file), ends the process at once without a message (platform
// Halt(0)), because the skin beside the program is broken beyond repair.
// Empty members, and a pack holding nothing but its directory, are valid:
// their members have size 0.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Files.h"
#include "resources/MyMem.h"
#include "resources/PackDirectory.h"

class TMypack {
public:
    // The smallest window of every pack opened afterwards; start-up sets it.
    static constexpr int64_t kDefaultWindowMinimum = 3'000'000;
    static void SetWindowMinimum(int64_t bytes);
    static int64_t WindowMinimum();

    // Opens the file and reads its directory (see the header comment for
    // what happens to damaged files).
    explicit TMypack(const std::string& path);
    TMypack(const TMypack&) = delete;
    TMypack& operator=(const TMypack&) = delete;

    // Number of members; 0 when the file failed to open.
    int Count() const { return static_cast<int>(m_entries.size()); }
    // Directory index of a name, matched without regard to letter case (A-Z
    // fold to a-z, as everywhere in the system); -1
    // when the pack does not hold it.
    int IndexOf(const std::string& name) const;
    // Name, file offset and length of member i (i must be in range).
    const std::string& Name(int i) const { return Entry(i).name; }
    int64_t Offset(int i) const { return Entry(i).offset; }
    int64_t MemberSize(int i) const { return Entry(i).size; }

    // Address of member i's first byte inside the window, moving the window
    // when the member does not lie wholly inside it; nullptr when i is out of
    // range or the file no longer holds the member's bytes. An empty member
    // has an address too; it must not be read.
    const uint8_t* Member(int i);

    int64_t FileSize() const { return m_fileSize; }
    int64_t WindowCapacity() const { return m_capacity; }
    int64_t WindowStart() const { return m_windowStart; }

private:
    [[noreturn]] static void Damaged();
    void Forget();
    const TPackEntry& Entry(int i) const { return m_entries[static_cast<size_t>(i)]; }
    void ReadDirectory();
    void BuildLookup();
    void LoadWindow(int64_t start);
    bool InWindow(int64_t offset, int64_t size) const;

    platform::TReadFile m_file;
    int64_t m_fileSize = 0;
    std::vector<TPackEntry> m_entries;  // directory order
    std::unordered_map<std::string, int> m_lookup;  // lower-cased name -> index
    TMymem m_window;
    int64_t m_capacity = 0;
    int64_t m_windowStart = 0;
    int64_t m_windowFilled = 0;  // bytes actually read into the window
};

class TMypacks {
public:
    // Opens a pack and keeps it when it has at least one member.
    void AddPack(const std::string& path);
    int PackCount() const { return static_cast<int>(m_packs.size()); }
    // Members of all packs together.
    int Count() const;

    // Global index (index within its pack plus the member counts of the packs
    // before it) of the first pack in list order that holds the name; -1 when
    // none does.
    int IndexOf(const std::string& name) const;
    // The member's address as TMypack::Member gives it; nullptr when the
    // index is out of range.
    const uint8_t* Member(int globalIndex);
    // Length of a member; 0 when the index is out of range.
    int64_t MemberSize(int globalIndex) const;

private:
    // The pack holding a global index and the index within it; false when out
    // of range.
    bool Resolve(int globalIndex, int& pack, int& local) const;

    std::vector<std::unique_ptr<TMypack>> m_packs;
};
