#include "referees/FairDice.h"

#include <sodium.h>

namespace server {

namespace {

std::string Hex(const uint8_t* bytes, size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < size; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

FairDice::FairDice() {
    if (sodium_init() < 0) return;  // the server refuses to start without libsodium
    randombytes_buf(m_key.data(), m_key.size());
}

int FairDice::Roll() { return DieAt(m_key, m_next++); }

std::string FairDice::KeyHex() const { return Hex(m_key.data(), m_key.size()); }

std::string FairDice::CommitmentHex() const { return Commitment(m_key); }

// Eight bytes of the keyed hash of n, taken modulo 6: the bias of 2^64
// modulo 6 is far below anything a match could show.
int FairDice::DieAt(const Key& key, uint64_t n) {
    uint8_t message[8];
    for (int i = 0; i < 8; ++i) message[i] = static_cast<uint8_t>(n >> (8 * i));
    uint8_t out[16];
    crypto_generichash(out, sizeof out, message, sizeof message, key.data(), key.size());
    uint64_t value = 0;
    for (int i = 7; i >= 0; --i) value = (value << 8) | out[i];
    return static_cast<int>(value % 6) + 1;
}

std::optional<FairDice::Key> FairDice::ParseKey(std::string_view hex) {
    if (hex.size() != 2 * kKeyBytes) return std::nullopt;
    Key key{};
    for (size_t i = 0; i < kKeyBytes; ++i) {
        int high = HexDigit(hex[2 * i]), low = HexDigit(hex[2 * i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        key[i] = static_cast<uint8_t>(high * 16 + low);
    }
    return key;
}

std::string FairDice::Commitment(const Key& key) {
    uint8_t out[32];
    crypto_generichash(out, sizeof out, key.data(), key.size(), nullptr, 0);
    return Hex(out, sizeof out);
}

}  // namespace server
