// Sound-effect sources: the parser's messages, exact samples of plain
// renders, envelope lengths, the WAV bytes, determinism and loops.
#include "SynthEffect.h"

#include <gtest/gtest.h>

#include <cmath>

#include "SynthWav.h"

namespace {

Effect Parse(const std::string& text) {
    Effect effect;
    SourceError error;
    EXPECT_TRUE(ParseEffect("t.sfx", text, effect, error)) << error.Text();
    return effect;
}

std::string ParseError(const std::string& text) {
    Effect effect;
    SourceError error;
    EXPECT_FALSE(ParseEffect("t.sfx", text, effect, error));
    return error.Text();
}

// 344.53125 Hz is 1/512 of eight times 22050: each sub-step of the
// oscillator adds exactly 1/512 to its phase, so a period is 64 samples.
const char* kExactSquare =
    "wave square\n"
    "frequency 344.53125\n"
    "sustain 0.02\n"
    "decay 0\n"
    "volume 0.5\n";

}  // namespace

TEST(SynthEffect, FaultsNameTheFileAndLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"wave sine\ncolour red\n", "2: unknown key 'colour'"},
        {"wave organ\n", "1: 'wave' needs one of square, saw, triangle, sine, noise, voice"},
        {"# a comment\nwave sine\nfrequency high\n", "3: 'frequency': 'high' is not a number"},
        {"frequency 0\n", "1: 'frequency': 0 is not between 1 and 20000"},
        {"vibrato 1\n", "1: 'vibrato' needs 2 to 3 numbers between 0 and 100"},
        {"duty 1.5\n", "1: 'duty': 1.5 is not between 0.01 and 0.99"},
        {"sustain 1 2\n", "1: 'sustain' needs 1 number between 0 and 10"},
        {"wave voice\nvowels a x\n", "2: 'vowels': 'x' is not one of a ae e i o u uh er"},
        // Checks that need the whole layer name the line where it begins.
        {"wave sine\n\nlayer\nwave voice\n", "3: a voice needs 'vowels'"},
        {"sustain 0\ndecay 0\n", "1: the layer lasts no time: give it a sustain or decay"},
        {"# nothing\n\n", " holds no sound: write at least one key"},
        {"frequency nan\n", "1: 'frequency': 'nan' is not a number"},
        {"frequency 0x20\n", "1: 'frequency': '0x20' is not a number"},
    };
    for (const auto& c : cases) EXPECT_EQ(std::string("t.sfx:") + c.second, ParseError(c.first));
}

TEST(SynthEffect, LayersAndTheirDefaults) {
    const Effect one = Parse("layer\nwave saw\n");  // a leading "layer" starts no empty layer
    ASSERT_EQ(1u, one.layers.size());
    EXPECT_EQ(Waveform::Saw, one.layers[0].tone.wave);
    EXPECT_DOUBLE_EQ(0.3, one.Seconds());  // sustain 0.1 + decay 0.2

    const Effect two = Parse("wave sine\nsustain 0.5\nlayer\ndelay 0.4\ndecay 0.3\nsustain 0\n");
    ASSERT_EQ(2u, two.layers.size());
    EXPECT_EQ(3, two.layers[1].line);
    EXPECT_DOUBLE_EQ(0.7, two.layers[0].End());
    EXPECT_DOUBLE_EQ(0.7, two.layers[1].End());
    EXPECT_DOUBLE_EQ(0.7, two.Seconds());

    const Effect looped = Parse("loop 0.25 0.01\nsustain 1\n");
    EXPECT_DOUBLE_EQ(0.25, looped.Seconds());
    EXPECT_DOUBLE_EQ(0.01, looped.crossfade);
}

TEST(SynthEffect, ASquareWaveRendersExactly) {
    const std::vector<float> s = RenderEffect(Parse(kExactSquare));
    ASSERT_EQ(441u, s.size());  // 0.02 s at 22050 Hz
    for (int i = 0; i < 32; ++i) EXPECT_EQ(0.5f, s[i]) << i;
    for (int i = 32; i < 64; ++i) EXPECT_EQ(-0.5f, s[i]) << i;
    EXPECT_EQ(0.5f, s[64]);
    const PcmSound pcm = MakePcm(s, kEffectRate, 1);
    EXPECT_EQ(16384, pcm.samples[0]);  // 0.5 x 32767, rounded to nearest
    EXPECT_EQ(-16384, pcm.samples[40]);

    // A narrow pulse keeps no offset: high 2 (1 - duty), low -2 duty.
    const std::vector<float> narrow =
        RenderEffect(Parse(std::string(kExactSquare) + "duty 0.25\n"));
    EXPECT_EQ(0.75f, narrow[15]);
    EXPECT_EQ(-0.25f, narrow[16]);
}

