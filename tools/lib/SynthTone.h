// SynthTone: one synthesized tone, the building block of every effect layer
// and every note of the music.
//
// A tone is an oscillator (square with a duty cycle, saw, triangle, sine,
// noise, or a voice: glottal pulses through vowel formants) whose pitch
// follows a slide, an arpeggio and a vibrato, shaped by a resonant low-pass,
// a high-pass and a loudness envelope. The oscillator runs at eight times
// the output rate and each output sample is the mean of its eight, which
// keeps the plain waveforms from aliasing much while leaving their flat
// stretches exact. All noise comes from a seeded generator: the same
// parameters give the same samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SynthText.h"
#include "SynthVoice.h"

enum class Waveform { Square, Saw, Triangle, Sine, Noise, Voice };

bool ReadWaveform(const std::string& word, Waveform& wave);

struct ToneParams {
    Waveform wave = Waveform::Square;
    double frequency = 440.0;    // Hz at the start; a note replaces it
    double slide = 0.0;          // octaves per second
    double accel = 0.0;          // change of the slide, octaves per second per second
    double minFrequency = 20.0;  // the pitch is held inside these limits
    double maxFrequency = 16000.0;
    double vibratoDepth = 0.0;     // semitones
    double vibratoRate = 0.0;      // Hz
    double vibratoDelay = 0.0;     // seconds before the vibrato starts
    double tremoloDepth = 0.0;     // 0..1 of the loudness
    double tremoloRate = 0.0;      // Hz
    double duty = 0.5;             // square: the high part of a period
    double dutySweep = 0.0;        // per second
    double arpeggioStep = 0.0;     // seconds per arpeggio note
    std::vector<double> arpeggio;  // semitones above the pitch, one per step; the last one holds
    double repeat = 0.0;           // seconds after which slide and arpeggio start again (0: never)
    double lowpass = 0.0;          // cut-off in Hz (0: none)
    double resonance = 0.0;        // 0..1
    double lowpassSlide = 0.0;     // octaves per second
    double highpass = 0.0;         // Hz (0: none)
    double volume = 1.0;
    uint32_t seed = 1;
    std::vector<Formants> vowels;  // voice: the vowels it glides through
    double breath = 0.0;           // voice: 0 voiced .. 1 whispered
    double shift = 1.0;            // voice: formant scale
};

// The loudness of a tone while its gate is open (attack, then decay to
// `level`, with an extra `punch` fading out over the gate) and after it
// closes (a linear release from wherever it had got to).
struct Envelope {
    double attack = 0.0;
    double decay = 0.0;
    double level = 1.0;
    double release = 0.0;
    double punch = 0.0;

    double Gain(double t, double gate) const;

private:
    double Held(double t, double gate) const;  // the gain while the gate is open
};

// Reads one of the keys every tone shares: wave, frequency, slide, accel,
// limit, vibrato, tremolo, duty, arpeggio, repeat, lowpass, highpass,
// volume, seed, vowels, breath, shift. Envelope keys belong to the source
// kinds.
enum class KeyResult { NotMine, Read, Fault };
KeyResult ReadToneKey(const SourceLine& line, ToneParams& tone, std::string& message);

// Checks what single keys cannot: a voice has vowels, limits are ordered.
bool CheckTone(const ToneParams& tone, std::string& message);

// The samples of one tone played at `frequency` with its gate open for `gate`
// seconds: round((gate + release) * rate) samples, volume applied. A voice
// is brought to a peak of `volume`.
std::vector<float> RenderTone(const ToneParams& tone, double frequency, const Envelope& envelope,
                              double gate, int rate);

// The sample count of a span of seconds at a rate, the one rounding every
// renderer uses.
size_t SampleCount(double seconds, int rate);
