#include "support/TestSupport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "core/DataPath.h"

namespace {

void MakeParents(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        mkdir(path.substr(0, slash).c_str(), 0755);
    }
}

}  // namespace

std::string MakeTempDir(const std::string& tag) {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base ? base : "/tmp") + "/kestrion-" + tag + "-XXXXXX";
    if (!mkdtemp(&pattern[0])) throw std::runtime_error("mkdtemp failed");
    ClearDataPathCache();
    return pattern;
}

void WriteFile(const std::string& path, const std::string& contents) {
    MakeParents(path);
    std::ofstream out(path, std::ios::binary);
    out << contents;
    ClearDataPathCache();
}

ScopedWorkingDirectory::ScopedWorkingDirectory(const std::string& path) {
    char buffer[4096];
    previous_ = getcwd(buffer, sizeof buffer) ? buffer : ".";
    if (chdir(path.c_str()) != 0) throw std::runtime_error("chdir failed: " + path);
    ClearDataPathCache();
}

ScopedWorkingDirectory::~ScopedWorkingDirectory() {
    if (chdir(previous_.c_str()) != 0) return;
    ClearDataPathCache();
}

std::string SourceDir() {
    const char* dir = std::getenv("KESTRION_SOURCE_DIR");
    return dir ? dir : ".";
}

std::string GameDir() { return SourceDir() + "/game"; }
