// The signed release the server offers to clients (release/Release.h): the
// manifest, files and signatures in the updates folder, announced before the
// logon prompt to a client whose installed release (its answer to the
// version query "update") differs, and sent chunk by chunk on the client's
// file requests (0x1A name, offset -> code 26).
//
// The folder is read again at every Refresh (each new connection's hello),
// so a release published while the server runs reaches the next client
// without a restart. A folder without a manifest, or with a signature
// missing, offers nothing; the server does not check signatures itself
// (the client's launcher does, with the key the client shipped with).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/FrameCodec.h"

namespace server {

class UpdateRelease {
public:
    // The longest chunk of one code 26 message: as large as fits well inside
    // a plain (uncompressed) frame, since every chunk costs the client a
    // round trip.
    static constexpr int64_t kChunkBytes = 28 * 1024;
    static_assert(kChunkBytes + 32 <= protocol::kMaxPlainMessage);

    // folder ends with "/".
    explicit UpdateRelease(std::string folder);

    // Reads the folder again; false when it holds no complete release.
    bool Refresh();
    bool Available() const { return !m_identity.empty(); }
    const std::string& Identity() const { return m_identity; }
    // The announcement (code 83): kind "0" (a program update), "0", the
    // total size, then every file to fetch.
    std::string Item() const;
    // The code 26 answer to a request of the file from that offset: at most
    // kChunkBytes; the size field only with offset 0 (an empty file is one
    // chunk of size 0). Empty when the release does not hold the name (it
    // changed since it was announced) or the offset lies outside the file:
    // no answer could put the client right, so its session ends.
    std::string Chunk(const std::string& name, int64_t offset) const;

private:
    std::string m_folder;
    std::vector<std::string> m_files;
    std::string m_identity;
    int64_t m_total = 0;
};

}  // namespace server
