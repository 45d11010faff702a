#include "UpdateRelease.h"

#include <algorithm>
#include <cstdint>

#include "platform/Files.h"
#include "protocol/DialogMessages.h"
#include "release/Release.h"
#include "release/Signing.h"

namespace server {
namespace {

int64_t FileSize(const std::string& path) {
    platform::TReadFile file;
    return file.Open(path) ? file.Size() : -1;
}

}  // namespace

UpdateRelease::UpdateRelease(std::string folder) : m_folder(std::move(folder)) {}

bool UpdateRelease::Refresh() {
    m_files.clear();
    m_identity.clear();
    m_total = 0;
    std::vector<std::string> names;
    std::string error;
    if (!platform::FileExists(m_folder + release::kManifest) || !release::ReadManifest(m_folder, names, error))
        return false;
    std::vector<std::string> files = release::ReleaseFiles(names);
    int64_t total = 0;
    for (const std::string& file : files) {
        int64_t size = FileSize(m_folder + file);
        if (size < 0 || size > release::kMaxFileBytes) return false;
        total += size;
    }
    m_identity = release::ReleaseIdentity(m_folder, names);
    if (m_identity.empty()) return false;
    m_files = std::move(files);
    m_total = total;
    return true;
}

std::string UpdateRelease::Item() const {
    // The client's progress bar counts in 32-bit numbers.
    std::string item = "0,0," + std::to_string(std::min<int64_t>(m_total, INT32_MAX));
    for (const std::string& file : m_files) item += "," + file;
    return item;
}

std::string UpdateRelease::Chunk(const std::string& name, int64_t offset) const {
    protocol::TFileChunk chunk;
    chunk.HasSize = offset == 0;
    bool known = std::find(m_files.begin(), m_files.end(), name) != m_files.end();
    platform::TReadFile file;
    if (!known || !file.Open(m_folder + name)) return {};
    int64_t size = file.Size();
    if (size < 0 || offset < 0 || offset > size || (offset == size && size > 0) || size > INT32_MAX ||
        !file.Seek(offset))
        return {};
    chunk.Size = static_cast<int>(size);
    chunk.Data.resize(static_cast<size_t>(std::min(kChunkBytes, size - offset)));
    int64_t got = file.Read(chunk.Data.data(), static_cast<int64_t>(chunk.Data.size()));
    chunk.Data.resize(static_cast<size_t>(std::max<int64_t>(got, 0)));
    return protocol::Build(chunk);
}

}  // namespace server
