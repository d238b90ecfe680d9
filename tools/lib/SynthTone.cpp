#include "SynthTone.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kOversample = 8;
constexpr int kNoiseSteps = 16;  // noise values per period: the pitch colours the noise

// xorshift32: small, fast and the same on every machine.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed ? seed : 0x9e3779b9u) {}
    float Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<float>(state_ / 2147483647.5 - 1.0);
    }

private:
    uint32_t state_;
};

// Rosenberg's glottal flow over one period: opening, closing, then shut.
double GlottalFlow(double phase) {
    constexpr double kOpening = 0.4;
    constexpr double kClosing = 0.16;
    if (phase < kOpening) return 0.5 * (1.0 - std::cos(kPi * phase / kOpening));
    if (phase < kOpening + kClosing) return std::cos(kPi * (phase - kOpening) / (2.0 * kClosing));
    return 0.0;
}

// RBJ's low-pass biquad.
class LowPass {
public:
    void Tune(double cutoff, double resonance, int rate) {
        const double f = std::max(20.0, std::min(cutoff, 0.45 * rate));
        const double q = 0.7071 + 8.0 * resonance;
        const double w = 2.0 * kPi * f / rate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double cosw = std::cos(w);
        const double a0 = 1.0 + alpha;
        b0_ = (1.0 - cosw) / 2.0 / a0;
        b1_ = (1.0 - cosw) / a0;
        b2_ = b0_;
        a1_ = -2.0 * cosw / a0;
        a2_ = (1.0 - alpha) / a0;
    }
    float Process(float x) {
        const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return static_cast<float>(y);
    }

private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

double PitchAt(const ToneParams& tone, double frequency, double t) {
    const double local = tone.repeat > 0.0 ? std::fmod(t, tone.repeat) : t;
    double semitones = 0.0;
    if (!tone.arpeggio.empty() && tone.arpeggioStep > 0.0) {
        const size_t step = static_cast<size_t>(local / tone.arpeggioStep);
        semitones += tone.arpeggio[std::min(step, tone.arpeggio.size() - 1)];
    }
    if (tone.vibratoDepth > 0.0 && t >= tone.vibratoDelay)
        semitones +=
            tone.vibratoDepth * std::sin(2.0 * kPi * tone.vibratoRate * (t - tone.vibratoDelay));
    const double octaves = tone.slide * local + 0.5 * tone.accel * local * local + semitones / 12.0;
    const double f = frequency * std::exp2(octaves);
    return std::max(tone.minFrequency, std::min(tone.maxFrequency, f));
}

double Wave(Waveform wave, double phase, double duty) {
    switch (wave) {
        case Waveform::Square:
            // A pulse swings by 2 around its mean, so a narrow one adds no
            // offset to the mix: high 2 (1 - duty), low -2 duty (+1 and -1 at 0.5).
            return phase < duty ? 2.0 * (1.0 - duty) : -2.0 * duty;
        case Waveform::Saw:
            return 1.0 - 2.0 * phase;
        case Waveform::Triangle: {
            // Starts at 0 and rises, like the sine, so a tone does not click in.
            const double shifted = phase + 0.25;
            return 1.0 - 4.0 * std::fabs(shifted - std::floor(shifted) - 0.5);
        }
        case Waveform::Sine:
            return std::sin(2.0 * kPi * phase);
        case Waveform::Voice:
            return GlottalFlow(phase);
        case Waveform::Noise:
            break;
    }
    return 0.0;
}

}  // namespace

size_t SampleCount(double seconds, int rate) {
    return seconds <= 0.0 ? 0 : static_cast<size_t>(std::llround(seconds * rate));
}

bool ReadWaveform(const std::string& word, Waveform& wave) {
    static const struct {
        const char* name;
        Waveform wave;
    } kNames[] = {{"square", Waveform::Square},     {"saw", Waveform::Saw},
                  {"triangle", Waveform::Triangle}, {"sine", Waveform::Sine},
                  {"noise", Waveform::Noise},       {"voice", Waveform::Voice}};
    for (const auto& n : kNames) {
        if (word == n.name) {
            wave = n.wave;
            return true;
        }
    }
    return false;
}

double Envelope::Gain(double t, double gate) const {
    if (t < 0.0) return 0.0;
    if (t < gate) return Held(t, gate);
    if (release <= 0.0) return 0.0;
    const double r = (t - gate) / release;
    return r >= 1.0 ? 0.0 : Held(gate, gate) * (1.0 - r);
}

double Envelope::Held(double t, double gate) const {
    if (t < attack) return t / attack;
    const double u = t - attack;
    double g = level;
    if (decay > 0.0 && u < decay) g = 1.0 + (level - 1.0) * u / decay;
    const double hold = gate - attack;
    if (punch > 0.0 && hold > 0.0) g += punch * std::max(0.0, 1.0 - u / hold);
    return g;
}

