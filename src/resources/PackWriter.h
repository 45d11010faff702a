// The pack writer, beside the reader in Pack.h: the skin tools build
// "data.pac" files with it and tests build packs with it. It also holds a
// checking directory parser for tools, which reports a damaged pack with a
// message instead of ending the process as the client's reader does.
//
// Layout written: a directory of 16-byte entries (name padded with blanks to
// 11 bytes, a reserved byte 0, the member's 32-bit little-endian offset),
// then the members back to back in directory order. The directory is sorted
// by name compared without regard to ASCII letter case.
//
// Name rules (checked by Add): 1 to 11 bytes, each a printable ASCII
// character other than the blank (a blank would be cut off as padding), and
// unique without regard to letter case. Members are at least one byte long,
// because the reader derives sizes from strictly ascending offsets, and the
// whole pack stays below 4 GiB, the reach of a 32-bit offset.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TPackEntry {
    std::string name;
    int64_t offset = 0;
    int64_t size = 0;
};

class TPackWriter {
public:
    static constexpr int kEntrySize = 16;
    static constexpr int kMaxNameLength = 11;
    static constexpr int64_t kMaxPackSize = int64_t{0xFFFFFFFF};

    // An empty text when the name may be used; otherwise why it may not.
    static std::string CheckName(const std::string& name);

    // Adds a member; false with a message in error when the name breaks a rule
    // (also when another member has it in any letter case) or the data is
    // empty.
    bool Add(const std::string& name, std::vector<uint8_t> data, std::string& error);
    int Count() const { return static_cast<int>(m_members.size()); }

    // The pack file's bytes; false with a message when there is no member or
    // the pack would pass kMaxPackSize.
    bool Build(std::vector<uint8_t>& out, std::string& error) const;
    // Build, then write the file (atomically).
    bool Write(const std::string& path, std::string& error) const;

private:
    struct TMember {
        std::string name;
        std::string key;  // lower-cased name, the sort and uniqueness key
        std::vector<uint8_t> data;
    };
    std::vector<TMember> m_members;
};

// Reads and checks a pack's directory from the whole file's bytes: false with
// a message when the header is truncated, the directory is not whole entries,
// or an offset is not strictly above the previous one, lies inside the
// directory or at or past the end of the file.
bool ReadPackDirectory(const std::vector<uint8_t>& file, std::vector<TPackEntry>& entries,
                       std::string& error);
