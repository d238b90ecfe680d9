// Music scores: note names and frequencies, lengths, holds and bars, the
// parser's messages, and renders that loop.
#include "SynthScore.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// 150 beats a minute, 4 steps a beat at 22050 Hz: 2205 samples a step.
const std::string kHead =
    "tempo 150\nsteps 4\nbar 4\nrate 22050\n"
    "instrument Beep\n  wave square\n  frequency 344.53125\n";

Score Parse(const std::string& text) {
    Score score;
    SourceError error;
    EXPECT_TRUE(ParseScore("t.score", text, score, error)) << error.Text();
    return score;
}

std::string ParseError(const std::string& text) {
    Score score;
    SourceError error;
    EXPECT_FALSE(ParseScore("t.score", text, score, error));
    return error.Text();
}

}  // namespace

TEST(SynthScore, NoteNamesAndFrequencies) {
    const struct {
        const char* name;
        int note;
    } cases[] = {{"a4", 69},  {"c4", 60},  {"c#4", 61}, {"db4", 61}, {"b3", 59}, {"bb3", 58},
                 {"e#4", 65}, {"cb4", 59}, {"c0", 12},  {"g9", 127}, {"a2", 45}};
    for (const auto& c : cases) {
        int note = -1;
        EXPECT_TRUE(ReadNoteName(c.name, note)) << c.name;
        EXPECT_EQ(c.note, note) << c.name;
    }
    for (const char* bad : {"h4", "a", "a10", "c#", "ab", "A4", "a-1", "a4:2", "g#9"}) {
        int note = 0;
        EXPECT_FALSE(ReadNoteName(bad, note)) << bad;
    }
    EXPECT_DOUBLE_EQ(440.0, NoteFrequency(69));
    EXPECT_DOUBLE_EQ(880.0, NoteFrequency(81));
    EXPECT_NEAR(261.6256, NoteFrequency(60), 1e-4);
    EXPECT_NEAR(27.5, NoteFrequency(21), 1e-12);
}

TEST(SynthScore, LengthsRestsHoldsAndBars) {
    const Score score = Parse(kHead +
                              "pattern P\n"
                              "  a4:2 . - | c5 - - r |  # a comment after a bar\n"
                              "  x r:3 | e5\n"
                              "track t Beep\n  play P\n");
    const Pattern& p = score.patterns[0];
    EXPECT_EQ(13, p.length);
    ASSERT_EQ(4u, p.notes.size());
    EXPECT_EQ(69, p.notes[0].note);
    EXPECT_EQ(0, p.notes[0].start);
    EXPECT_EQ(2, p.notes[0].length);  // "-" after a rest holds the rest
    EXPECT_EQ(72, p.notes[1].note);
    EXPECT_EQ(4, p.notes[1].start);
    EXPECT_EQ(3, p.notes[1].length);  // "-" holds a note
    EXPECT_EQ(-1, p.notes[2].note);   // "x": the instrument's own frequency
    EXPECT_EQ(8, p.notes[2].start);
    EXPECT_EQ(76, p.notes[3].note);
    EXPECT_EQ(12, p.notes[3].start);

    EXPECT_EQ(13, score.Steps());
    EXPECT_DOUBLE_EQ(0.1, score.StepSeconds());
    EXPECT_NEAR(1.3, score.Seconds(), 1e-12);
}

