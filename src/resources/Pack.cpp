#include "resources/Pack.h"

#include <algorithm>
#include <cstdlib>

#include "platform/Platform.h"
#include "resources/StrFuncs.h"

namespace {
constexpr int kEntrySize = 16;
constexpr int kNameLength = 11;
constexpr int kOffsetField = 12;

int64_t g_windowMinimum = TMypack::kDefaultWindowMinimum;

uint32_t ReadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
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
    DeriveSizes();
    m_capacity = std::max(g_windowMinimum, *std::max_element(m_sizes.begin(), m_sizes.end()));
    if (!m_window.SetSize(m_capacity)) {
        // Without its window the pack cannot hand out members; drop them all.
        Forget();
        return;
    }
    LoadWindow(m_offsets.front());
}

void TMypack::Forget() {
    m_names.clear();
    m_offsets.clear();
    m_sizes.clear();
    m_lookup.clear();
    m_capacity = 0;
    m_file.Close();
}

void TMypack::ReadDirectory() {
    uint8_t head[kEntrySize];
    if (!m_file.Seek(0) || m_file.Read(head, kEntrySize) != kEntrySize) Damaged();
    const int64_t length = ReadU32(head + kOffsetField);
    // The directory holds at least entry 0, is whole entries long and leaves
    // room for the members' bytes after it.
    if (length < kEntrySize || length % kEntrySize != 0 || length >= m_fileSize) Damaged();
    std::vector<uint8_t> directory(static_cast<size_t>(length));
    if (!m_file.Seek(0) || m_file.Read(directory.data(), length) != length) Damaged();
    ParseEntries(directory.data(), static_cast<int>(length / kEntrySize));
}

void TMypack::ParseEntries(const uint8_t* directory, int count) {
    const int64_t directoryEnd = static_cast<int64_t>(count) * kEntrySize;
    m_names.reserve(static_cast<size_t>(count));
    m_offsets.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const uint8_t* entry = directory + static_cast<int64_t>(i) * kEntrySize;
        int nameLength = kNameLength;
        while (nameLength > 0 && entry[nameLength - 1] == ' ') --nameLength;
        const int64_t offset = ReadU32(entry + kOffsetField);
        // Members lie back to back after the directory, each at least one
        // byte long, so every offset is inside the file and above the last.
        if (offset < directoryEnd || offset >= m_fileSize) Damaged();
        if (!m_offsets.empty() && offset <= m_offsets.back()) Damaged();
        m_names.emplace_back(reinterpret_cast<const char*>(entry), static_cast<size_t>(nameLength));
        m_offsets.push_back(offset);
        // Names are unique in a valid pack; should one repeat, the first wins.
        m_lookup.emplace(LowerCaseAscii(m_names.back()), i);
    }
}

void TMypack::DeriveSizes() {
    m_sizes.resize(m_offsets.size());
    for (size_t i = 0; i + 1 < m_offsets.size(); ++i) m_sizes[i] = m_offsets[i + 1] - m_offsets[i];
    m_sizes.back() = m_fileSize - m_offsets.back();
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
    const int64_t offset = m_offsets[static_cast<size_t>(i)];
    const int64_t size = m_sizes[static_cast<size_t>(i)];
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
