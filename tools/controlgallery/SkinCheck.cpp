#include "SkinCheck.h"

#include <filesystem>
#include <system_error>

#include "graphics/GreatBitmap.h"
#include "graphics/Mybitmap.h"
#include "platform/Files.h"
#include "resources/Paths.h"
#include "resources/StrFuncs.h"

namespace {

constexpr size_t kListedNames = 3;

}  // namespace

bool TSkinCheck::Exists(const std::string& name) {
    return TMybitmap::Exists(LowerCaseAscii(name));
}

bool TSkinCheck::ButtonExists(const std::string& element) {
    return Exists(element + "on") && Exists(element + "of");
}

std::string TSkinCheck::Button(const std::string& role,
                               std::initializer_list<const char*> candidates) {
    return First(role, candidates, true);
}

std::string TSkinCheck::Image(const std::string& role,
                              std::initializer_list<const char*> candidates) {
    return First(role, candidates, false);
}

std::string TSkinCheck::First(const std::string& role,
                              std::initializer_list<const char*> candidates, bool button) {
    if (candidates.size() == 0) return {};
    const std::string own = *candidates.begin();
    const std::string what = button ? own + "on/" + own + "of" : own;
    for (const char* candidate : candidates) {
        if (!(button ? ButtonExists(candidate) : Exists(candidate))) continue;
        if (own != candidate) Note(role + ": no " + what + ", shown with " + candidate);
        return candidate;
    }
    Note(role + ": no " + what + ", left out");
    return {};
}

bool TSkinCheck::All(const std::string& role, const std::vector<std::string>& names) {
    std::vector<std::string> missing;
    for (const std::string& name : names) {
        if (!Exists(name)) missing.push_back(name);
    }
    if (missing.empty()) return true;
    // A long list says how many more, so one note stays one line or two.
    std::string list;
    for (size_t i = 0; i < missing.size() && i < kListedNames; ++i)
        list += (i > 0 ? ", " : "") + missing[i];
    if (missing.size() > kListedNames)
        list += " and " + std::to_string(missing.size() - kListedNames) + " more";
    Note(role + ": no " + list + ", left out");
    return false;
}

std::string TSkinCheck::StandIn(const std::string& role, const std::string& element,
                                std::initializer_list<const char*> candidates) {
    if (ButtonExists(element)) return element;
    for (const char* candidate : candidates) {
        if (!ButtonExists(candidate)) continue;
        if (!CopyImage(std::string(candidate) + "on", element + "on") ||
            !CopyImage(std::string(candidate) + "of", element + "of"))
            break;
        Note(role + ": no " + element + "on/" + element + "of, shown with " + candidate +
             " under that name");
        return element;
    }
    Note(role + ": no " + element + "on/" + element + "of, left out");
    return {};
}

// A pack member (or a loose image) written as the loose image of another
// name, which the image registry finds when the pack has no such member.
bool TSkinCheck::CopyImage(const std::string& from, const std::string& to) {
    const std::string target = ProgramDirectory() + "gfx/" + LowerCaseAscii(to) + ".giz";
    TMypacks& packs = TGreatBitmap::Instance().Packs();
    const int index = packs.IndexOf(LowerCaseAscii(from));
    if (index >= 0) {
        const uint8_t* bytes = packs.Member(index);
        return bytes && platform::WriteWholeFile(target, bytes, packs.MemberSize(index));
    }
    const std::string source = ProgramDirectory() + "gfx/" + LowerCaseAscii(from) + ".giz";
    std::error_code code;
    return std::filesystem::copy_file(source, target,
                                      std::filesystem::copy_options::overwrite_existing, code);
}
