// skintool pack create | list | extract.
#include <cstdio>

#include "Commands.h"
#include "ToolFiles.h"
#include "resources/PackWriter.h"
#include "resources/StrFuncs.h"

namespace skin {

namespace {

// Loose images are named after the image with ".giz"; pack members carry no
// extension, so the ending is dropped. Other names are taken as they are.
std::string MemberNameOf(const std::string& fileName) {
    const std::string ending = ".giz";
    if (fileName.size() > ending.size() &&
        LowerCaseAscii(fileName.substr(fileName.size() - ending.size())) == ending)
        return fileName.substr(0, fileName.size() - ending.size());
    return fileName;
}

int Create(const std::string& directory, const std::string& out) {
    std::vector<std::string> files;
    std::string error;
    if (!ListFiles(directory, files, error)) return Fail(error);
    TPackWriter writer;
    for (const std::string& file : files) {
        std::vector<uint8_t> bytes;
        if (!ReadFileBytes(JoinPath(directory, file), bytes, error)) return Fail(error);
        if (!writer.Add(MemberNameOf(file), std::move(bytes), error)) return Fail(file + ": " + error);
    }
    if (!writer.Write(out, error)) return Fail(error);
    std::printf("%s: %d members\n", out.c_str(), writer.Count());
    return 0;
}

bool Load(const std::string& path, std::vector<uint8_t>& bytes, std::vector<TPackEntry>& entries,
          std::string& error) {
    if (!ReadFileBytes(path, bytes, error)) return false;
    if (ReadPackDirectory(bytes, entries, error)) return true;
    error = path + ": " + error;
    return false;
}

int List(const std::string& path) {
    std::vector<uint8_t> bytes;
    std::vector<TPackEntry> entries;
    std::string error;
    if (!Load(path, bytes, entries, error)) return Fail(error);
    for (size_t i = 0; i < entries.size(); ++i)
        std::printf("%4zu  %-11s  %10lld  %10lld\n", i, entries[i].name.c_str(),
                    static_cast<long long>(entries[i].offset), static_cast<long long>(entries[i].size));
    return 0;
}

int Extract(const std::string& path, const std::string& directory) {
    std::vector<uint8_t> bytes;
    std::vector<TPackEntry> entries;
    std::string error;
    if (!Load(path, bytes, entries, error)) return Fail(error);
    if (!MakeDirectories(directory, error)) return Fail(error);
    for (const TPackEntry& e : entries) {
        // A damaged pack could name a member "..", or hold a "/" in a name.
        if (!TPackWriter::CheckName(e.name).empty() || e.name == "." || e.name == ".." ||
            e.name.find('/') != std::string::npos)
            return Fail(path + ": member name \"" + e.name + "\" cannot be a file name");
        const auto begin = bytes.begin() + e.offset;
        if (!WriteFileBytes(JoinPath(directory, e.name), std::vector<uint8_t>(begin, begin + e.size), error))
            return Fail(error);
    }
    std::printf("%s: %zu members written to %s\n", path.c_str(), entries.size(), directory.c_str());
    return 0;
}

}  // namespace

int PackCommand(const TArgs& args) {
    if (args.empty()) return UsageError("pack needs create, list or extract");
    const std::string& verb = args[0];
    if (verb == "create" && args.size() == 3) return Create(args[1], args[2]);
    if (verb == "list" && args.size() == 2) return List(args[1]);
    if (verb == "extract" && args.size() == 3) return Extract(args[1], args[2]);
    return UsageError("wrong arguments for pack " + verb);
}

}  // namespace skin
