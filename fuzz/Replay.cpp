// Replays corpus files through a fuzz target's entry point without libFuzzer,
// so the normal build (any compiler) checks every seed and every input that
// once crashed a target. Arguments are files or folders (whose files are
// replayed in name order). Fails when a folder holds no file, so a corpus
// that went missing does not pass unnoticed.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> FilesOf(const fs::path& argument) {
    std::vector<fs::path> files;
    if (fs::is_directory(argument)) {
        for (const auto& entry : fs::directory_iterator(argument))
            if (entry.is_regular_file()) files.push_back(entry.path());
        std::sort(files.begin(), files.end());
    } else {
        files.push_back(argument);
    }
    return files;
}

bool Replay(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    // A copy of exactly the input's size, so reading past it is caught by
    // the sanitizers as it would be under libFuzzer.
    std::vector<uint8_t> data(bytes.begin(), bytes.end());
    LLVMFuzzerTestOneInput(data.empty() ? nullptr : data.data(), data.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const auto files = FilesOf(argv[i]);
        if (files.empty()) {
            std::fprintf(stderr, "replay: %s holds no file\n", argv[i]);
            return 1;
        }
        for (const auto& file : files) {
            if (!Replay(file)) {
                std::fprintf(stderr, "replay: cannot read %s\n", file.c_str());
                return 1;
            }
            ++replayed;
        }
    }
    std::printf("replay: %d inputs, no fault\n", replayed);
    return replayed > 0 ? 0 : 1;
}
