#include "core/DataPath.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cctype>
#include <map>
#include <vector>

namespace {

// Folder (as resolved on disk) -> lower-case entry name -> the entries with that name.
std::map<std::string, std::map<std::string, std::vector<std::string>>>& Listings() {
    static std::map<std::string, std::map<std::string, std::vector<std::string>>> listings;
    return listings;
}

const std::map<std::string, std::vector<std::string>>& ListFolder(const std::string& folder) {
    auto& listings = Listings();
    auto found = listings.find(folder);
    if (found != listings.end()) return found->second;
    auto& entries = listings[folder];
    if (DIR* dir = opendir(folder.empty() ? "." : folder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            entries[LowerCase(name)].push_back(name);  // "." and ".." are never looked up
        }
        closedir(dir);
    }
    return entries;
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder == "/") return "/" + name;
    return folder + "/" + name;
}

}  // namespace

std::string LowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string ResolveDataPath(const std::string& dataPath) {
    std::vector<std::string> names;
    std::string current;
    for (char c : dataPath) {
        if (c == '/' || c == '\\') {
            if (!current.empty()) names.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) names.push_back(current);
    if (names.empty()) return "";

    std::string resolved = (dataPath[0] == '/') ? "/" : "";
    for (const std::string& name : names) {
        if (name == "." || name == "..") {
            resolved = Join(resolved, name);
            continue;
        }
        const auto& entries = ListFolder(resolved);
        auto match = entries.find(LowerCase(name));
        if (match == entries.end()) return "";
        const std::vector<std::string>& candidates = match->second;
        std::string chosen = candidates.front();
        for (const std::string& candidate : candidates) {
            if (candidate == name) chosen = candidate;
        }
        resolved = Join(resolved, chosen);
    }
    return resolved;
}

std::FILE* OpenDataFile(const std::string& dataPath, const char* mode) {
    std::string path = ResolveDataPath(dataPath);
    if (path.empty()) return nullptr;
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return nullptr;
    return std::fopen(path.c_str(), mode);
}

namespace {
unsigned generation = 0;
}

void ClearDataPathCache() {
    Listings().clear();
    ++generation;
}

unsigned DataPathGeneration() { return generation; }

bool ReadDataFile(const std::string& dataPath, std::string& bytes) {
    std::FILE* file = OpenDataFile(dataPath, "rb");
    if (!file) return false;
    char buffer[8192];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    std::fclose(file);
    return true;
}

std::string ShownPath(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}