TEST(SynthScore, FaultsNameTheFileAndLine) {
    const std::string t = "track t Beep\n  play ";
    const std::pair<std::string, const char*> cases[] = {
        {kHead + "pattern P\n  a4:3 |\n", "9: a bar of pattern 'P' holds 3 steps, not 4"},
        {kHead + "pattern P\n  a4 q4\n",
         "9: 'q4' is not a note (c4, f#3, bb5, x), a rest (., r) or a hold (-)"},
        {kHead + "pattern P\n  - a4\n",
         "9: '-' holds what came before, but pattern 'P' has nothing before it"},
        {kHead + "pattern P\n  a4:0\n", "9: 'a4:0': a length is :N steps, N from 1 to 1024"},
        {kHead + "  colour red\n", "8: unknown key 'colour' in instrument 'Beep'"},
        {"tempo 0\n", "1: 'tempo': 0 is not between 20 and 400"},
        {"rate 48000\n", "1: 'rate' is 22050 or 44100"},
        {"song\n", "1: unknown key 'song'"},
        {"track lead\n", "1: 'track' needs a name and the name of its instrument"},
        {kHead + "pattern P\n  a4\n" + t + "Q\n", "11: no pattern is named 'Q'"},
        {kHead + "pattern P\n  a4\n\ntrack t Boop\n  play P\n", "11: no instrument is named 'Boop'"},
        {kHead + "pattern P\n  a4\n" + t + "P*0\n", "11: 'P*0': a repeat is *N, N from 1 to 256"},
        {kHead + "pattern P\n  a4\n" + t + "P\ntrack u Beep\n  play P*2\n",
         "12: track 'u' lasts 2 steps, but 't' lasts 1"},
        {kHead + "pattern P\n  g9\n" + t + "P+1\n",
         "10: track 't' transposes a note of 'P' out of range"},
        {kHead + "pattern P\npattern P\n", "9: pattern 'P' is defined twice"},
        {kHead, " has no tracks: nothing would play"},
    };
    for (const auto& c : cases) EXPECT_EQ(std::string("t.score:") + c.second, ParseError(c.first));
}

TEST(SynthScore, PlayEntriesTransposeAndRepeat) {
    const Score score = Parse(kHead +
                              "pattern P\n  a4 c5\n"
                              "track t Beep\n  play P P+12*2\n  play P-3\n");
    const Track& t = score.tracks[0];
    ASSERT_EQ(3u, t.play.size());
    EXPECT_EQ(0, t.play[0].transpose);
    EXPECT_EQ(12, t.play[1].transpose);
    EXPECT_EQ(2, t.play[1].count);
    EXPECT_EQ(-3, t.play[2].transpose);
    EXPECT_EQ(8, score.Steps());
}

TEST(SynthScore, NotesLandOnTheirStepsInStereo) {
    // One note of 2 steps then 2 steps of rest, panned hard left, with an
    // exactly periodic square (64 samples a period, 0.5 a side).
    const Score score = Parse(kHead +
                              "  volume 0.5\n"
                              "pattern P\n  x:2 r:2\n"
                              "track t Beep\n  pan -1\n  play P\n");
    const std::vector<float> s = RenderScore(score);
    ASSERT_EQ(4u * 2205u * 2u, s.size());
    // Equal-power pan: hard left is sqrt(2) x cos(0) on the left, 0 on the right.
    const float left = static_cast<float>(0.5 * std::sqrt(2.0));
    EXPECT_FLOAT_EQ(left, s[0]);
    EXPECT_NEAR(0.0f, s[1], 1e-7);
    EXPECT_FLOAT_EQ(-left, s[2 * 40]);
    // The gate closes after two steps (no release): silence after.
    EXPECT_EQ(0.0f, s[2 * 4410]);
    EXPECT_EQ(0.0f, s[2 * 8819]);
}

TEST(SynthScore, TailsAndEchoesWrapIntoTheStart) {
    // A note in the last step with a long release rings on into the first.
    const Score tail = Parse(kHead +
                             "  release 0.2\n"
                             "pattern P\n  r:3 x\n"
                             "track t Beep\n  play P\n");
    const std::vector<float> s = RenderScore(tail);
    EXPECT_NE(0.0f, s[0]);
    EXPECT_NE(0.0f, s[2 * 1000]);

    // Without a release the start is silent; an echo of 2 steps brings the
    // note of step 3 back at step 1 (wrapping), at the echo's level.
    const Score echo = Parse(kHead +
                             "pattern P\n  r:3 x\n"
                             "track t Beep\n  echo 2 0 0.5\n  play P\n");
    const std::vector<float> e = RenderScore(echo);
    const float dry = e[2 * (3 * 2205)];
    EXPECT_EQ(0.0f, e[0]);
    EXPECT_FLOAT_EQ(0.5f * dry, e[2 * 2205]);
    EXPECT_EQ(RenderScore(echo), e);  // deterministic
}
