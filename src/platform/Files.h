// File system access for the layers above: reading, writing (also atomically),
// deleting, directories, the executable's directory and the machine number.
//
// Paths are byte strings passed to the operating system unchanged; the
// program's own files have ASCII names. Every function reports failure by its
// result and never throws.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// A file opened for shared reading.
class TReadFile {
public:
    TReadFile() = default;
    ~TReadFile();
    TReadFile(const TReadFile&) = delete;
    TReadFile& operator=(const TReadFile&) = delete;

    bool Open(const std::string& path);
    bool IsOpen() const { return m_fd >= 0; }
    // Length in bytes, -1 when unknown.
    int64_t Size() const;
    // Reads up to n bytes; returns the count read (0 at the end or on error).
    int64_t Read(void* buffer, int64_t n);
    bool Seek(int64_t offset);
    void Close();

private:
    int m_fd = -1;
};

// Creates or truncates the file and writes all bytes; false unless all were
// written.
bool WriteWholeFile(const std::string& path, const void* data, int64_t n);
// Writes a temporary file beside the target and renames it over the target,
// so the target holds either its old or its new contents, never a part. The
// new file gets exactly the permission bits mode (0600 keeps a secret from
// other users from its first byte on).
bool WriteFileAtomic(const std::string& path, const void* data, int64_t n, unsigned mode = 0644);
// The whole file into out; false when it cannot be read or is longer than
// maxBytes.
bool ReadWholeFile(const std::string& path, std::string& out, int64_t maxBytes);
// The permission bits of a file, -1 when there is none.
int FileMode(const std::string& path);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
bool RemoveFile(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);
// Makes the file plain and writable (the counterpart of clearing read-only).
bool ClearFileAttributes(const std::string& path);
// Creates one directory; false if it could not (also when it exists).
bool MakeDirectory(const std::string& path);

// The directory of the running executable with a trailing "/".
std::string ExecutableDirectory();

// A stable 32-bit number for this machine, derived from the machine id file
// (/etc/machine-id); 0 when it cannot be read.
uint32_t MachineNumber(const std::string& idPath = "/etc/machine-id");

}  // namespace platform
