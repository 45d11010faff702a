#include "resources/Pack.h"

#include <algorithm>
#include <cstdlib>

#include "platform/Platform.h"
#include "resources/StrFuncs.h"

namespace {
int64_t g_windowMinimum = TMypack::kDefaultWindowMinimum;
}  // namespace

// ---------------------------------------------------------------------------

void TMypack::SetWindowMinimum(int64_t bytes) { g_windowMinimum = std::max<int64_t>(bytes, 1); }
int64_t TMypack::WindowMinimum() { return g_windowMinimum; }

void TMypack::Damaged() {
    platform::Shell().Halt(0);
    std::abort();  // Halt does not return; this keeps the compiler sure of it
}

TMypack::TMypack(const std::string& path) {
    m_window.FixedCapacity = true;
    if (!m_file.Open(path)) return;
    m_fileSize = m_file.Size();
    if (m_fileSize < 0) {
        // A file whose length cannot be taken is treated like a missing one.
        m_file.Close();
        m_fileSize = 0;
        return;
    }
    ReadDirectory();
    BuildLookup();
    m_capacity = g_windowMinimum;
    for (const TPackEntry& e : m_entries) m_capacity = std::max(m_capacity, e.size);
    if (!m_window.SetSize(m_capacity)) {
        // Without its window the pack cannot hand out members; drop them all.
        Forget();
        return;
    }
    LoadWindow(m_entries.front().offset);
}

void TMypack::Forget() {
    m_entries.clear();
    m_lookup.clear();
    m_capacity = 0;
    m_file.Close();
}

void TMypack::ReadDirectory() {
    uint8_t head[kPackEntrySize];
    int64_t length = 0;
    std::string error;
    const int64_t got = m_file.Seek(0) ? m_file.Read(head, kPackEntrySize) : 0;
    if (got < kPackEntrySize || !PackDirectoryLength(head, m_fileSize, length, error)) Damaged();
    std::vector<uint8_t> directory(static_cast<size_t>(length));
    if (!m_file.Seek(0) || m_file.Read(directory.data(), length) != length ||
        !ParsePackDirectory(directory.data(), length, m_fileSize, m_entries, error))
        Damaged();
}

void TMypack::BuildLookup() {
    // Names are unique in a valid pack; should one repeat, the first wins.
    for (size_t i = 0; i < m_entries.size(); ++i)
        m_lookup.emplace(LowerCaseAscii(m_entries[i].name), static_cast<int>(i));
}

int TMypack::IndexOf(const std::string& name) const {
    auto it = m_lookup.find(LowerCaseAscii(name));
    return it == m_lookup.end() ? -1 : it->second;
}

void TMypack::LoadWindow(int64_t start) {
    m_windowStart = start;
    m_windowFilled = 0;
    const int64_t wanted = std::min(m_capacity, m_fileSize - start);
    // A shorter read (the file shrank under us) leaves the window partly
    // filled; members beyond what was read are then not handed out.
    if (wanted > 0 && m_file.Seek(start)) m_windowFilled = m_file.Read(m_window.Memory(), wanted);
}

bool TMypack::InWindow(int64_t offset, int64_t size) const {
    return offset >= m_windowStart && offset + size <= m_windowStart + m_windowFilled;
}

const uint8_t* TMypack::Member(int i) {
    if (i < 0 || i >= Count()) return nullptr;
    const int64_t offset = Entry(i).offset;
    const int64_t size = Entry(i).size;
    if (!InWindow(offset, size)) {
        // The member starts the window, or the window ends at the file's end.
        int64_t start = offset;
        if (start + m_capacity > m_fileSize) start = std::max<int64_t>(m_fileSize - m_capacity, 0);
        LoadWindow(start);
        if (!InWindow(offset, size)) return nullptr;
    }
    return m_window.Memory() + (offset - m_windowStart);
}

// ---------------------------------------------------------------------------

void TMypacks::AddPack(const std::string& path) {
    auto pack = std::make_unique<TMypack>(path);
    if (pack->Count() > 0) m_packs.push_back(std::move(pack));
}

int TMypacks::Count() const {
    int total = 0;
    for (const auto& pack : m_packs) total += pack->Count();
    return total;
}

int TMypacks::IndexOf(const std::string& name) const {
    int before = 0;
    for (const auto& pack : m_packs) {
        const int i = pack->IndexOf(name);
        if (i >= 0) return before + i;
        before += pack->Count();
    }
    return -1;
}

bool TMypacks::Resolve(int globalIndex, int& pack, int& local) const {
    if (globalIndex < 0) return false;
    local = globalIndex;
    for (pack = 0; pack < PackCount(); ++pack) {
        const int count = m_packs[static_cast<size_t>(pack)]->Count();
        if (local < count) return true;
        local -= count;
    }
    return false;
}

const uint8_t* TMypacks::Member(int globalIndex) {
    int pack = 0, local = 0;
    if (!Resolve(globalIndex, pack, local)) return nullptr;
    return m_packs[static_cast<size_t>(pack)]->Member(local);
}

int64_t TMypacks::MemberSize(int globalIndex) const {
    int pack = 0, local = 0;
    if (!Resolve(globalIndex, pack, local)) return 0;
    return m_packs[static_cast<size_t>(pack)]->MemberSize(local);
}
