// SynthEffect: sound effects written as small text sources (".sfx"),
// rendered to 16-bit mono WAV at 22050 Hz.
//
// A source is one or more layers mixed together; each layer is a tone (the
// keys of SynthTone.h) with an effect envelope: `attack`, `sustain` and
// `decay` in seconds (loudness up, held, down to nothing), an optional
// `punch` (extra loudness at the start of the sustain, gone by its end) and
// a `delay` before the layer starts. `layer` starts the next layer; the keys
// before the first `layer` belong to the first. `loop LENGTH [CROSSFADE]`
// makes a sound that repeats seamlessly: it is LENGTH seconds long, and the
// CROSSFADE seconds (0.05 by default) rendered past its end are faded into
// its start, so the last sample leads into the first. The layers of a loop
// should last at least LENGTH + CROSSFADE.
//
//   # A jump: a quick rising chirp.
//   wave square
//   duty 0.3
//   frequency 300
//   slide 3
//   sustain 0.05
//   decay 0.1
//   volume 0.5
//
// A fault (an unknown key, a bad number) ends parsing with one SourceError
// naming the line; nothing throws.
#pragma once

#include <string>
#include <vector>

#include "SynthTone.h"

constexpr int kEffectRate = 22050;
constexpr double kLongestEffect = 10.0;  // seconds

struct EffectLayer {
    ToneParams tone;
    double attack = 0.0;
    double sustain = 0.1;
    double decay = 0.2;
    double punch = 0.0;
    double delay = 0.0;
    int line = 0;  // where the layer begins, for messages

    double End() const { return delay + attack + sustain + decay; }
};

struct Effect {
    std::vector<EffectLayer> layers;
    double loopLength = 0.0;  // 0: plays once
    double crossfade = 0.05;

    double Seconds() const;
};

bool ParseEffect(const std::string& file, const std::string& text, Effect& effect,
                 SourceError& error);

// The mixed samples in [-1, 1] (clipped), Seconds() long.
std::vector<float> RenderEffect(const Effect& effect, int rate = kEffectRate);

// Parses the source file and writes its WAV.
bool BuildEffect(const std::string& sourcePath, const std::string& wavPath, SourceError& error);
