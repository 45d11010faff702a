// The pack writer, beside the reader in Pack.h: the skin tools build
// "data.pac" files with it and tests build packs with it. Tools read a pack's
// directory back with ReadPackDirectory (PackDirectory.h), which reports a
// damaged pack with a message where the client's reader ends the process.
//
// Layout written: a directory of 16-byte entries (name padded with blanks to
// 11 bytes, a reserved byte 0, the member's 32-bit little-endian offset),
// then the members back to back in directory order. The directory is sorted
// by name compared without regard to ASCII letter case.
//
// Name rules (checked by Add): 1 to 11 bytes, each a printable ASCII
// character other than the blank (a blank would be cut off as padding), and
// unique without regard to letter case. Members are at least one byte long
// (the reader accepts empty ones, but a skin has no use for them), and the
// whole pack stays below 4 GiB, the reach of a 32-bit offset.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resources/PackDirectory.h"

class TPackWriter {
public:
    static constexpr int kEntrySize = kPackEntrySize;
    static constexpr int kMaxNameLength = kPackNameLength;
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
