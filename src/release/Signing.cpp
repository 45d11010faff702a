#include "release/Signing.h"

#include <sodium.h>

#include "platform/Files.h"

namespace release {
namespace {

constexpr int64_t kMaxKeyText = 4096;

bool WriteText(const std::string& path, const std::string& text, unsigned mode, std::string& error) {
    if (platform::WriteFileAtomic(path, text.data(), static_cast<int64_t>(text.size()), mode)) return true;
    error = "cannot write " + path;
    return false;
}

template <size_t N>
bool LoadHex(const std::string& path, std::array<uint8_t, N>& bytes, const char* what, std::string& error) {
    std::string text;
    if (!platform::ReadWholeFile(path, text, kMaxKeyText)) {
        error = "cannot read " + path;
        return false;
    }
    if (FromHex(text, bytes.data(), N)) return true;
    error = path + " is not " + what;
    return false;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool Initialise() { return sodium_init() >= 0; }

std::string ToHex(const uint8_t* bytes, size_t n) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < n; ++i) {
        text.push_back(kDigits[bytes[i] >> 4]);
        text.push_back(kDigits[bytes[i] & 15]);
    }
    return text;
}

bool FromHex(const std::string& text, uint8_t* bytes, size_t n) {
    size_t begin = text.find_first_not_of(" \t\r\n");
    size_t end = text.find_last_not_of(" \t\r\n");
    if (begin == std::string::npos || end - begin + 1 != 2 * n) return false;
    for (size_t i = 0; i < n; ++i) {
        int high = HexDigit(text[begin + 2 * i]), low = HexDigit(text[begin + 2 * i + 1]);
        if (high < 0 || low < 0) return false;
        bytes[i] = static_cast<uint8_t>(high * 16 + low);
    }
    return true;
}

bool MakeKeyPair(const std::string& secretPath, const std::string& publicPath, std::string& error) {
    if (platform::FileExists(secretPath)) {
        error = secretPath + " exists already; a new key would orphan every signature made with it";
        return false;
    }
    TPublicKey publicKey;
    TSecretKey secretKey;
    crypto_sign_keypair(publicKey.data(), secretKey.data());
    bool ok = WriteText(secretPath, ToHex(secretKey.data(), secretKey.size()) + "\n", 0600, error) &&
              WriteText(publicPath, ToHex(publicKey.data(), publicKey.size()) + "\n", 0644, error);
    sodium_memzero(secretKey.data(), secretKey.size());
    return ok;
}

bool LoadSecretKey(const std::string& path, TSecretKey& key, std::string& error) {
    return LoadHex(path, key, "a secret key (128 hex digits)", error);
}

bool LoadPublicKey(const std::string& path, TPublicKey& key, std::string& error) {
    return LoadHex(path, key, "a public key (64 hex digits)", error);
}

bool WritePublicKey(const TSecretKey& key, const std::string& path, std::string& error) {
    TPublicKey publicKey;
    crypto_sign_ed25519_sk_to_pk(publicKey.data(), key.data());
    return WriteText(path, ToHex(publicKey.data(), publicKey.size()) + "\n", 0644, error);
}

bool SignFile(const TSecretKey& key, const std::string& path, std::string& error) {
    std::string bytes;
    if (!platform::ReadWholeFile(path, bytes, kMaxFileBytes)) {
        error = "cannot read " + path;
        return false;
    }
    TSignature signature;
    crypto_sign_detached(signature.data(), nullptr, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                         key.data());
    return WriteText(path + kSignatureSuffix, ToHex(signature.data(), signature.size()) + "\n", 0644, error);
}

bool VerifyFile(const TPublicKey& key, const std::string& path) {
    std::string bytes, error;
    TSignature signature;
    if (!LoadHex(path + kSignatureSuffix, signature, "a signature", error)) return false;
    if (!platform::ReadWholeFile(path, bytes, kMaxFileBytes)) return false;
    return crypto_sign_verify_detached(signature.data(), reinterpret_cast<const uint8_t*>(bytes.data()),
                                       bytes.size(), key.data()) == 0;
}

}  // namespace release
