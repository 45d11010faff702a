// Helpers for the tool tests: running a tool binary with its output
// captured, and fresh temporary folders that are removed at exit.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace tooltest {

struct TRun {
    int exitCode = -1;
    std::string output;  // standard output and standard error together
};

inline std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline TRun Run(const std::string& program, const std::vector<std::string>& args) {
    std::string command = Quote(program);
    for (const std::string& a : args) command += " " + Quote(a);
    command += " 2>&1";
    TRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.output.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

inline TRun Skintool(const std::vector<std::string>& args) { return Run(QV_SKINTOOL, args); }

// The folders FreshDir made; they are removed when the test program ends.
class TTempDirs {
public:
    ~TTempDirs() {
        std::error_code code;
        for (const std::string& dir : m_dirs) std::filesystem::remove_all(dir, code);
    }
    void Add(const std::string& dir) { m_dirs.push_back(dir); }

private:
    std::vector<std::string> m_dirs;
};

// A new, empty folder in /tmp.
inline std::string FreshDir() {
    static TTempDirs dirs;
    std::string pattern = "/tmp/qvtools-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const char* made = mkdtemp(buffer.data());
    if (made == nullptr) return {};
    dirs.Add(made);
    return made;
}

}  // namespace tooltest
