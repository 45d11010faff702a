// The directory of a pack file, read one way for everyone: the client's pack
// reader (Pack.h) and the skin tools (PackWriter.h) both parse it here, and
// differ only in what they do with a damaged file (the client ends the
// process, the tools report the message).
//
// Layout: 16-byte entries (11-byte name padded with blanks, one reserved byte,
// the member's 32-bit little-endian offset); the offset of entry 0 is the
// directory's length. A member runs up to the next entry's offset, the last
// one to the end of the file, so a member may be empty (two equal offsets, or
// a last offset at the end of the file) and a pack may hold nothing but its
// directory.
//
// Damage: a file shorter than one entry; a directory length that is not a
// whole number of entries or runs past the end of the file; an offset below
// the previous one, inside the directory, or past the end of the file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TPackEntry {
    std::string name;
    int64_t offset = 0;
    int64_t size = 0;
};

constexpr int kPackEntrySize = 16;
constexpr int kPackNameLength = 11;
constexpr int kPackOffsetField = 12;

// The directory's length from the file's first kPackEntrySize bytes (head
// holds them when fileSize allows); false with a message when damaged.
bool PackDirectoryLength(const uint8_t* head, int64_t fileSize, int64_t& length,
                         std::string& error);

// Parses a directory of the given length (as PackDirectoryLength gave it)
// into entries with their sizes; false with a message when damaged.
bool ParsePackDirectory(const uint8_t* directory, int64_t length, int64_t fileSize,
                        std::vector<TPackEntry>& entries, std::string& error);

// Both steps over a whole file held in memory.
bool ReadPackDirectory(const std::vector<uint8_t>& file, std::vector<TPackEntry>& entries,
                       std::string& error);
