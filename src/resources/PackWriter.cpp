#include "resources/PackWriter.h"

#include <algorithm>

#include "platform/Files.h"
#include "resources/LittleEndian.h"
#include "resources/StrFuncs.h"

std::string TPackWriter::CheckName(const std::string& name) {
    if (name.empty()) return "member name is empty";
    if (name.size() > static_cast<size_t>(kMaxNameLength))
        return "member name \"" + name + "\" has " + std::to_string(name.size()) +
               " characters, at most " + std::to_string(kMaxNameLength) + " are allowed";
    for (unsigned char c : name)
        if (c <= ' ' || c >= 127)
            return "member name \"" + name + "\" holds a blank, control or non-ASCII character";
    return {};
}

bool TPackWriter::Add(const std::string& name, std::vector<uint8_t> data, std::string& error) {
    error = CheckName(name);
    if (!error.empty()) return false;
    if (data.empty()) {
        error = "member \"" + name + "\" is empty";
        return false;
    }
    TMember member{name, LowerCaseAscii(name), std::move(data)};
    for (const TMember& m : m_members) {
        if (m.key == member.key) {
            error = "member name \"" + name + "\" is already used by \"" + m.name + "\"";
            return false;
        }
    }
    m_members.push_back(std::move(member));
    return true;
}

bool TPackWriter::Build(std::vector<uint8_t>& out, std::string& error) const {
    if (m_members.empty()) {
        error = "a pack needs at least one member";
        return false;
    }
    std::vector<const TMember*> order;
    for (const TMember& m : m_members) order.push_back(&m);
    std::sort(order.begin(), order.end(),
              [](const TMember* a, const TMember* b) { return a->key < b->key; });

    const int64_t directory = static_cast<int64_t>(order.size()) * kEntrySize;
    int64_t total = directory;
    for (const TMember* m : order) total += static_cast<int64_t>(m->data.size());
    if (total > kMaxPackSize) {
        error = "the pack would be " + std::to_string(total) + " bytes, more than a 32-bit offset reaches";
        return false;
    }
    out.assign(static_cast<size_t>(directory), 0);
    int64_t offset = directory;
    for (size_t i = 0; i < order.size(); ++i) {
        uint8_t* entry = out.data() + i * kEntrySize;
        std::fill(entry, entry + kMaxNameLength, static_cast<uint8_t>(' '));
        std::copy(order[i]->name.begin(), order[i]->name.end(), entry);
        PutLE32(entry + kPackOffsetField, static_cast<uint32_t>(offset));
        offset += static_cast<int64_t>(order[i]->data.size());
    }
    out.reserve(static_cast<size_t>(total));
    for (const TMember* m : order) out.insert(out.end(), m->data.begin(), m->data.end());
    return true;
}

bool TPackWriter::Write(const std::string& path, std::string& error) const {
    std::vector<uint8_t> bytes;
    if (!Build(bytes, error)) return false;
    if (!platform::WriteFileAtomic(path, bytes.data(), static_cast<int64_t>(bytes.size()))) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
