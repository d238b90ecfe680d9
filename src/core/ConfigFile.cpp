#include "core/ConfigFile.h"

#include <cctype>
#include <cstdio>

#include "core/DataPath.h"

namespace {

bool ReadLine(std::FILE* file, std::string& line) {
    line.clear();
    int c = std::fgetc(file);
    if (c == EOF) return false;
    while (c != EOF && c != '\n') {
        line += static_cast<char>(c);
        c = std::fgetc(file);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

}  // namespace

bool ReadConfigFile(const std::string& dataPath,
                    const std::function<void(const std::string&, const std::string&)>& apply) {
    std::FILE* file = OpenDataFile(dataPath, "r");
    if (!file) return false;
    std::string line;
    while (ReadLine(file, line)) {
        if (!line.empty() && line[0] == ';') continue;
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        apply(line.substr(0, equals), line.substr(equals + 1));
    }
    std::fclose(file);
    return true;
}

std::string FirstWord(const std::string& value) {
    size_t begin = 0;
    while (begin < value.size() && std::isspace(static_cast<unsigned char>(value[begin]))) ++begin;
    size_t end = begin;
    while (end < value.size() && !std::isspace(static_cast<unsigned char>(value[end]))) ++end;
    return value.substr(begin, end - begin);
}

std::string Trimmed(const std::string& value) {
    const size_t first = value.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return value.substr(first, value.find_last_not_of(" \t\r\n") - first + 1);
}
