#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>

namespace platform {

TReadFile::~TReadFile() { Close(); }

bool TReadFile::Open(const std::string& path) {
    Close();
    m_fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) return false;
    struct stat st;
    if (fstat(m_fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        Close();
        return false;
    }
    return true;
}

int64_t TReadFile::Size() const {
    struct stat st;
    if (m_fd < 0 || fstat(m_fd, &st) != 0) return -1;
    return st.st_size;
}

int64_t TReadFile::Read(void* buffer, int64_t n) {
    if (m_fd < 0 || n <= 0) return 0;
    auto* p = static_cast<char*>(buffer);
    int64_t total = 0;
    while (total < n) {
        ssize_t r = read(m_fd, p + total, static_cast<size_t>(std::min<int64_t>(n - total, 1 << 30)));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        total += r;
    }
    return total;
}

bool TReadFile::Seek(int64_t offset) {
    // A negative offset would compare equal to lseek's -1 for failure.
    return m_fd >= 0 && offset >= 0 && lseek(m_fd, offset, SEEK_SET) == offset;
}

void TReadFile::Close() {
    if (m_fd >= 0) close(m_fd);
    m_fd = -1;
}

namespace {
bool WriteAllTo(int fd, const void* data, int64_t n) {
    auto* p = static_cast<const char*>(data);
    int64_t done = 0;
    while (done < n) {
        ssize_t w = write(fd, p + done, static_cast<size_t>(std::min<int64_t>(n - done, 1 << 30)));
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return false;
        done += w;
    }
    return true;
}
}  // namespace

bool WriteWholeFile(const std::string& path, const void* data, int64_t n) {
    if (n < 0) return false;
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = WriteAllTo(fd, data, n);
    if (close(fd) != 0) ok = false;
    return ok;
}

bool WriteFileAtomic(const std::string& path, const void* data, int64_t n, unsigned mode) {
    if (n < 0) return false;
    static std::atomic<unsigned> counter{0};
    std::string temp = path + ".tmp" + std::to_string(getpid()) + "_" + std::to_string(counter++);
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode & 0600);
    if (fd < 0) return false;
    // The umask would narrow the bits; fchmod sets them as asked.
    bool ok = fchmod(fd, mode & 07777) == 0 && WriteAllTo(fd, data, n) && fsync(fd) == 0;
    if (close(fd) != 0) ok = false;
    if (ok) ok = rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) unlink(temp.c_str());
    return ok;
}

bool ReadWholeFile(const std::string& path, std::string& out, int64_t maxBytes) {
    TReadFile file;
    if (!file.Open(path)) return false;
    int64_t size = file.Size();
    if (size < 0 || size > maxBytes) return false;
    out.assign(static_cast<size_t>(size), '\0');
    return size == 0 || file.Read(out.data(), size) == size;
}

int FileMode(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<int>(st.st_mode & 07777);
}

bool FileExists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool RemoveFile(const std::string& path) { return unlink(path.c_str()) == 0; }

bool RenameFile(const std::string& from, const std::string& to) {
    return rename(from.c_str(), to.c_str()) == 0;
}

bool ClearFileAttributes(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return false;
    return chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR) == 0;
}

bool MakeDirectory(const std::string& path) { return mkdir(path.c_str(), 0755) == 0; }

std::string ExecutableDirectory() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "./";
    std::string path(buf, static_cast<size_t>(n));
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return "./";
    return path.substr(0, slash + 1);
}

uint32_t MachineNumber(const std::string& idPath) {
    TReadFile f;
    if (!f.Open(idPath)) return 0;
    char buf[256];
    int64_t n = f.Read(buf, sizeof buf);
    if (n <= 0) return 0;
    // FNV-1a over the id's text (trailing line end excluded): stable for the
    // machine, spread over all 32 bits.
    while (n > 0 && (buf[n - 1] == '\n' || buf[n - 1] == '\r' || buf[n - 1] == ' ')) --n;
    if (n == 0) return 0;
    uint32_t h = 2166136261u;
    for (int64_t i = 0; i < n; ++i) {
        h ^= static_cast<uint8_t>(buf[i]);
        h *= 16777619u;
    }
    return h;
}

}  // namespace platform
