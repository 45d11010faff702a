// The little-endian field readers and writers of the system's file formats
// (pack directories, GIZ streams, font resources) and of TMymem. Every
// multi-byte number stored in a file or a frame goes through these, so the
// byte order is written down once.
//
// The pointer forms neither check nor move anything: the caller makes sure
// the bytes are there. AppendLE16/32 grow a byte vector.
#pragma once

#include <cstdint>
#include <vector>

inline uint16_t GetLE16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

inline uint32_t GetLE32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// Writes the low `bytes` bytes of value, lowest first.
inline void PutLE(uint8_t* p, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

inline void PutLE16(uint8_t* p, uint16_t value) { PutLE(p, value, 2); }
inline void PutLE32(uint8_t* p, uint32_t value) { PutLE(p, value, 4); }

inline void AppendLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

inline void AppendLE16(std::vector<uint8_t>& out, uint16_t value) { AppendLE(out, value, 2); }
inline void AppendLE32(std::vector<uint8_t>& out, uint32_t value) { AppendLE(out, value, 4); }
