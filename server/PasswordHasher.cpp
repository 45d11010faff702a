#include "PasswordHasher.h"

#include <sodium.h>

namespace server {

PasswordHasher::PasswordHasher(uint64_t opsLimit, uint64_t memLimitBytes)
    : m_opsLimit(opsLimit < crypto_pwhash_OPSLIMIT_MIN ? crypto_pwhash_OPSLIMIT_MIN : opsLimit),
      m_memLimit(memLimitBytes < crypto_pwhash_MEMLIMIT_MIN ? crypto_pwhash_MEMLIMIT_MIN : memLimitBytes) {
    m_dummy = Hash("quorvalendix dummy password");
}

bool PasswordHasher::Initialise() { return sodium_init() >= 0; }

std::string PasswordHasher::Hash(const std::string& password) const {
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, password.data(), password.size(), m_opsLimit,
                          static_cast<size_t>(m_memLimit)) != 0)
        return "";
    return out;
}

bool PasswordHasher::Verify(const std::string& encoded, const std::string& password) const {
    if (encoded.empty() || encoded.size() >= crypto_pwhash_STRBYTES) return false;
    return crypto_pwhash_str_verify(encoded.c_str(), password.data(), password.size()) == 0;
}

bool PasswordHasher::NeedsRehash(const std::string& encoded) const {
    return crypto_pwhash_str_needs_rehash(encoded.c_str(), m_opsLimit,
                                          static_cast<size_t>(m_memLimit)) != 0;
}

void PasswordHasher::VerifyDummy(const std::string& password) const { Verify(m_dummy, password); }

std::string RandomToken(int n) {
    static const char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string token;
    for (int i = 0; i < n; ++i) token.push_back(kAlphabet[randombytes_uniform(sizeof kAlphabet - 1)]);
    return token;
}

uint32_t RandomSessionNumber() { return 1 + randombytes_uniform(0x7FFFFFFFu); }

}  // namespace server
