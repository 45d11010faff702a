// TMymem: the one growable byte buffer of the system, with one cursor shared
// by reads and writes and little-endian readers and writers. Ini text, pack
// windows, decoded pixels and network frames all live in one.
//
// Growth: a write past the size extends the size to the cursor; when that
// passes the capacity, SetSize reallocates to 1.5 times the need (at least
// 1024 bytes), so appends are amortised.
//
// The raw readers (ReadByte, ReadInt32, ReadBytes, ReadText) do not check the
// size: the caller checks Size() - Position() first. Data from outside goes
// through the checked readers (TryRead...), which fail without moving the
// cursor when too few bytes remain.
//
// TFile collects a file received from the server and writes it below the
// installation root once complete.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class TMymem {
public:
    TMymem();
    ~TMymem();
    TMymem(const TMymem&) = delete;
    TMymem& operator=(const TMymem&) = delete;

    // When set, growing allocates exactly the size asked for.
    bool FixedCapacity = false;
    // When set, shrinking below the current size allocates exactly the new size.
    bool ExactShrink = false;

    void SetSize(int64_t n);
    void Clear() { SetSize(0); }
    void Reserve(int64_t n);
    int64_t Size() const { return m_size; }
    int64_t Capacity() const { return m_capacity; }
    int64_t Position() const { return m_position; }
    void SetPosition(int64_t p) { m_position = p; }
    int64_t Remaining() const { return m_size - m_position; }
    uint8_t* Memory() { return m_storage.get(); }
    const uint8_t* Memory() const { return m_storage.get(); }
    uint8_t ByteAt(int64_t index) const { return m_storage[index]; }

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

    void Write(const void* source, int64_t n);
    void WriteText(const std::string& text);
    void WriteByte(uint8_t value);
    void WriteInt16(uint16_t value);
    void WriteInt24(uint32_t value);
    void WriteInt32(uint32_t value);

    void InsertGap(int64_t n);
    void DeleteBytes(int64_t n);
    // Absolute index of the first occurrence starting at or after the cursor
    // and ending within the size; -1 when none.
    int64_t Find(const std::string& text) const;

    bool LoadFromFile(const std::string& path);
    bool SaveToFile(const std::string& path) const;

private:
    void Reallocate(int64_t capacity);
    void GrowTo(int64_t end);

    std::unique_ptr<uint8_t[]> m_storage;
    int64_t m_position = 0;
    int64_t m_size = 0;
    int64_t m_capacity = 0;
};

class TFile {
public:
    TFile();
    ~TFile();

    std::string Name;
    int64_t ExpectedSize = 0;
    bool KeepPaths = false;

    void Begin(const std::string& name, int64_t expectedSize);
    // Appends data; returns 0 when the file completed (and was written),
    // otherwise the number of bytes collected so far.
    int64_t Append(const std::string& data);
    void Finish();
    bool Collecting() const { return m_buffer != nullptr; }

private:
    std::unique_ptr<TMymem> m_buffer;
};
