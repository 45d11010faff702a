#include "resources/MyMem.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/Files.h"
#include "resources/LittleEndian.h"
#include "resources/Paths.h"

TMymem::TMymem() {
    m_storage.reset(static_cast<uint8_t*>(std::calloc(MinCapacity, 1)));
    m_capacity = m_storage ? MinCapacity : 0;
}

TMymem::~TMymem() = default;

// --- Size and capacity ---

bool TMymem::SetSize(int64_t n) { return Resize(n, m_size); }

// The growth rule, with the current size passed in: a write that runs past
// the capacity counts the size as already extended, so it gets the 1.5 factor
// even on a buffer that was empty.
bool TMymem::Resize(int64_t n, int64_t currentSize) {
    n = std::max<int64_t>(n, 0);
    if (n > MaxCapacity) return false;
    int64_t capacity = n;
    if (currentSize != 0 && !FixedCapacity) {
        capacity = n + n / 2;
        if (ExactShrink && n < currentSize) capacity = n;
    }
    capacity = std::clamp<int64_t>(capacity, MinCapacity, MaxCapacity);
    if (capacity != m_capacity && !Reallocate(capacity)) {
        // A smaller block that cannot be had is no loss: the bytes still fit.
        if (capacity > m_capacity) return false;
    }
    m_size = n;
    if (n == 0) m_position = 0;
    m_position = std::min(m_position, n);
    return true;
}

bool TMymem::Reserve(int64_t n) {
    if (n <= m_capacity) return true;
    if (n > MaxCapacity) return false;
    return Reallocate(n);
}

// Moves the storage to a fresh zeroed block, keeping the bytes that fit.
bool TMymem::Reallocate(int64_t capacity) {
    auto* block = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(capacity), 1));
    if (!block) return false;
    if (m_storage) std::memcpy(block, m_storage.get(), static_cast<size_t>(std::min(capacity, m_capacity)));
    m_storage.reset(block);
    m_capacity = capacity;
    return true;
}

// Extends the size to end, reallocating when that passes the capacity.
bool TMymem::GrowTo(int64_t end) {
    if (end <= m_size) return true;
    if (end <= m_capacity) {
        m_size = end;
        return true;
    }
    return Resize(end, end);
}

// --- Readers ---

// Copies up to n bytes from the cursor; bytes past the size read as zero and
// the cursor stops at the size. Returns the count of valid bytes copied.
int64_t TMymem::TakeRaw(void* destination, int64_t n) {
    if (n <= 0) return 0;
    int64_t take = std::min(n, Remaining());
    auto* out = static_cast<uint8_t*>(destination);
    if (take > 0) std::memcpy(out, m_storage.get() + m_position, static_cast<size_t>(take));
    if (take < n) std::memset(out + take, 0, static_cast<size_t>(n - take));
    m_position += take;
    return take;
}

uint8_t TMymem::ReadByte() {
    uint8_t value = 0;
    TakeRaw(&value, 1);
    return value;
}

int32_t TMymem::ReadInt32() {
    uint8_t b[4];
    TakeRaw(b, 4);
    return static_cast<int32_t>(GetLE32(b));
}

void TMymem::ReadBytes(void* destination, int64_t n) { TakeRaw(destination, n); }

std::string TMymem::ReadText(int64_t n) {
    std::string text;
    int64_t take = std::clamp<int64_t>(n, 0, Remaining());
    text.resize(static_cast<size_t>(take));
    TakeRaw(text.data(), take);
    return text;
}

bool TMymem::TryReadByte(uint8_t& value) {
    if (Remaining() < 1) return false;
    value = ReadByte();
    return true;
}

bool TMymem::TryReadInt16(uint16_t& value) {
    if (Remaining() < 2) return false;
    uint8_t b[2];
    TakeRaw(b, 2);
    value = GetLE16(b);
    return true;
}

bool TMymem::TryReadInt32(int32_t& value) {
    if (Remaining() < 4) return false;
    value = ReadInt32();
    return true;
}

bool TMymem::TryReadBytes(void* destination, int64_t n) {
    if (n < 0 || Remaining() < n) return false;
    TakeRaw(destination, n);
    return true;
}

bool TMymem::TryReadText(int64_t n, std::string& text) {
    if (n < 0 || Remaining() < n) return false;
    text = ReadText(n);
    return true;
}

// --- Writers ---

bool TMymem::Write(const void* source, int64_t n) {
    if (n <= 0) return true;
    if (n > MaxCapacity - m_position) return false;
    // The source may lie inside this buffer; growing moves the storage, so
    // remember it as an offset.
    auto* src = static_cast<const uint8_t*>(source);
    const uint8_t* base = m_storage.get();
    std::less_equal<const uint8_t*> le;
    bool inside = base && le(base, src) && !le(base + m_capacity, src);
    int64_t offset = inside ? src - base : 0;
    if (!GrowTo(m_position + n)) return false;
    if (inside) src = m_storage.get() + offset;
    std::memmove(m_storage.get() + m_position, src, static_cast<size_t>(n));
    m_position += n;
    return true;
}

bool TMymem::WriteText(const std::string& text) {
    return Write(text.data(), static_cast<int64_t>(text.size()));
}

bool TMymem::WriteByte(uint8_t value) { return Write(&value, 1); }

