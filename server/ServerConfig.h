// The server's configuration: sections [Server] and [Zone] (ZoneConfig.h) of
// server.ini in the server's folder. A missing file is created with the defaults on first start; a value
// that is missing, not a number or out of range takes its default (and the
// loader says which in its warnings), so a typing error never starts a server
// with a limit of zero.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "AccessLimits.h"
#include "ZoneConfig.h"
#include "web/WebSite.h"

namespace server {

struct ServerConfig {
    // Where the database and server.ini live; ends with "/".
    std::string folder;

    std::vector<uint16_t> ports{2000, 2001, 2002};  // 0 asks for any free port
    std::string bindAddress = "0.0.0.0";
    std::string database = "accounts.db";  // relative names lie in the folder

    // Users logged on at once (those waiting to be resumed included); a
    // logon beyond it is refused with "Errortoomany".
    int maxConnections = 500;
    // Connections that have not logged on, at once: a pool of their own, so
    // they never take a user's place. When it is full, a new connection
    // takes the place of the one that has waited longest.
    int anonymousConnections = 64;
    // Per source address and alias (AccessLimits.h).
    AccessSettings access;
    // The longest message a client may send (after inflating).
    int maxFrameBytes = 65536;
    // Bytes one session may hold unsent or unacknowledged before the server
    // ends it as unresponsive.
    int maxBufferedBytes = 1 << 20;

    int logonTimeoutMs = 60000;   // a connection must log on within this
    int idleTimeoutMs = 180000;   // three missed keep-alives: the socket is dead
    int gracePeriodMs = 120000;   // a dropped resumable session waits this long

    // Frames one session may send: a steady rate and a burst above it. A
    // session over its budget is not read until the budget refills.
    int floodFramesPerSecond = 100;
    int floodBurst = 400;

    // The version query (code 81) asked after the hello; empty: none.
    std::string versionQuery = "lobbivex";

    // Argon2id cost of stored passwords (the interactive limits by default).
    uint64_t hashOpsLimit = 2;
    uint64_t hashMemLimitKiB = 65536;

    // The operator's command channel: a Unix socket (relative names lie in
    // the folder); empty: none.
    std::string adminSocket = "admin.sock";

    // The signed release offered to clients before the logon (relative
    // names lie in the folder); see UpdateRelease.h.
    std::string updates = "updates";

    ZoneConfig zone;
    // The zone's web site, section [Web] (web/WebSite.h).
    web::WebSiteConfig web;

    std::string DatabasePath() const;
    // The updates folder with a trailing "/".
    std::string UpdatesPath() const;
    std::string AdminSocketPath() const;
};

// The default folder: "server/" beside the program directory (build/server/).
std::string DefaultServerFolder();

// Reads folder + "server.ini", writing the default file first when it is
// missing (and creating the folder). False with an error text when the
// folder or file cannot be created or read; warnings list values that were
// replaced by their defaults.
bool LoadServerConfig(const std::string& folder, ServerConfig& config, std::string& error,
                      std::vector<std::string>& warnings);

// The text of a default server.ini.
std::string DefaultServerIni();

}  // namespace server
