#include "resources/PackDirectory.h"

#include "resources/LittleEndian.h"

bool PackDirectoryLength(const uint8_t* head, int64_t fileSize, int64_t& length,
                         std::string& error) {
    if (fileSize < kPackEntrySize) {
        error = "truncated header: the file has " + std::to_string(fileSize) + " bytes";
        return false;
    }
    length = GetLE32(head + kPackOffsetField);
    if (length < kPackEntrySize || length % kPackEntrySize != 0 || length > fileSize) {
        error = "damaged directory: length " + std::to_string(length) + " in a file of " +
                std::to_string(fileSize) + " bytes";
        return false;
    }
    return true;
}

bool ParsePackDirectory(const uint8_t* directory, int64_t length, int64_t fileSize,
                        std::vector<TPackEntry>& entries, std::string& error) {
    entries.clear();
    entries.reserve(static_cast<size_t>(length / kPackEntrySize));
    for (int64_t at = 0; at + kPackEntrySize <= length; at += kPackEntrySize) {
        const uint8_t* entry = directory + at;
        int nameLength = kPackNameLength;
        while (nameLength > 0 && entry[nameLength - 1] == ' ') --nameLength;
        TPackEntry e{std::string(reinterpret_cast<const char*>(entry), static_cast<size_t>(nameLength)),
                     GetLE32(entry + kPackOffsetField), 0};
        // Members lie back to back after the directory; an empty one shares
        // its offset with the next member or with the end of the file.
        if (e.offset < length || e.offset > fileSize ||
            (!entries.empty() && e.offset < entries.back().offset)) {
            error = "damaged directory: entry " + std::to_string(at / kPackEntrySize) + " (\"" +
                    e.name + "\") has offset " + std::to_string(e.offset);
            entries.clear();
            return false;
        }
        if (!entries.empty()) entries.back().size = e.offset - entries.back().offset;
        entries.push_back(std::move(e));
    }
    if (!entries.empty()) entries.back().size = fileSize - entries.back().offset;
    return true;
}

bool ReadPackDirectory(const std::vector<uint8_t>& file, std::vector<TPackEntry>& entries,
                       std::string& error) {
    entries.clear();
    const int64_t fileSize = static_cast<int64_t>(file.size());
    int64_t length = 0;
    return PackDirectoryLength(file.data(), fileSize, length, error) &&
           ParsePackDirectory(file.data(), length, fileSize, entries, error);
}
