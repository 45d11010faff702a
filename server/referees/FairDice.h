// Dice that the players can check afterwards. A match draws one secret key;
// die number n (from 0) is derived from the key alone by libsodium's keyed
// BLAKE2b hash of n, so the whole sequence is fixed the moment the key is.
// The key's own (unkeyed) hash is published when the match starts and the
// key when it ends: anyone holding the key can then recompute every die
// (quorvalendix-server verify-dice KEY) and see that it matches both the
// published hash and the dice that were played.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace server {

class FairDice {
public:
    static constexpr size_t kKeyBytes = 32;
    using Key = std::array<uint8_t, kKeyBytes>;

    // A fresh key from the system's random source.
    FairDice();
    explicit FairDice(const Key& key) : m_key(key) {}

    // The next die, 1..6.
    int Roll();
    // How many dice were drawn so far.
    uint64_t Count() const { return m_next; }

    std::string KeyHex() const;
    // The hex text of the key's unkeyed hash (32 bytes).
    std::string CommitmentHex() const;

    // Die number n (from 0) of the sequence of key.
    static int DieAt(const Key& key, uint64_t n);
    // A key from 64 hex digits (either case), or none.
    static std::optional<Key> ParseKey(std::string_view hex);
    static std::string Commitment(const Key& key);

private:
    Key m_key{};
    uint64_t m_next = 0;
};

}  // namespace server