bool TMymem::WriteLE(uint32_t value, int bytes) {
    uint8_t b[4];
    PutLE(b, value, bytes);
    return Write(b, bytes);
}

bool TMymem::WriteInt16(uint16_t value) { return WriteLE(value, 2); }
bool TMymem::WriteInt24(uint32_t value) { return WriteLE(value, 3); }
bool TMymem::WriteInt32(uint32_t value) { return WriteLE(value, 4); }

// --- Editing ---

bool TMymem::InsertGap(int64_t n) {
    if (n <= 0) return true;
    if (n > MaxCapacity - m_size) return false;
    int64_t oldSize = m_size;
    int64_t from = std::min(m_position, oldSize);
    if (!GrowTo(oldSize + n)) return false;
    uint8_t* base = m_storage.get();
    std::memmove(base + from + n, base + from, static_cast<size_t>(oldSize - from));
    return true;
}

void TMymem::DeleteBytes(int64_t n) {
    if (n <= 0 || m_position >= m_size) return;
    n = std::min(n, m_size - m_position);
    uint8_t* at = m_storage.get() + m_position;
    std::memmove(at, at + n, static_cast<size_t>(m_size - m_position - n));
    m_size -= n;
}

int64_t TMymem::Find(const std::string& text) const {
    if (text.empty() || m_position >= m_size) return -1;
    std::string_view rest(reinterpret_cast<const char*>(m_storage.get() + m_position),
                          static_cast<size_t>(m_size - m_position));
    size_t at = rest.find(text);
    return at == std::string_view::npos ? -1 : m_position + static_cast<int64_t>(at);
}

// --- Files ---

bool TMymem::LoadFromFile(const std::string& path) {
    platform::TReadFile file;
    if (!file.Open(path)) return false;
    int64_t length = file.Size();
    if (length <= 0 || length > MaxCapacity - m_position) return false;
    int64_t oldSize = m_size;
    int64_t end = m_position + length;
    if (m_size < end && !SetSize(end)) return false;
    int64_t got = file.Read(m_storage.get() + m_position, length);
    if (got == length) return true;
    // The file shrank while it was read: count only what really arrived.
    m_size = got > 0 ? std::max(oldSize, m_position + got) : oldSize;
    return false;
}

bool TMymem::SaveToFile(const std::string& path) const {
    return platform::WriteWholeFile(path, m_storage.get(), m_size);
}

// --- TFile ---

namespace {

// Splits a received name at "\" and "/" into its components. False for a
// name that could reach outside the installation root: empty, absolute, with
// a colon (drive letter or stream), a NUL byte, or an empty, "." or ".."
// component.
bool SplitSafeName(const std::string& name, std::vector<std::string>& parts) {
    if (name.empty() || name.find_first_of(std::string(":\0", 2)) != std::string::npos) return false;
    size_t start = 0;
    while (true) {
        size_t stop = name.find_first_of("\\/", start);
        std::string part = name.substr(start, stop == std::string::npos ? std::string::npos : stop - start);
        if (part.empty() || part == "." || part == "..") return false;
        parts.push_back(part);
        if (stop == std::string::npos) return true;
        start = stop + 1;
    }
}

// Creates the directories of all components but the last below the root
// (outermost first, failures ignored) and returns the path relative to it.
std::string MakeDirectories(const std::string& root, const std::vector<std::string>& parts) {
    std::string relative;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        relative += parts[i];
        platform::MakeDirectory(root + relative);
        relative += "/";
    }
    return relative + parts.back();
}

bool EndsWithExe(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".exe";
}

// Removes the old file at the target. A program that cannot be replaced
// (it is running) gets its replacement beside it with the extension "ext".
std::string ClearTarget(const std::string& target) {
    platform::ClearFileAttributes(target);
    if (platform::RemoveFile(target)) return target;
    bool exists = platform::FileExists(target) || platform::DirectoryExists(target);
    if (exists && EndsWithExe(target)) return target.substr(0, target.size() - 3) + "ext";
    return target;
}

}  // namespace

TFile::TFile() = default;
TFile::~TFile() = default;

void TFile::Begin(const std::string& name, int64_t expectedSize) {
    if (expectedSize <= 0) return;
    Drop();
    Name = name;
    ExpectedSize = expectedSize;
    m_buffer = std::make_unique<TMymem>();
}

int64_t TFile::Append(const std::string& data) {
    return Append(data.data(), static_cast<int64_t>(data.size()));
}

int64_t TFile::Append(const void* data, int64_t n) {
    if (!m_buffer) return 0;
    n = std::clamp<int64_t>(n, 0, ExpectedSize - m_buffer->Position());
    if (!m_buffer->Write(data, n)) {
        Drop();  // out of memory: the file is lost, like any write failure
        return 0;
    }
    if (m_buffer->Position() < ExpectedSize) return m_buffer->Position();
    Finish();
    return 0;
}

void TFile::Finish() {
    if (!m_buffer) return;
    std::vector<std::string> parts;
    if (SplitSafeName(Name, parts)) {
        const std::string& root = InstallationRoot();
        std::string relative = KeepPaths ? MakeDirectories(root, parts) : parts.back();
        std::string target = ClearTarget(root + relative);
        platform::WriteFileAtomic(target, m_buffer->Memory(), m_buffer->Size());
    }
    Drop();
}

void TFile::Drop() {
    m_buffer.reset();
    Name.clear();
    ExpectedSize = 0;
}
