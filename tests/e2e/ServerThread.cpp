#include "ServerThread.h"

#include <cstdlib>
#include <filesystem>

namespace e2etest {
namespace {

constexpr int kPassMs = 5;

}  // namespace

TServerThread::TServerThread() {
    char pattern[] = "/tmp/qve2eXXXXXX";
    const char* made = mkdtemp(pattern);
    m_folder = made ? std::string(made) + "/" : std::string();
    m_config.folder = m_folder;
    m_config.ports = {0};
    m_config.bindAddress = "127.0.0.1";
    m_config.web.port = 0;
    m_config.hashOpsLimit = 1;
    m_config.hashMemLimitKiB = 8;
    m_config.floodBurst = 100000000;
    // All clients come from loopback.
    m_config.access.connectionsPerAddress = 100000;
    m_config.access.connectionsPerMinute = 1000000;
}

TServerThread::~TServerThread() {
    Stop();
    m_server.reset();
    std::error_code ignored;
    if (!m_folder.empty()) std::filesystem::remove_all(m_folder, ignored);
}

bool TServerThread::Start(const std::function<void(server::Server&)>& setUp, std::string& error) {
    if (m_folder.empty()) {
        error = "no temporary folder";
        return false;
    }
    m_server = std::make_unique<server::Server>(m_config, m_clock);
    m_server->SetLog([this](const std::string& line) {
        std::lock_guard<std::mutex> lock(m_logMutex);
        m_log.push_back(line);
    });
    if (setUp) setUp(*m_server);
    if (!m_server->Start(error)) return false;
    m_port = m_server->Ports().front();
    // The server's own Run waits up to half a second per pass; short passes
    // let Stop end the loop at once.
    m_thread = std::thread([this] {
        while (!m_stop.load()) {
            m_server->Poll(kPassMs);
            RunTasks();
        }
        m_server->Shutdown();
        RunTasks();
    });
    return true;
}

void TServerThread::Stop() {
    m_stop.store(true);
    if (m_thread.joinable()) m_thread.join();
}

bool TServerThread::OnServerThread(const std::function<void(server::Server&)>& task) {
    std::unique_lock<std::mutex> lock(m_taskMutex);
    if (!m_thread.joinable() || m_stop.load()) return false;
    m_tasks.push_back(task);
    const uint64_t mine = ++m_tasksPosted;
    m_taskDone.wait(lock, [&] { return m_tasksRun >= mine; });
    return true;
}

// Tasks posted after the last pass find the loop ended; they run here all
// the same, so no caller waits for ever.
void TServerThread::RunTasks() {
    std::vector<std::function<void(server::Server&)>> tasks;
    {
        std::lock_guard<std::mutex> lock(m_taskMutex);
        tasks.swap(m_tasks);
    }
    for (const auto& task : tasks) task(*m_server);
    std::lock_guard<std::mutex> lock(m_taskMutex);
    m_tasksRun += tasks.size();
    m_taskDone.notify_all();
}

std::vector<std::string> TServerThread::Log() const {
    std::lock_guard<std::mutex> lock(m_logMutex);
    return m_log;
}

}  // namespace e2etest