KeyResult ReadToneKey(const SourceLine& line, ToneParams& tone, std::string& message) {
    const std::string& key = line.words[0];
    auto numbers = [&](size_t required, size_t most, double low, double high,
                       std::vector<double>& v) {
        v.assign(most, 0.0);
        return ReadKeyNumbers(line, required, low, high, v, message);
    };
    std::vector<double> v;
    if (key == "wave") {
        if (line.words.size() != 2 || !ReadWaveform(line.words[1], tone.wave)) {
            message = "'wave' needs one of square, saw, triangle, sine, noise, voice";
            return KeyResult::Fault;
        }
        return KeyResult::Read;
    }
    if (key == "frequency") {
        if (!numbers(1, 1, 1.0, 20000.0, v)) return KeyResult::Fault;
        tone.frequency = v[0];
    } else if (key == "slide") {
        if (!numbers(1, 1, -64.0, 64.0, v)) return KeyResult::Fault;
        tone.slide = v[0];
    } else if (key == "accel") {
        if (!numbers(1, 1, -1024.0, 1024.0, v)) return KeyResult::Fault;
        tone.accel = v[0];
    } else if (key == "limit") {
        if (!numbers(1, 2, 1.0, 20000.0, v)) return KeyResult::Fault;
        tone.minFrequency = v[0];
        if (v.size() > 1) tone.maxFrequency = v[1];
    } else if (key == "vibrato") {
        if (!numbers(2, 3, 0.0, 100.0, v)) return KeyResult::Fault;
        tone.vibratoDepth = v[0];
        tone.vibratoRate = v[1];
        tone.vibratoDelay = v.size() > 2 ? v[2] : 0.0;
    } else if (key == "tremolo") {
        if (!numbers(2, 2, 0.0, 100.0, v)) return KeyResult::Fault;
        if (v[0] > 1.0) {
            message = "'tremolo': the depth is not between 0 and 1";
            return KeyResult::Fault;
        }
        tone.tremoloDepth = v[0];
        tone.tremoloRate = v[1];
    } else if (key == "duty") {
        if (!numbers(1, 2, -10.0, 10.0, v)) return KeyResult::Fault;
        if (v[0] < 0.01 || v[0] > 0.99) {
            message = "'duty': " + line.words[1] + " is not between 0.01 and 0.99";
            return KeyResult::Fault;
        }
        tone.duty = v[0];
        tone.dutySweep = v.size() > 1 ? v[1] : 0.0;
    } else if (key == "arpeggio") {
        if (line.words.size() < 3) {
            message = "'arpeggio' needs the seconds of a step and at least one semitone offset";
            return KeyResult::Fault;
        }
        if (!numbers(2, line.words.size() - 1, -48.0, 48.0, v)) return KeyResult::Fault;
        if (v[0] <= 0.0) {
            message = "'arpeggio': the step must last more than 0 seconds";
            return KeyResult::Fault;
        }
        tone.arpeggioStep = v[0];
        tone.arpeggio.assign(v.begin() + 1, v.end());
    } else if (key == "repeat") {
        if (!numbers(1, 1, 0.0, 60.0, v)) return KeyResult::Fault;
        tone.repeat = v[0];
    } else if (key == "lowpass") {
        if (!numbers(1, 3, -64.0, 20000.0, v)) return KeyResult::Fault;
        if (v[0] < 20.0 || (v.size() > 1 && (v[1] < 0.0 || v[1] > 1.0))) {
            message = "'lowpass' needs a cut-off of 20 Hz or more, then a resonance of 0 to 1";
            return KeyResult::Fault;
        }
        tone.lowpass = v[0];
        tone.resonance = v.size() > 1 ? v[1] : 0.0;
        tone.lowpassSlide = v.size() > 2 ? v[2] : 0.0;
    } else if (key == "highpass") {
        if (!numbers(1, 1, 1.0, 20000.0, v)) return KeyResult::Fault;
        tone.highpass = v[0];
    } else if (key == "volume") {
        if (!numbers(1, 1, 0.0, 4.0, v)) return KeyResult::Fault;
        tone.volume = v[0];
    } else if (key == "seed") {
        long seed = 0;
        if (line.words.size() != 2 || !ReadInteger(line.words[1], 0, 4294967295L, seed)) {
            message = "'seed' needs one whole number from 0 to 4294967295";
            return KeyResult::Fault;
        }
        tone.seed = static_cast<uint32_t>(seed);
    } else if (key == "vowels") {
        tone.vowels.clear();
        for (size_t i = 1; i < line.words.size(); ++i) {
            Formants f;
            if (!LookUpVowel(line.words[i], f)) {
                message = "'vowels': '" + line.words[i] + "' is not one of " + VowelNames();
                return KeyResult::Fault;
            }
            tone.vowels.push_back(f);
        }
        if (tone.vowels.empty()) {
            message = std::string("'vowels' needs at least one of ") + VowelNames();
            return KeyResult::Fault;
        }
    } else if (key == "breath") {
        if (!numbers(1, 1, 0.0, 1.0, v)) return KeyResult::Fault;
        tone.breath = v[0];
    } else if (key == "shift") {
        if (!numbers(1, 1, 0.5, 2.0, v)) return KeyResult::Fault;
        tone.shift = v[0];
    } else {
        return KeyResult::NotMine;
    }
    return KeyResult::Read;
}

