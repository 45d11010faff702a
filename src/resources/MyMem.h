// TMymem: the one growable byte buffer of the system, with one cursor shared
// by reads and writes and little-endian readers and writers. Ini text, pack
// windows, decoded pixels and network frames all live in one.
//
// Growth: a write past the size extends the size to the cursor; when that
// passes the capacity, SetSize reallocates to 1.5 times the need (at least
// 1024 bytes), so appends are amortised.
//
// The raw readers (ReadByte, ReadInt32, ReadBytes, ReadText) do not fail: the
// caller checks Size() - Position() first. They never touch memory beyond the
// size, though: the part of a read past the size reads as zero bytes (ReadText
// is cut off at the size) and the cursor stops at the size. Data from outside
// goes through the checked readers (TryRead...), which fail without moving the
// cursor when too few bytes remain.
//
// A size the buffer cannot hold (above MaxCapacity, or memory exhausted) makes
// SetSize, Reserve, the writers and InsertGap return false and leave the
// buffer exactly as it was. Negative counts are treated as 0.
//
// TFile collects a file received from the server and writes it below the
// installation root once complete.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

class TMymem {
public:
    // No buffer of the system comes near this (the largest are received files
    // and pack windows of a few megabytes); refusing above it keeps the 1.5
    // growth factor far from overflowing.
    static constexpr int64_t MaxCapacity = int64_t{1} << 40;
    static constexpr int64_t MinCapacity = 1024;

    TMymem();
    ~TMymem();
    TMymem(const TMymem&) = delete;
    TMymem& operator=(const TMymem&) = delete;

    // When set, growing allocates exactly the size asked for.
    bool FixedCapacity = false;
    // When set, shrinking below the current size allocates exactly the new size.
    bool ExactShrink = false;

    bool SetSize(int64_t n);
    void Clear() { SetSize(0); }
    bool Reserve(int64_t n);
    int64_t Size() const { return m_size; }
    int64_t Capacity() const { return m_capacity; }
    int64_t Position() const { return m_position; }
    // Negative positions become 0; a position beyond the size is allowed (a
    // following write grows the buffer up to it).
    void SetPosition(int64_t p) { m_position = p < 0 ? 0 : p; }
    int64_t Remaining() const { return m_size > m_position ? m_size - m_position : 0; }
    uint8_t* Memory() { return m_storage.get(); }
    const uint8_t* Memory() const { return m_storage.get(); }
    // 0 outside the valid bytes.
    uint8_t ByteAt(int64_t index) const {
        return index >= 0 && index < m_size ? m_storage[static_cast<size_t>(index)] : 0;
    }

    // Raw readers: the caller guarantees the bytes are there.
    uint8_t ReadByte();
    int32_t ReadInt32();
    void ReadBytes(void* destination, int64_t n);
    std::string ReadText(int64_t n);

    // Checked readers: false (cursor unchanged) when fewer bytes remain.
    bool TryReadByte(uint8_t& value);
    bool TryReadInt16(uint16_t& value);
    bool TryReadInt32(int32_t& value);
    bool TryReadBytes(void* destination, int64_t n);
    bool TryReadText(int64_t n, std::string& text);

    bool Write(const void* source, int64_t n);
    bool WriteText(const std::string& text);
    bool WriteByte(uint8_t value);
    bool WriteInt16(uint16_t value);
    bool WriteInt24(uint32_t value);
    bool WriteInt32(uint32_t value);

    bool InsertGap(int64_t n);
    void DeleteBytes(int64_t n);
    // Absolute index of the first occurrence starting at or after the cursor
    // and ending within the size; -1 when none (an empty text is never found).
    int64_t Find(const std::string& text) const;

    // Reads the whole file at the cursor (which stays), growing the size to
    // cover it. False when the file cannot be opened, is empty, or delivers
    // fewer bytes than its length; after a short read the size covers only
    // the bytes actually read.
    bool LoadFromFile(const std::string& path);
    // Creates or truncates the file with bytes 0 .. size-1; true only if all
    // were written.
    bool SaveToFile(const std::string& path) const;

private:
    struct FreeStorage {
        void operator()(uint8_t* p) const { std::free(p); }
    };

    bool Resize(int64_t n, int64_t currentSize);
    bool Reallocate(int64_t capacity);
    bool GrowTo(int64_t end);
    int64_t TakeRaw(void* destination, int64_t n);
    bool WriteLE(uint32_t value, int bytes);

    std::unique_ptr<uint8_t[], FreeStorage> m_storage;
    int64_t m_position = 0;
    int64_t m_size = 0;
    int64_t m_capacity = 0;
};

// Collects one file of announced size and writes it below the installation
// root when the last byte arrives. The announced name comes from the network:
// a name that could leave the root (absolute, a drive letter, an empty, "."
// or ".." component) is dropped unwritten. Every file-system error is
// ignored; a file that cannot be written is lost silently.
class TFile {
public:
    TFile();
    ~TFile();
    TFile(const TFile&) = delete;
    TFile& operator=(const TFile&) = delete;

    std::string Name;
    int64_t ExpectedSize = 0;
    bool KeepPaths = false;

    // Starts collecting (dropping any file still being collected); a size of
    // 0 or less does nothing.
    void Begin(const std::string& name, int64_t expectedSize);
    // Appends data; returns 0 when the file completed (and was written),
    // otherwise the number of bytes collected so far. Bytes beyond the
    // announced size are discarded. Without a file being collected: 0.
    int64_t Append(const std::string& data);
    int64_t Append(const void* data, int64_t n);
    // Writes what was collected to the target and forgets the file.
    void Finish();
    // Forgets the file being collected without writing it.
    void Drop();
    bool Collecting() const { return m_buffer != nullptr; }
    // The bytes collected so far; 0 when nothing is being collected.
    int64_t Held() const { return m_buffer ? m_buffer->Position() : 0; }

private:

    std::unique_ptr<TMymem> m_buffer;
};