TEST(SynthEffect, EnvelopeLengthsAndShape) {
    // Attack 0.01 s (220.5 samples: rounds to 221 of the length), sustain,
    // then a linear decay to nothing.
    const Effect effect =
        Parse("wave square\nfrequency 344.53125\nattack 0.01\nsustain 0.02\ndecay 0.04\n");
    const std::vector<float> s = RenderEffect(effect);
    EXPECT_EQ(static_cast<size_t>(std::llround(0.07 * 22050)), s.size());
    EXPECT_EQ(0.0f, s[0]);
    EXPECT_NEAR(10.0 / 220.5, s[10], 1e-6);     // rising through the attack
    EXPECT_NEAR(1.0, std::fabs(s[300]), 1e-6);  // held through the sustain
    EXPECT_NEAR(0.5, std::fabs(s[static_cast<size_t>(0.05 * 22050)]), 1e-3);  // half-way down
    EXPECT_LT(std::fabs(s.back()), 0.001f);

    Envelope e;  // attack 0.1, decay 0.2 to level 0.5, release 0.4
    e.attack = 0.1, e.decay = 0.2, e.level = 0.5, e.release = 0.4;
    EXPECT_DOUBLE_EQ(0.5, e.Gain(0.05, 1.0));
    EXPECT_DOUBLE_EQ(0.75, e.Gain(0.2, 1.0));  // half-way down to the level
    EXPECT_DOUBLE_EQ(0.5, e.Gain(0.9, 1.0));   // held at the level
    EXPECT_DOUBLE_EQ(0.25, e.Gain(1.2, 1.0));  // half-way through the release
    EXPECT_DOUBLE_EQ(0.0, e.Gain(1.5, 1.0));
    EXPECT_DOUBLE_EQ(0.0, e.Gain(-0.1, 1.0));
    // A gate that closes in the attack releases from where the attack got to.
    EXPECT_DOUBLE_EQ(0.25, e.Gain(0.25, 0.05));
    // Punch adds loudness at the start of the gate, gone by its end.
    Envelope p;
    p.punch = 0.5;
    EXPECT_DOUBLE_EQ(1.5, p.Gain(0.0, 1.0));
    EXPECT_DOUBLE_EQ(1.25, p.Gain(0.5, 1.0));
    // A gate of 0 with a release does not stall.
    EXPECT_DOUBLE_EQ(0.0, p.Gain(0.0, 0.0));
}

TEST(SynthEffect, PitchSlideArpeggioAndLimits) {
    ToneParams tone;
    Envelope flat;
    // Cycles counted by the rising zero crossings of a sine.
    tone.wave = Waveform::Sine;
    tone.frequency = 200.0;
    tone.slide = 1.0;
    auto crossings = [](const std::vector<float>& s, size_t from, size_t to) {
        int n = 0;
        for (size_t i = from + 1; i < to; ++i) n += s[i - 1] < 0.0f && s[i] >= 0.0f;
        return n;
    };
    std::vector<float> s = RenderTone(tone, tone.frequency, flat, 1.0, 22050);
    // From 200 Hz to 400 Hz: 200/ln 2 (about 288.5) cycles in the second.
    EXPECT_NEAR(288, crossings(s, 0, s.size()), 1);

    tone.slide = 0.0;
    tone.arpeggioStep = 0.5;
    tone.arpeggio = {0.0, 12.0};  // 200 Hz, then an octave up
    s = RenderTone(tone, tone.frequency, flat, 1.0, 22050);
    EXPECT_NEAR(100, crossings(s, 0, 11025), 1);
    EXPECT_NEAR(200, crossings(s, 11025, 22050), 1);

    tone.arpeggio.clear();
    tone.slide = -4.0;
    tone.minFrequency = 100.0;  // 200 Hz would fall to 12.5: held at 100
    s = RenderTone(tone, tone.frequency, flat, 1.0, 22050);
    EXPECT_NEAR(50, crossings(s, 11025, 22050), 1);
}

TEST(SynthEffect, RendersAreDeterministicAndSeeded) {
    const char* noise = "wave noise\nfrequency 5000\nsustain 0.05\ndecay 0.05\nseed 7\n";
    const std::vector<float> a = RenderEffect(Parse(noise));
    EXPECT_EQ(a, RenderEffect(Parse(noise)));
    const std::vector<float> b =
        RenderEffect(Parse(std::string(noise) + "seed 8\n"));  // the later seed wins
    ASSERT_EQ(a.size(), b.size());
    EXPECT_NE(a, b);

    const char* voice = "wave voice\nvowels a o\nbreath 0.2\nfrequency 220\nvolume 0.8\n";
    const std::vector<float> v = RenderEffect(Parse(voice));
    EXPECT_EQ(v, RenderEffect(Parse(voice)));
    float peak = 0.0f;
    for (float x : v) peak = std::max(peak, std::fabs(x));
    EXPECT_NEAR(0.8f, peak, 1e-5);  // a voice is brought to its volume
}

