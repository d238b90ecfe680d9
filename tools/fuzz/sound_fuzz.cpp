// ".sfx" and ".score" sources: each input is read as both, and what parses
// is rendered when it is short (long ones only cost time).
#include "FuzzTarget.h"
#include "SynthEffect.h"
#include "SynthScore.h"

const char* const kSeedEndings[] = {".sfx", ".score", nullptr};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = fuzz::Text(data, size);
    SourceError error;
    Effect effect;
    if (ParseEffect("Fuzz.sfx", text, effect, error) && effect.Seconds() < 2.0) RenderEffect(effect);
    Score score;
    if (ParseScore("Fuzz.score", text, score, error) && score.Seconds() < 2.0) RenderScore(score);
    return 0;
}
