// Ed25519 keys and detached signatures of files, with libsodium.
//
// Files on disk are hexadecimal text with a line end: a secret key (64
// bytes, libsodium's form, which holds the public key too) is written with
// mode 0600, a public key is 32 bytes, and the signature of a file F is
// 64 bytes in F + ".sig" beside it. A signature covers every byte of the
// file; a missing, malformed or wrong signature fails the check.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace release {

constexpr char kSignatureSuffix[] = ".sig";
// The longest file the release handles (a client and its skin are a few
// megabytes).
constexpr int64_t kMaxFileBytes = int64_t{1} << 30;

using TPublicKey = std::array<uint8_t, 32>;
using TSecretKey = std::array<uint8_t, 64>;
using TSignature = std::array<uint8_t, 64>;

// Initialises libsodium once; false when it cannot be used.
bool Initialise();

// A new key pair: the secret key to secretPath (refused when a file is
// there already), the public key to publicPath.
bool MakeKeyPair(const std::string& secretPath, const std::string& publicPath, std::string& error);
bool LoadSecretKey(const std::string& path, TSecretKey& key, std::string& error);
bool LoadPublicKey(const std::string& path, TPublicKey& key, std::string& error);
// The public half of a secret key, written to path.
bool WritePublicKey(const TSecretKey& key, const std::string& path, std::string& error);

// Writes path + ".sig".
bool SignFile(const TSecretKey& key, const std::string& path, std::string& error);
// True only when path + ".sig" holds a good signature of path's bytes.
bool VerifyFile(const TPublicKey& key, const std::string& path);

// Hexadecimal text and back (false for anything but exactly the right
// number of hex digits, surrounding blanks and line ends allowed).
std::string ToHex(const uint8_t* bytes, size_t n);
bool FromHex(const std::string& text, uint8_t* bytes, size_t n);

}  // namespace release
