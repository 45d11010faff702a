// The real server in this process, on a thread of its own as it would run in
// its own process, in a fresh temporary folder, with the cheapest password
// hashing and a clock that never moves (so no time-out fires while a test
// runs, whatever the machine's speed) and a flood budget no test reaches.
// A test reaches into the running server only through OnServerThread, as
// the server's own parts (the game referees, for instance) would: on its
// thread, between two passes of its loop.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Clock.h"
#include "Server.h"
#include "ServerConfig.h"

namespace e2etest {

class TServerThread {
public:
    TServerThread();
    ~TServerThread();
    TServerThread(const TServerThread&) = delete;
    TServerThread& operator=(const TServerThread&) = delete;

    // Changed before Start.
    server::ServerConfig& Config() { return m_config; }
    // Starts the server; setUp runs first, before its thread does (install
    // hooks there: afterwards the server belongs to its thread).
    bool Start(const std::function<void(server::Server&)>& setUp, std::string& error);
    // Ends the loop with the server's own shutdown and joins the thread.
    void Stop();
    uint16_t Port() const { return m_port; }
    std::vector<std::string> Log() const;
    // Runs task on the server's thread between two passes and returns when
    // it has run; false when the server is not running.
    bool OnServerThread(const std::function<void(server::Server&)>& task);

private:
    void RunTasks();

    std::string m_folder;
    server::ServerConfig m_config;
    server::ManualClock m_clock;
    std::unique_ptr<server::Server> m_server;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    uint16_t m_port = 0;
    mutable std::mutex m_logMutex;
    std::vector<std::string> m_log;
    std::mutex m_taskMutex;
    std::condition_variable m_taskDone;
    std::vector<std::function<void(server::Server&)>> m_tasks;
    uint64_t m_tasksPosted = 0, m_tasksRun = 0;
};

}  // namespace e2etest
