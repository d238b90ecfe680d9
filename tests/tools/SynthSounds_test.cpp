// The demo game's sound sources: one for every sound the game plays, each
// rendering cleanly, and the theme's score.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

#include "SynthEffect.h"
#include "SynthScore.h"
#include "SynthWav.h"
#include "support/TestSupport.h"

namespace {

// Every sound the engine plays (spelled as it asks for them), and the ones
// offered to enemy scripts.
const char* const kSounds[] = {
    "SE_PL00\\ROOK_Jump.WAV",   "SE_PL00\\ROOK_CHAKU.WAV",  "SE_PL00\\ROOK_KBKERI.WAV",
    "SE_PL00\\ROOK_KBPETA.WAV", "SE_PL00\\ROOK_Dash.WAV",   "SE_PL00\\ROOK_Brake.WAV",
    "SE_PL00\\ROOK_BRAKE.WAV",  "SE_PL00\\ROOK_ENTAME.WAV", "SE_PL00\\ROOK_ENLOOP.WAV",
    "SE_PL00\\ROOK_Shot.WAV",   "SE_PL00\\ROOK_TSHT_M.WAV", "SE_PL00\\ROOK_TSHT_L.WAV",
    "SE_PL00\\ROOK_DISAPP.WAV", "SE_PL00\\ROOK_E_DAMA.WAV", "VO_PL00\\ROOK_DAMAG1.WAV",
    "VO_PL00\\ROOK_DAMAG2.WAV", "VO_PL00\\ROOK_PINCH.WAV",  "VO_PL00\\ROOK_OUT.WAV",
    "VO_PL00\\ROOK_KIAI1.WAV",  "VO_PL00\\ROOK_KIAI2.WAV",  "VO_PL00\\ROOK_KIAI5.WAV",
    "VO_PL00\\ROOK_KIAI7.WAV",  "SE_COM\\LIFEGAGE.WAV",     "SE_COM\\NA_READY.WAV",
    "SE_EN\\EXPLODE.WAV",       "SE_EN\\TURRET.WAV",        "SE_EN\\HOP.WAV",
};

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string SfxFolder() {
    return GameDir() + "/audio/sfx";
}

// Sources by the sound name they build ("SE_PL00/ROOK_JUMP.WAV", as written).
std::map<std::string, std::string> Sources() {
    std::map<std::string, std::string> sources;
    namespace fs = std::filesystem;
    for (const auto& entry : fs::recursive_directory_iterator(SfxFolder())) {
        if (!entry.is_regular_file() || entry.path().extension() != ".sfx") continue;
        std::string relative = fs::relative(entry.path(), SfxFolder()).generic_string();
        relative = relative.substr(0, relative.size() - 4) + ".WAV";
        sources[relative] = entry.path().string();
    }
    return sources;
}

Effect Load(const std::string& path) {
    std::string text;
    Effect effect;
    SourceError error;
    EXPECT_TRUE(ReadTextFile(path, text)) << path;
    EXPECT_TRUE(ParseEffect(path, text, effect, error)) << error.Text();
    return effect;
}

}  // namespace

TEST(SynthSounds, EverySoundHasExactlyOneSourceAndNoSourceIsStray) {
    const std::map<std::string, std::string> sources = Sources();
    std::set<std::string> wanted;
    for (const char* name : kSounds) {
        std::string path = name;
        std::replace(path.begin(), path.end(), '\\', '/');
        wanted.insert(Upper(path));
    }
    std::set<std::string> found;
    for (const auto& [name, path] : sources) {
        // One spelling: the engine finds files whatever the case, so two
        // spellings of one name would be two sources for one sound.
        EXPECT_EQ(Upper(name), name) << path << " should be named in upper case";
        EXPECT_TRUE(found.insert(Upper(name)).second) << name << " has two sources";
    }
    EXPECT_EQ(wanted, found);
}

TEST(SynthSounds, EverySourceRendersCleanly) {
    for (const auto& [name, path] : Sources()) {
        const Effect effect = Load(path);
        const PcmSound sound = MakePcm(RenderEffect(effect), kEffectRate, 1);
        const SoundStats stats = MeasureSound(sound);
        EXPECT_EQ(0u, stats.clipped) << name;
        EXPECT_GT(stats.peak, 0.3) << name << " is too quiet";
        EXPECT_LT(stats.leadingSilence, 0.01) << name << " starts late";
        EXPECT_LE(stats.seconds, 1.0) << name << " is long for an effect";
        EXPECT_LT(std::fabs(stats.dcOffset), 0.02) << name;
        EXPECT_EQ(effect.loopLength > 0.0, name == "SE_PL00/ROOK_ENLOOP.WAV") << name;
        if (effect.loopLength > 0.0) {
            // The charge loop repeats without a click: its wrap is no bigger
            // a step than the steps inside it.
            EXPECT_LE(stats.seamJump, stats.largestStep) << name;
        }
    }
}

TEST(SynthSounds, TheThemeScore) {
    const std::string path = GameDir() + "/audio/music/Brannoc_Theme.score";
    std::string text;
    ASSERT_TRUE(ReadTextFile(path, text));
    Score score;
    SourceError error;
    ASSERT_TRUE(ParseScore(path, text, score, error)) << error.Text();
    EXPECT_GE(score.Seconds(), 60.0);
    EXPECT_LE(score.Seconds(), 90.0);
    EXPECT_EQ(0, score.Steps() % score.stepsPerBar) << "the loop ends on a whole bar";
    bool drums = false;
    for (const Instrument& i : score.instruments) drums = drums || i.tone.wave == Waveform::Noise;
    EXPECT_TRUE(drums);
    EXPECT_GE(score.tracks.size(), 4u);
}
