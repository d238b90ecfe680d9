#include "FuzzTarget.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/DataPath.h"

namespace fuzz {

namespace {

std::string scratch;

void RemoveScratch() {
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
}

}  // namespace

const std::string& Scratch() {
    if (!scratch.empty()) return scratch;
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base ? base : "/tmp") + "/kestrion-fuzz-XXXXXX";
    if (!mkdtemp(&pattern[0]) || chdir(pattern.c_str()) != 0) {
        std::perror("fuzz: cannot make a scratch folder");
        std::abort();
    }
    scratch = pattern;
    std::atexit(RemoveScratch);
    if (!std::getenv("KESTRION_FUZZ_VERBOSE") && !std::freopen("/dev/null", "w", stdout)) std::abort();
    return scratch;
}

void Put(const std::string& path, const std::string& bytes) {
    const std::filesystem::path full = std::filesystem::path(Scratch()) / path;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream(full, std::ios::binary) << bytes;
    ClearDataPathCache();
}

std::string GameFolder() {
    const char* dir = std::getenv("KESTRION_GAME_DIR");
    return dir ? dir : KESTRION_DEFAULT_GAME_DIR;
}

}  // namespace fuzz
