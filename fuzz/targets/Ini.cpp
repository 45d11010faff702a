// Ini files of any bytes: every key read back as text, integer and integer
// list, and the saved text read again must give the same sections, keys and
// values (what the client saves it must read back unchanged).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzHarness.h"
#include "resources/Inifile.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void ReadEverything(TInifile& ini) {
    for (int s = 0; s < ini.SectionCount(); ++s) {
        const TSection& section = ini.Section(s);
        const std::string name = section.Name();
        for (int k = 0; k < section.Count(); ++k) {
            const std::string key = section.Key(k);
            Check(section.IndexOf(key) == k);
            Check(ini.ReadString(name, key, "?") == section.Value(k));
            ini.ReadInteger(name, key, -7);
            const std::vector<int32_t> list = ini.ReadIntList(name, key);
            Check(list.size() <= TInifile::kMaxIntListNumbers + section.Value(k).size());
        }
    }
}

// The sections that hold keys, which are the ones a save writes.
void CheckSameContents(TInifile& first, TInifile& second) {
    int compared = 0;
    for (int s = 0; s < first.SectionCount(); ++s) {
        const TSection& a = first.Section(s);
        if (a.Count() == 0) continue;
        const TSection& b = second.Section(compared++);
        Check(a.Name() == b.Name() && a.Count() == b.Count());
        for (int k = 0; k < a.Count(); ++k)
            Check(a.Key(k) == b.Key(k) && a.Value(k) == b.Value(k));
    }
    Check(compared == second.SectionCount());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Prepare();
    fuzz::TInputStates states;
    const std::string path = fuzz::WriteScratch("fuzz.ini", data, size);
    TInifile ini(path);
    ReadEverything(ini);
    Check(!ini.Dirty());
    const std::string saved = ini.SavedText();
    const std::string again =
        fuzz::WriteScratch("saved.ini", reinterpret_cast<const uint8_t*>(saved.data()), saved.size());
    TInifile reread(again);
    CheckSameContents(ini, reread);
    Check(reread.SavedText() == saved);
    return 0;
}
