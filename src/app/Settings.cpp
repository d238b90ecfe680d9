#include "app/Settings.h"

#include <cstdio>
#include <cstdlib>

#include "core/ConfigFile.h"

namespace {

// A whole number from low to high and nothing else.
bool ReadWholeNumber(const std::string& text, int low, int high, int& out) {
    char* end = nullptr;
    const long number = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != '\0' || number < low || number > high) return false;
    out = static_cast<int>(number);
    return true;
}

}  // namespace

void ReadSettings(const std::string& path, Settings& settings) {
    ReadConfigFile(path, [&](const std::string& key, const std::string& value) {
        bool* flag = key == "PauseOnFocusLoss" ? &settings.pauseOnFocusLoss
                     : key == "Fullscreen"     ? &settings.fullscreen
                                               : nullptr;
        if (flag) {
            int number = 0;
            if (ReadWholeNumber(Trimmed(value), 0, 1, number))
                *flag = number != 0;
            else
                std::printf("%s: %s=%s is not 0 or 1 (it stays %d)\n", path.c_str(), key.c_str(),
                            Trimmed(value).c_str(), *flag ? 1 : 0);
            return;
        }
        const struct { const char* key; int* target; int high; } numbers[] = {
            {"WindowScale", &settings.windowScale, kLargestWindowScale},
            {"MusicVolume", &settings.musicVolume, 100},
            {"SoundVolume", &settings.soundVolume, 100},
        };
        for (const auto& n : numbers) {
            if (key != n.key) continue;
            if (!ReadWholeNumber(Trimmed(value), 0, n.high, *n.target))
                std::printf("%s: %s=%s is not a whole number from 0 to %d (it stays %d)\n", path.c_str(),
                            n.key, Trimmed(value).c_str(), n.high, *n.target);
        }
    });
}
