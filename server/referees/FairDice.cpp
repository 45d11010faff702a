#include "referees/FairDice.h"

#include <sodium.h>

#include "release/Signing.h"

namespace server {


FairDice::FairDice() {
    if (sodium_init() < 0) return;  // the server refuses to start without libsodium
    randombytes_buf(m_key.data(), m_key.size());
}

int FairDice::Roll() { return DieAt(m_key, m_next++); }

std::string FairDice::KeyHex() const { return release::ToHex(m_key.data(), m_key.size()); }

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
    if (!release::FromHex(std::string(hex), key.data(), key.size())) return std::nullopt;
    return key;
}

std::string FairDice::Commitment(const Key& key) {
    uint8_t out[32];
    crypto_generichash(out, sizeof out, key.data(), key.size(), nullptr, 0);
    return release::ToHex(out, sizeof out);
}

}  // namespace server
