// One file the operator uploads from the client: announced with its name
// and size, then received in chunks and written below the server's uploads
// folder.
//
// The name is reduced to its last part (after the last "/" or "\"), so no
// name reaches outside the folder; "", "." and ".." are refused. The bytes
// go to NAME + ".part" and take the name only when the announced size has
// arrived, so a half upload never stands where a finished one is looked
// for; an upload given up (the user leaves, the chunks overrun the size)
// removes its part file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace server {

class UploadFile {
public:
    enum class Result { More, Done, Failed };

    UploadFile() = default;
    ~UploadFile();
    UploadFile(const UploadFile&) = delete;
    UploadFile& operator=(const UploadFile&) = delete;

    // False with a reason when the name, the size or the folder will not do.
    bool Begin(const std::string& folder, const std::string& name, int64_t size, int64_t maxBytes,
               std::string& error);
    // Failed (with a reason) when the bytes would pass the announced size or
    // cannot be written; the upload is then given up.
    Result Append(std::string_view bytes, std::string& error);

    const std::string& Name() const { return m_name; }
    int64_t Received() const { return m_received; }
    int64_t Size() const { return m_size; }

    // The last part of a path written with "/" or "\"; empty when nothing
    // usable is left.
    static std::string LastPart(const std::string& name);

private:
    void GiveUp();

    int m_fd = -1;
    std::string m_name, m_path;
    int64_t m_size = 0, m_received = 0;
};

}  // namespace server
