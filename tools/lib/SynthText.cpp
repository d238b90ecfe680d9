#include "SynthText.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

std::vector<SourceLine> SplitSourceLines(const std::string& text) {
    std::vector<SourceLine> lines;
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        // A comment starts at a "#" that begins a word; inside one ("g#5") it is a sharp.
        for (size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '#' && (i == 0 || raw[i - 1] == ' ' || raw[i - 1] == '\t')) {
                raw.erase(i);
                break;
            }
        }
        SourceLine line;
        line.number = number;
        std::istringstream words(raw);
        std::string word;
        while (words >> word) line.words.push_back(word);
        if (!line.words.empty()) lines.push_back(std::move(line));
    }
    return lines;
}

bool ReadNumber(const std::string& word, double& value) {
    if (word.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const double parsed = std::strtod(word.c_str(), &end);
    if (end != word.c_str() + word.size() || errno != 0 || !std::isfinite(parsed)) return false;
    // strtod also reads "inf", "nan" and hexadecimal; sources hold plain decimals.
    for (char c : word) {
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' ||
              c == 'e' || c == 'E'))
            return false;
    }
    value = parsed;
    return true;
}

bool ReadInteger(const std::string& word, long low, long high, long& value) {
    if (word.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(word.c_str(), &end, 10);
    if (end != word.c_str() + word.size() || errno != 0 || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

namespace {

std::string Plain(double v) {
    std::ostringstream out;
    out << v;
    return out.str();
}

}  // namespace

bool ReadKeyNumbers(const SourceLine& line, size_t required, double low, double high,
                    std::vector<double>& values, std::string& message) {
    const std::string& key = line.words[0];
    const size_t given = line.words.size() - 1;
    const std::string range = "between " + Plain(low) + " and " + Plain(high);
    auto needs = [&]() {
        std::string count = std::to_string(required);
        if (values.size() > required) count += " to " + std::to_string(values.size());
        return "'" + key + "' needs " + count + (values.size() == 1 ? " number " : " numbers ") +
               range;
    };
    if (given < required || given > values.size()) {
        message = needs();
        return false;
    }
    for (size_t i = 0; i < given; ++i) {
        double v = 0.0;
        if (!ReadNumber(line.words[i + 1], v)) {
            message = "'" + key + "': '" + line.words[i + 1] + "' is not a number";
            return false;
        }
        if (v < low || v > high) {
            message = "'" + key + "': " + line.words[i + 1] + " is not " + range;
            return false;
        }
        values[i] = v;
    }
    values.resize(given);
    return true;
}

bool Fail(SourceError& error, const std::string& file, int line, const std::string& message) {
    error.file = file;
    error.line = line;
    error.message = message;
    return false;
}

bool ReadTextFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream contents;
    contents << in.rdbuf();
    if (in.bad()) return false;
    text = contents.str();
    return true;
}
