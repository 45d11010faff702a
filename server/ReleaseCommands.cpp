#include "ReleaseCommands.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "release/Release.h"
#include "release/Signing.h"

namespace server {
namespace {

int Fail(const char* command, const std::string& error) {
    std::fprintf(stderr, "quorvalendix-server %s: %s\n", command, error.c_str());
    return 1;
}

int MakeUpdateKey(int argc, char** argv) {
    int i = 2;
    bool keep = i < argc && std::strcmp(argv[i], "--keep") == 0;
    if (keep) ++i;
    if (argc - i < 1 || argc - i > 2) {
        std::fprintf(stderr, "usage: %s make-update-key [--keep] KEYFILE [PUBFILE]\n", argv[0]);
        return 2;
    }
    std::string key = argv[i];
    std::string pub = argc - i == 2 ? argv[i + 1] : key + ".pub";
    std::string error;
    if (!release::Initialise()) return Fail("make-update-key", "libsodium cannot be initialised");
    if (keep && platform::FileExists(key)) {
        release::TSecretKey secret;
        if (!release::LoadSecretKey(key, secret, error) || !release::WritePublicKey(secret, pub, error))
            return Fail("make-update-key", error);
        std::printf("kept %s, wrote its public key to %s\n", key.c_str(), pub.c_str());
        return 0;
    }
    if (!release::MakeKeyPair(key, pub, error)) return Fail("make-update-key", error);
    std::printf("wrote the secret key %s and the public key %s\n", key.c_str(), pub.c_str());
    return 0;
}

int SignUpdate(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s sign-update KEYFILE FILES...\n", argv[0]);
        return 2;
    }
    std::vector<std::string> files(argv + 3, argv + argc);
    std::string folder, error;
    if (!release::SignRelease(argv[2], files, folder, error)) return Fail("sign-update", error);
    std::vector<std::string> names;
    release::ReadManifest(folder, names, error);
    std::printf("signed %zu files; release %s in %s\n", names.size(),
                release::ReleaseIdentity(folder, names).c_str(), folder.c_str());
    return 0;
}

}  // namespace

int RunReleaseCommand(int argc, char** argv) {
    if (argc < 2) return -1;
    if (std::strcmp(argv[1], "make-update-key") == 0) return MakeUpdateKey(argc, argv);
    if (std::strcmp(argv[1], "sign-update") == 0) return SignUpdate(argc, argv);
    return -1;
}

}  // namespace server
