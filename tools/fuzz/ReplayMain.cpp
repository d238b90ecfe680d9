// The fuzz target as a plain program, for compilers without libFuzzer and
// for the regression replay:
//   fuzz_NAME [--list] [--seeds DIR]... [PATH]...
// Each PATH is an input file, or a folder whose every file is one (saved
// findings); --seeds DIR takes the files under DIR whose names end as the
// target's seeds do (the demo's own files). --list prints the inputs instead
// of running them, to make a seed corpus for libFuzzer.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzTarget.h"

namespace fs = std::filesystem;

namespace {

bool IsSeed(const fs::path& path) {
    std::string name = path.filename().string();
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const char* const* ending = kSeedEndings; *ending; ++ending) {
        const size_t length = std::strlen(*ending);
        if (name.size() >= length && name.compare(name.size() - length, length, *ending) == 0) return true;
    }
    return false;
}

// The regular files under a folder (all, or only seeds), in a fixed order.
std::vector<fs::path> FilesUnder(const fs::path& folder, bool seedsOnly) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file() && (!seedsOnly || IsSeed(entry.path()))) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> inputs;
    bool list = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool seeds = arg == "--seeds" && i + 1 < argc;
        if (arg == "--list") {
            list = true;
            continue;
        }
        const fs::path path = seeds ? argv[++i] : argv[i];
        std::error_code error;
        if (fs::is_directory(path, error)) {
            const std::vector<fs::path> files = FilesUnder(path, seeds);
            inputs.insert(inputs.end(), files.begin(), files.end());
        } else if (fs::is_regular_file(path, error)) {
            inputs.push_back(path);
        } else {
            std::fprintf(stderr, "%s: no such file or folder: %s\n", argv[0], path.c_str());
            return 2;
        }
    }
    for (const fs::path& path : inputs) {
        if (list) {
            std::printf("%s\n", fs::absolute(path).c_str());
            continue;
        }
        std::ifstream file(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    if (!list) std::fprintf(stderr, "%s: %zu inputs ran cleanly\n", argv[0], inputs.size());
    return 0;
}
