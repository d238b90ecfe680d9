#include "SynthEffect.h"

#include <algorithm>
#include <cmath>

#include "SynthWav.h"

namespace {

bool ReadEffectKey(const SourceLine& line, EffectLayer& layer, std::string& message) {
    const std::string& key = line.words[0];
    double* target = nullptr;
    double high = kLongestEffect;
    if (key == "attack") target = &layer.attack;
    if (key == "sustain") target = &layer.sustain;
    if (key == "decay") target = &layer.decay;
    if (key == "delay") target = &layer.delay;
    if (key == "punch") {
        target = &layer.punch;
        high = 4.0;
    }
    if (!target) {
        message = "unknown key '" + key + "'";
        return false;
    }
    std::vector<double> v(1, 0.0);
    if (!ReadKeyNumbers(line, 1, 0.0, high, v, message)) return false;
    *target = v[0];
    return true;
}

}  // namespace

double Effect::Seconds() const {
    if (loopLength > 0.0) return loopLength;
    double end = 0.0;
    for (const EffectLayer& layer : layers) end = std::max(end, layer.End());
    return end;
}

bool ParseEffect(const std::string& file, const std::string& text, Effect& effect,
                 SourceError& error) {
    effect = Effect();
    bool layerHasKeys = false;
    int loopLine = 0;
    for (const SourceLine& line : SplitSourceLines(text)) {
        const std::string& key = line.words[0];
        if (effect.layers.empty()) {
            effect.layers.emplace_back();
            effect.layers.back().line = line.number;
        }
        if (key == "layer") {
            if (line.words.size() != 1)
                return Fail(error, file, line.number, "'layer' takes no values");
            if (layerHasKeys) effect.layers.emplace_back();
            effect.layers.back().line = line.number;
            layerHasKeys = false;
            continue;
        }
        if (key == "loop") {
            std::vector<double> v(2, 0.0);
            std::string message;
            if (!ReadKeyNumbers(line, 1, 0.0, kLongestEffect, v, message))
                return Fail(error, file, line.number, message);
            if (v[0] <= 0.0)
                return Fail(error, file, line.number, "'loop' needs a length above 0 seconds");
            effect.loopLength = v[0];
            if (v.size() > 1) effect.crossfade = std::min(v[1], v[0] / 2.0);
            loopLine = line.number;
            continue;
        }
        EffectLayer& layer = effect.layers.back();
        std::string message;
        const KeyResult tone = ReadToneKey(line, layer.tone, message);
        if (tone == KeyResult::Fault) return Fail(error, file, line.number, message);
        if (tone == KeyResult::NotMine && !ReadEffectKey(line, layer, message))
            return Fail(error, file, line.number, message);
        layerHasKeys = true;
    }
    if (effect.layers.empty() || (effect.layers.size() == 1 && !layerHasKeys))
        return Fail(error, file, 0, "holds no sound: write at least one key");
    for (const EffectLayer& layer : effect.layers) {
        std::string message;
        if (!CheckTone(layer.tone, message)) return Fail(error, file, layer.line, message);
        if (layer.attack + layer.sustain + layer.decay <= 0.0)
            return Fail(error, file, layer.line,
                        "the layer lasts no time: give it a sustain or decay");
    }
    if (effect.Seconds() > kLongestEffect)
        return Fail(error, file, loopLine,
                    "lasts " + std::to_string(effect.Seconds()) +
                        " seconds; an effect may last at most 10");
    return true;
}

std::vector<float> RenderEffect(const Effect& effect, int rate) {
    const size_t length = SampleCount(effect.Seconds(), rate);
    const bool loops = effect.loopLength > 0.0;
    const size_t fade = loops ? std::min(SampleCount(effect.crossfade, rate), length) : 0;
    std::vector<float> mix(length + fade, 0.0f);
    for (const EffectLayer& layer : effect.layers) {
        Envelope envelope;
        envelope.attack = layer.attack;
        envelope.punch = layer.punch;
        envelope.release = layer.decay;
        const std::vector<float> tone = RenderTone(layer.tone, layer.tone.frequency, envelope,
                                                   layer.attack + layer.sustain, rate);
        const size_t start = SampleCount(layer.delay, rate);
        for (size_t i = 0; i < tone.size() && start + i < mix.size(); ++i)
            mix[start + i] += tone[i];
    }
    if (loops) {
        // What was rendered past the end fades out over the start as the
        // start fades in: sample length-1 then leads into sample 0.
        for (size_t i = 0; i < fade; ++i) {
            const float in = static_cast<float>(i + 1) / static_cast<float>(fade + 1);
            mix[i] = mix[i] * in + mix[length + i] * (1.0f - in);
        }
        mix.resize(length);
    }
    for (float& s : mix) s = std::max(-1.0f, std::min(1.0f, s));
    return mix;
}

bool BuildEffect(const std::string& sourcePath, const std::string& wavPath, SourceError& error) {
    std::string text;
    if (!ReadTextFile(sourcePath, text)) return Fail(error, sourcePath, 0, "cannot be read");
    Effect effect;
    if (!ParseEffect(sourcePath, text, effect, error)) return false;
    const PcmSound sound = MakePcm(RenderEffect(effect), kEffectRate, 1);
    std::string failure;
    if (!WriteFileAtomically(wavPath, EncodeWav(sound), failure))
        return Fail(error, wavPath, 0, failure);
    return true;
}
