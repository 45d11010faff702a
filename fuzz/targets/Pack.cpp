// The pack archive reader against the tools' checking directory parser: both
// must accept and reject the same files, agree on every member's name, place
// and size, and the reader must hand out exactly the file's bytes through
// windows far smaller than the pack, whichever order members are asked in.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzHarness.h"
#include "resources/Pack.h"
#include "resources/PackWriter.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckMember(TMypack& pack, const std::vector<uint8_t>& file, const TPackEntry& entry,
                 int index) {
    const uint8_t* bytes = pack.Member(index);
    Check(bytes != nullptr);
    Check(std::memcmp(bytes, file.data() + entry.offset, size_t(entry.size)) == 0);
}

void CompareWithDirectory(TMypack& pack, const std::vector<uint8_t>& file,
                          const std::vector<TPackEntry>& entries) {
    Check(pack.Count() == int(entries.size()));
    for (int i = 0; i < pack.Count(); ++i) {
        const TPackEntry& entry = entries[size_t(i)];
        Check(pack.Name(i) == entry.name && pack.Offset(i) == entry.offset &&
              pack.MemberSize(i) == entry.size);
        // A repeated name resolves to its first entry.
        const int found = pack.IndexOf(entry.name);
        Check(found >= 0 && found <= i);
    }
    // Forwards, then backwards, so the window slides both ways.
    for (int i = 0; i < pack.Count(); ++i) CheckMember(pack, file, entries[size_t(i)], i);
    for (int i = pack.Count() - 1; i >= 0; --i) CheckMember(pack, file, entries[size_t(i)], i);
    Check(pack.Member(-1) == nullptr && pack.Member(pack.Count()) == nullptr);
}

// Two packs of the same file: every name resolves into the first one.
void CheckJoined(const std::string& path, const std::vector<TPackEntry>& entries) {
    TMypacks packs;
    packs.AddPack(path);
    packs.AddPack(path);
    Check(packs.Count() == 2 * int(entries.size()));
    for (const TPackEntry& entry : entries) {
        const int index = packs.IndexOf(entry.name);
        Check(index >= 0 && index < int(entries.size()));
        Check(packs.Member(index) != nullptr);
    }
    Check(packs.Member(packs.Count()) == nullptr && packs.MemberSize(-1) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Prepare();
    fuzz::TInputStates states;
    const std::vector<uint8_t> file(data, data + size);
    std::vector<TPackEntry> entries;
    std::string error;
    const bool valid = ReadPackDirectory(file, entries, error);
    // Windows of a few dozen bytes, so that members cross window ends.
    TMypack::SetWindowMinimum(1 + int64_t(size % 61));
    const std::string path = fuzz::WriteScratch("data.pac", data, size);
    const bool opened = fuzz::Guarded([&] {
        TMypack pack(path);
        CompareWithDirectory(pack, file, entries);
    });
    Check(opened == valid);
    if (valid) CheckJoined(path, entries);
    return 0;
}
