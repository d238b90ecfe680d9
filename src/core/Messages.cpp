#include "core/Messages.h"

#include <cstdio>

namespace {

constexpr size_t kRemembered = 4096;

}  // namespace

bool MessageMemory::SayOnce(const std::string& line) {
    if (said_.size() >= kRemembered) said_.clear();
    if (!said_.insert(line).second) return false;
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    return true;
}