bool CheckTone(const ToneParams& tone, std::string& message) {
    if (tone.wave == Waveform::Voice && tone.vowels.empty()) {
        message = "a voice needs 'vowels'";
        return false;
    }
    if (tone.minFrequency > tone.maxFrequency) {
        message = "'limit': the low limit is above the high one";
        return false;
    }
    return true;
}

std::vector<float> RenderTone(const ToneParams& tone, double frequency, const Envelope& envelope,
                              double gate, int rate) {
    const size_t count = SampleCount(gate + std::max(0.0, envelope.release), rate);
    std::vector<float> out(count, 0.0f);
    Noise noise(tone.seed);
    double phase = 0.0;
    float held = noise.Next();
    double previousFlow = 0.0;
    const double sub = 1.0 / (kOversample * static_cast<double>(rate));

    for (size_t n = 0; n < count; ++n) {
        const double t = static_cast<double>(n) / rate;
        const double f = PitchAt(tone, frequency, t);
        const double step = f * sub;
        const double duty = std::max(0.01, std::min(0.99, tone.duty + tone.dutySweep * t));
        double sum = 0.0;
        for (int k = 0; k < kOversample; ++k) {
            if (tone.wave == Waveform::Noise)
                sum += held;
            else
                sum += Wave(tone.wave, phase, duty);
            const double before = std::floor(phase * kNoiseSteps);
            phase += step;
            if (phase >= 1.0) phase -= std::floor(phase);
            if (tone.wave == Waveform::Noise && std::floor(phase * kNoiseSteps) != before)
                held = noise.Next();
        }
        double value = sum / kOversample;
        if (tone.wave == Waveform::Voice) {
            // The flow's slope is what the mouth radiates; scaled so its peak
            // stays near 1 whatever the pitch.
            const double slope = (value - previousFlow) * rate / (10.0 * f);
            previousFlow = value;
            value = slope * (1.0 - tone.breath) + noise.Next() * tone.breath;
        }
        out[n] = static_cast<float>(value);
    }

    if (tone.wave == Waveform::Voice) {
        FormantFilter formants;
        for (size_t n = 0; n < count; ++n) {
            if (n % 32 == 0)
                formants.Tune(GlideFormants(tone.vowels, count > 1 ? double(n) / (count - 1) : 0.0,
                                            tone.shift),
                              rate);
            out[n] = formants.Process(out[n]);
        }
    }
    if (tone.lowpass > 0.0) {
        LowPass filter;
        filter.Tune(tone.lowpass, tone.resonance, rate);
        for (size_t n = 0; n < count; ++n) {
            if (tone.lowpassSlide != 0.0 && n % 16 == 0)
                filter.Tune(tone.lowpass * std::exp2(tone.lowpassSlide * n / rate), tone.resonance,
                            rate);
            out[n] = filter.Process(out[n]);
        }
    }
    if (tone.highpass > 0.0) {
        const double rc = 1.0 / (2.0 * kPi * tone.highpass);
        const double a = rc / (rc + 1.0 / rate);
        double lastIn = 0.0, lastOut = 0.0;
        for (size_t n = 0; n < count; ++n) {
            const double y = a * (lastOut + out[n] - lastIn);
            lastIn = out[n];
            lastOut = y;
            out[n] = static_cast<float>(y);
        }
    }

    float peak = 0.0f;
    for (size_t n = 0; n < count; ++n) {
        const double t = static_cast<double>(n) / rate;
        double gain = envelope.Gain(t, gate);
        if (tone.tremoloDepth > 0.0)
            gain *=
                1.0 - tone.tremoloDepth * (0.5 - 0.5 * std::cos(2.0 * kPi * tone.tremoloRate * t));
        out[n] = static_cast<float>(out[n] * gain);
        peak = std::max(peak, std::fabs(out[n]));
    }
    const double scale =
        tone.wave == Waveform::Voice && peak > 0.0f ? tone.volume / peak : tone.volume;
    for (float& s : out) s = static_cast<float>(s * scale);
    return out;
}
