// The operator's upload: "/sendfile NAME" reads NAME from the program folder
// and announces it; each code 37 sends the next chunk.
#include <algorithm>

#include "lobby/Chatcommands.h"
#include "protocol/ClientMessages.h"
#include "resources/MyMem.h"
#include "resources/Paths.h"
#include "resources/StrFuncs.h"

namespace {

// The name follows "/sendfile" and one blank.
constexpr size_t kNameStart = 10;

}  // namespace

void TChatcommands::SendFile(TChatform& lobby, const std::string& line) {
    if (m_upload) {
        SystemLine(lobby, "Sysop: Already sending file");
        return;
    }
    const std::string name = line.size() > kNameStart ? line.substr(kNameStart) : std::string();
    TMymem file;
    if (name.empty() || !file.LoadFromFile(ProgramDirectory() + name)) {
        SystemLine(lobby, "Sysop: Cannot read file " + name);
        return;
    }
    m_upload = TUpload{std::string(reinterpret_cast<const char*>(file.Memory()), static_cast<size_t>(file.Size())), 0};
    Send(protocol::Build(protocol::TUploadStart{NameSent(name), static_cast<int64_t>(m_upload->bytes.size())}));
}

void TChatcommands::FileStatus(TChatform& lobby, const std::string&) {
    if (!m_upload) return;
    SystemLine(lobby, "Sysop: " + std::to_string(m_upload->position) + " / " + std::to_string(m_upload->bytes.size()));
}

// A running server or database program cannot be replaced while it runs, so
// those two go under another extension and the operator swaps them later.
std::string TChatcommands::NameSent(const std::string& name) {
    if (SameTextAscii(name, "SERVER.EXE")) return "server.ext";
    if (SameTextAscii(name, "DATABASE.EXE")) return "database.ext";
    return name;
}

void TChatcommands::SendNextChunk() {
    if (!m_upload) return;
    const size_t n = std::min(kChunkBytes, m_upload->bytes.size() - m_upload->position);
    std::string chunk = m_upload->bytes.substr(m_upload->position, n);
    m_upload->position += n;
    if (m_upload->position >= m_upload->bytes.size()) m_upload.reset();
    Send(protocol::Build(protocol::TUploadChunk{std::move(chunk)}));
}
