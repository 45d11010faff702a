#include "UploadFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Files.h"

namespace server {

UploadFile::~UploadFile() { GiveUp(); }

std::string UploadFile::LastPart(const std::string& name) {
    const size_t slash = name.find_last_of("/\\");
    std::string last = slash == std::string::npos ? name : name.substr(slash + 1);
    if (last == "." || last == "..") return "";
    for (char ch : last)
        if (static_cast<unsigned char>(ch) < 0x20) return "";
    return last;
}

bool UploadFile::Begin(const std::string& folder, const std::string& name, int64_t size, int64_t maxBytes,
                       std::string& error) {
    GiveUp();
    m_name = LastPart(name);
    if (m_name.empty()) {
        error = "no usable file name";
        return false;
    }
    if (size < 0 || size > maxBytes) {
        error = "the size must be 0 to " + std::to_string(maxBytes) + " bytes";
        return false;
    }
    if (folder.empty()) {
        error = "the server takes no uploads";
        return false;
    }
    if (!platform::DirectoryExists(folder) && !platform::MakeDirectory(folder)) {
        error = "cannot create the uploads folder";
        return false;
    }
    m_path = folder + m_name;
    m_fd = ::open((m_path + ".part").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (m_fd < 0) {
        error = "cannot create " + m_name;
        return false;
    }
    m_size = size;
    m_received = 0;
    return true;
}

UploadFile::Result UploadFile::Append(std::string_view bytes, std::string& error) {
    if (m_fd < 0) {
        error = "no upload was announced";
        return Result::Failed;
    }
    if (static_cast<int64_t>(bytes.size()) > m_size - m_received) {
        error = "more bytes than announced";
        GiveUp();
        return Result::Failed;
    }
    while (!bytes.empty()) {
        ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = "cannot write " + m_name;
            GiveUp();
            return Result::Failed;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
        m_received += n;
    }
    if (m_received < m_size) return Result::More;
    const bool synced = ::fsync(m_fd) == 0;
    ::close(m_fd);
    m_fd = -1;
    if (!synced || !platform::RenameFile(m_path + ".part", m_path)) {
        error = "cannot store " + m_name;
        platform::RemoveFile(m_path + ".part");
        return Result::Failed;
    }
    return Result::Done;
}

void UploadFile::GiveUp() {
    if (m_fd < 0) return;
    ::close(m_fd);
    m_fd = -1;
    platform::RemoveFile(m_path + ".part");
}

}  // namespace server
