// The shared random generator of the games: a 32-bit linear congruential
// generator, seed <- seed * 134775813 + 1 (mod 2^32); a draw below n is
// (new seed * n) div 2^32 in 64-bit arithmetic. Both clients of a table and
// the server's referee start from the seed the server hands out and draw in
// the same order, so they all see the same pieces, rows and dice.
//
// A game keeps several seeds apart (Tumblix: pieces and junk rows). Each is
// a TRandom of its own, which is what "swap the seed in, draw, save it
// back" amounts to: one sequence never disturbs another.
#pragma once

#include <cstdint>

namespace rules {

class TRandom {
public:
    static constexpr uint32_t kMultiplier = 134775813u;

    TRandom() = default;
    explicit TRandom(uint32_t seed) : m_seed(seed) {}

    uint32_t Seed() const { return m_seed; }
    void SetSeed(uint32_t seed) { m_seed = seed; }

    // Advances the seed and returns a number in 0 .. n - 1; n of 0 gives 0.
    uint32_t Draw(uint32_t n) {
        m_seed = m_seed * kMultiplier + 1u;
        return static_cast<uint32_t>((static_cast<uint64_t>(m_seed) * n) >> 32);
    }

private:
    uint32_t m_seed = 0;
};

}  // namespace rules
