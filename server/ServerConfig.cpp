#include "ServerConfig.h"

#include "IniReader.h"
#include "platform/Files.h"

namespace server {
namespace {

const char* const kSection = "Server";

std::string WithSlash(std::string folder) {
    if (folder.empty()) folder = "./";
    if (folder.back() != '/') folder.push_back('/');
    return folder;
}

bool EnsureFolder(const std::string& folder) {
    if (platform::DirectoryExists(folder)) return true;
    // Create the parents first, one level at a time.
    for (size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        std::string part = folder.substr(0, slash);
        if (!platform::DirectoryExists(part)) platform::MakeDirectory(part);
    }
    return platform::DirectoryExists(folder);
}

template <typename T>
void ReadBounded(const IniReader& ini, const char* key, long long low, long long high, T& target,
                 std::vector<std::string>& warnings) {
    server::ReadBounded(ini, kSection, key, low, high, target, warnings);
}

void ReadSeconds(const IniReader& ini, const char* key, int& targetMs,
                 std::vector<std::string>& warnings) {
    // Seconds in the file, milliseconds inside.
    int seconds = targetMs / 1000;
    ReadBounded(ini, key, 1, 86400, seconds, warnings);
    targetMs = seconds * 1000;
}

void ReadPorts(const IniReader& ini, ServerConfig& config, std::vector<std::string>& warnings) {
    if (!ini.Has(kSection, "Ports")) return;
    std::vector<long long> values;
    bool ok = ini.ReadIntList(kSection, "Ports", values) && !values.empty() && values.size() <= 64;
    for (long long v : values) ok = ok && v >= 0 && v <= 65535;
    if (!ok) {
        warnings.push_back("Ports is not a list of 1 to 64 port numbers; using the defaults");
        return;
    }
    config.ports.clear();
    for (long long v : values) config.ports.push_back(static_cast<uint16_t>(v));
}

void ReadValues(const IniReader& ini, ServerConfig& config, std::vector<std::string>& warnings) {
    ReadPorts(ini, config, warnings);
    config.bindAddress = ini.ReadString(kSection, "BindAddress", config.bindAddress);
    config.database = ini.ReadString(kSection, "Database", config.database);
    config.versionQuery = ini.ReadString(kSection, "VersionQuery", config.versionQuery);
    config.adminSocket = ini.ReadString(kSection, "AdminSocket", config.adminSocket);
    config.updates = ini.ReadString(kSection, "Updates", config.updates);
    ReadBounded(ini, "MaxConnections", 1, 100000, config.maxConnections, warnings);
    ReadBounded(ini, "AnonymousConnections", 1, 10000, config.anonymousConnections, warnings);
    ReadBounded(ini, "ConnectionsPerAddress", 1, 100000, config.access.connectionsPerAddress, warnings);
    ReadBounded(ini, "ConnectionsPerMinute", 1, 1000000, config.access.connectionsPerMinute, warnings);
    ReadBounded(ini, "FreeLogonFailures", 0, 1000, config.access.freeLogonFailures, warnings);
    ReadSeconds(ini, "LogonPenalty", config.access.logonPenaltyMs, warnings);
    ReadSeconds(ini, "MaxLogonPenalty", config.access.maxLogonPenaltyMs, warnings);
    ReadBounded(ini, "MaxFrameBytes", 1024, 16 << 20, config.maxFrameBytes, warnings);
    ReadBounded(ini, "MaxBufferedBytes", 64 << 10, 256 << 20, config.maxBufferedBytes, warnings);
    ReadSeconds(ini, "LogonTimeout", config.logonTimeoutMs, warnings);
    ReadSeconds(ini, "IdleTimeout", config.idleTimeoutMs, warnings);
    ReadSeconds(ini, "GracePeriod", config.gracePeriodMs, warnings);
    ReadBounded(ini, "FloodFramesPerSecond", 1, 100000, config.floodFramesPerSecond, warnings);
    ReadBounded(ini, "FloodBurst", 1, 1000000, config.floodBurst, warnings);
    // libsodium's Argon2id accepts 1 pass and 8 KiB at the least.
    ReadBounded(ini, "HashOpsLimit", 1, 16, config.hashOpsLimit, warnings);
    ReadBounded(ini, "HashMemLimitKiB", 8, 4 << 20, config.hashMemLimitKiB, warnings);
}

}  // namespace

namespace {

std::string InFolder(const std::string& folder, const std::string& name) {
    if (!name.empty() && name[0] == '/') return name;
    return folder + name;
}

}  // namespace

std::string ServerConfig::DatabasePath() const { return InFolder(folder, database); }

std::string ServerConfig::AdminSocketPath() const { return adminSocket.empty() ? "" : InFolder(folder, adminSocket); }

std::string ServerConfig::UpdatesPath() const { return WithSlash(InFolder(folder, updates)); }

std::string DefaultServerFolder() {
    // The program directory's parent is the installation root.
    std::string program = platform::ExecutableDirectory();
    size_t slash = program.size() >= 2 ? program.find_last_of('/', program.size() - 2) : std::string::npos;
    std::string root = slash == std::string::npos ? program + "../" : program.substr(0, slash + 1);
    return root + "server/";
}

std::string DefaultServerIni() {
    ServerConfig d;
    const char* crlf = "\r\n";
    std::string t;
    auto line = [&](const std::string& text) { t += text + crlf; };
    line("; Quorvalendix game-zone server. Times are in seconds.");
    line("[Server]");
    line("Ports=2000-2002");
    line("BindAddress=" + d.bindAddress);
    line("Database=" + d.database);
    line("MaxConnections=" + std::to_string(d.maxConnections));
    line("AnonymousConnections=" + std::to_string(d.anonymousConnections));
    line("; Per source address: connections open at once, and new ones per minute.");
    line("ConnectionsPerAddress=" + std::to_string(d.access.connectionsPerAddress));
    line("ConnectionsPerMinute=" + std::to_string(d.access.connectionsPerMinute));
    line("; Failed logons of an address or alias beyond this many make its next logon");
    line("; wait LogonPenalty, doubled with every further failure up to MaxLogonPenalty.");
    line("FreeLogonFailures=" + std::to_string(d.access.freeLogonFailures));
    line("LogonPenalty=" + std::to_string(d.access.logonPenaltyMs / 1000));
    line("MaxLogonPenalty=" + std::to_string(d.access.maxLogonPenaltyMs / 1000));
    line("MaxFrameBytes=" + std::to_string(d.maxFrameBytes));
    line("MaxBufferedBytes=" + std::to_string(d.maxBufferedBytes));
    line("LogonTimeout=" + std::to_string(d.logonTimeoutMs / 1000));
    line("IdleTimeout=" + std::to_string(d.idleTimeoutMs / 1000));
    line("GracePeriod=" + std::to_string(d.gracePeriodMs / 1000));
    line("FloodFramesPerSecond=" + std::to_string(d.floodFramesPerSecond));
    line("FloodBurst=" + std::to_string(d.floodBurst));
    line("VersionQuery=" + d.versionQuery);
    line("HashOpsLimit=" + std::to_string(d.hashOpsLimit));
    line("HashMemLimitKiB=" + std::to_string(d.hashMemLimitKiB));
    line("; The operator's channel (see quorvalendix-server admin help); empty: none.");
    line("AdminSocket=" + d.adminSocket);
    line("; The signed release offered to clients (see server/README.md, Releasing an update).");
    line("Updates=" + d.updates);
    return t + DefaultZoneIni() + web::DefaultWebIni();
}

bool LoadServerConfig(const std::string& folderIn, ServerConfig& config, std::string& error,
                      std::vector<std::string>& warnings) {
    std::string folder = WithSlash(folderIn);
    if (!EnsureFolder(folder)) {
        error = "cannot create the folder " + folder;
        return false;
    }
    std::string path = folder + "server.ini";
    if (!platform::FileExists(path)) {
        std::string text = DefaultServerIni();
        if (!platform::WriteFileAtomic(path, text.data(), static_cast<int64_t>(text.size()))) {
            error = "cannot write " + path;
            return false;
        }
    }
    IniReader ini;
    if (!ini.Load(path)) {
        error = "cannot read " + path;
        return false;
    }
    config = ServerConfig{};
    config.folder = folder;
    ReadValues(ini, config, warnings);
    ReadZoneConfig(ini, config.zone, warnings);
    web::ReadWebSiteConfig(ini, config.web, warnings);
    config.zone.uploadFolder = folder + "uploads/";
    return true;
}

}  // namespace server
