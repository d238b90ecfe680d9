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
        if (key == "PauseOnFocusLoss") {
            int flag = 0;
            if (ReadWholeNumber(Trimmed(value), 0, 1, flag))
                settings.pauseOnFocusLoss = flag != 0;
            else
                std::printf("%s: PauseOnFocusLoss=%s is not 0 or 1 (it stays %d)\n", path.c_str(),
                            Trimmed(value).c_str(), settings.pauseOnFocusLoss ? 1 : 0);
            return;
        }
        int* target = key == "MusicVolume" ? &settings.musicVolume : key == "SoundVolume" ? &settings.soundVolume : nullptr;
        if (!target) return;
        if (!ReadWholeNumber(Trimmed(value), 0, 100, *target))
            std::printf("%s: %s=%s is not a whole number from 0 to 100 (it stays %d)\n", path.c_str(), key.c_str(),
                        Trimmed(value).c_str(), *target);
    });
}
