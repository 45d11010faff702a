#include "platform/sdl/Spawn.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace platform::sdl {
namespace {

// In the grandchild: a clean signal state, then the program. On failure the
// error number goes back through the pipe (closed on a successful exec).
[[noreturn]] void ExecChild(char* const argv[], int reportFd) {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    signal(SIGPIPE, SIG_DFL);
    execv(argv[0], argv);
    int error = errno;
    [[maybe_unused]] ssize_t n = write(reportFd, &error, sizeof error);
    _exit(127);
}

// In the child: a session of its own, the grandchild, and out.
[[noreturn]] void ForkGrandchild(char* const argv[], int reportFd) {
    setsid();
    pid_t grandchild = fork();
    if (grandchild == 0) ExecChild(argv, reportFd);
    if (grandchild < 0) {
        int error = errno;
        [[maybe_unused]] ssize_t n = write(reportFd, &error, sizeof error);
    }
    _exit(0);
}

}  // namespace

std::string FindExecutable(const std::string& name) {
    if (name.empty()) return {};
    if (name.find('/') != std::string::npos) return name;
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::string dir = dirs.substr(start, end - start);
        std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return {};
}

bool SpawnDetached(const std::vector<std::string>& args) {
    if (args.empty() || args[0].empty()) return false;
    // Everything the children need is built before the fork.
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return false;
    pid_t child = fork();
    if (child == 0) {
        close(report[0]);
        ForkGrandchild(argv.data(), report[1]);
    }
    close(report[1]);
    if (child < 0) {
        close(report[0]);
        return false;
    }
    int error = 0;
    ssize_t n;
    do {
        n = read(report[0], &error, sizeof error);
    } while (n < 0 && errno == EINTR);
    close(report[0]);
    int status;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return n == 0;  // end of file: the exec closed the pipe
}

}  // namespace platform::sdl