TEST(SynthEffect, LayersMixAndClip) {
    const std::string square = kExactSquare;
    const std::vector<float> s =
        RenderEffect(Parse(square + "layer\n" + square + "layer\n" + square));
    EXPECT_EQ(1.0f, s[0]);  // 1.5, clipped
    EXPECT_EQ(-1.0f, s[32]);
    const std::vector<float> delayed =
        RenderEffect(Parse(square + "layer\n" + square + "delay 0.01\n"));
    EXPECT_EQ(static_cast<size_t>(std::llround(0.03 * 22050)), delayed.size());
    EXPECT_EQ(0.5f, delayed[0]);  // the first layer alone
    EXPECT_EQ(1.0f, delayed[static_cast<size_t>(std::llround(0.01 * 22050))]);  // both
}

TEST(SynthEffect, ALoopLeadsFromItsLastSampleIntoItsFirst) {
    // A 100 Hz sine over 0.1025 s ends a quarter period on; the crossfade
    // makes the wrap as smooth as the inside of the sound.
    const char* text = "loop 0.1025 0.02\nwave sine\nfrequency 100\nsustain 0.2\ndecay 0\n";
    const std::vector<float> s = RenderEffect(Parse(text));
    ASSERT_EQ(static_cast<size_t>(std::llround(0.1025 * 22050)), s.size());
    const double step = 2.0 * 3.14159265358979 * 100.0 / 22050.0;  // largest step of the sine
    EXPECT_LT(std::fabs(s.back() - s.front()), step * 1.05);
    double largest = 0.0;
    for (size_t i = 1; i < s.size(); ++i)
        largest = std::max(largest, double(std::fabs(s[i] - s[i - 1])));
    EXPECT_LT(largest, step * 1.05);

    // Without the crossfade the same sound jumps at the wrap.
    const std::vector<float> once =
        RenderEffect(Parse("wave sine\nfrequency 100\nsustain 0.1025\ndecay 0\n"));
    EXPECT_GT(std::fabs(once.back() - once.front()), 0.9);
}

TEST(SynthWav, HeaderBytesAndRoundTrip) {
    PcmSound sound;
    sound.rate = 22050;
    sound.channels = 1;
    sound.samples = {0, 16384, -16384, 32767};
    const std::vector<uint8_t> bytes = EncodeWav(sound);
    const uint8_t header[44] = {'R',  'I',  'F', 'F', 44,   0,    0,   0,   'W', 'A', 'V', 'E',
                                'f',  'm',  't', ' ', 16,   0,    0,   0,   1,   0,   1,   0,
                                0x22, 0x56, 0,   0,   0x44, 0xac, 0,   0,  // 22050, 44100 bytes/s
                                2,    0,    16,  0,   'd',  'a',  't', 'a', 8,   0,   0,   0};
    ASSERT_EQ(52u, bytes.size());
    EXPECT_EQ(std::vector<uint8_t>(header, header + 44),
              std::vector<uint8_t>(bytes.begin(), bytes.begin() + 44));
    EXPECT_EQ(0x00, bytes[46]);
    EXPECT_EQ(0x40, bytes[47]);  // 16384 little-endian
    EXPECT_EQ(0xc0, bytes[49]);  // -16384

    PcmSound back;
    std::string error;
    ASSERT_TRUE(DecodeWav(bytes, back, error)) << error;
    EXPECT_EQ(22050, back.rate);
    EXPECT_EQ(1, back.channels);
    EXPECT_EQ(sound.samples, back.samples);

    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + 48);
    EXPECT_FALSE(DecodeWav(cut, back, error));
    EXPECT_EQ("chunk 'data' runs past the end of the file", error);
    EXPECT_FALSE(DecodeWav(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 10), back, error));
    EXPECT_EQ("not a RIFF/WAVE file", error);

    EXPECT_EQ(32767, ToPcm16(1.5f));
    EXPECT_EQ(-32767, ToPcm16(-1.0f));
    EXPECT_EQ(0, ToPcm16(0.00001f));

    const SoundStats stats = MeasureSound(sound);
    EXPECT_NEAR(32767 / 32767.0, stats.peak, 1e-9);
    EXPECT_EQ(1u, stats.clipped);
    EXPECT_NEAR(1.0, stats.seamJump, 1e-9);
}
