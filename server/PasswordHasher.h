// Password hashing with libsodium's Argon2id (crypto_pwhash_str). Only the
// encoded hash (algorithm, cost, salt and digest in one text) is stored; the
// clear password lives in memory only as long as a logon is being checked.
//
// Hashing is deliberately slow (tens of milliseconds at the interactive
// limits), so the server runs it on HashWorker's threads, never on its loop;
// the methods are const and safe to call from several threads at once.
// Tests use the minimum cost.
#pragma once

#include <cstdint>
#include <string>

namespace server {

class PasswordHasher {
public:
    PasswordHasher(uint64_t opsLimit, uint64_t memLimitBytes);

    // Initialises libsodium once per process; false when it cannot be used.
    static bool Initialise();

    // An encoded hash, or an empty text when hashing failed (out of memory).
    std::string Hash(const std::string& password) const;
    bool Verify(const std::string& encoded, const std::string& password) const;
    // True when the stored hash was made with other limits than the current.
    bool NeedsRehash(const std::string& encoded) const;
    // Spends the time of one verification without a stored hash, so an
    // unknown alias answers as slowly as a wrong password.
    void VerifyDummy(const std::string& password) const;

private:
    uint64_t m_opsLimit;
    uint64_t m_memLimit;
    std::string m_dummy;
};

// n random characters from a-z and 0-9 (the web password).
std::string RandomToken(int n);
// A random number from 1 to 2^31 - 1 (the client keeps session numbers in an int).
uint32_t RandomSessionNumber();

}  // namespace server
