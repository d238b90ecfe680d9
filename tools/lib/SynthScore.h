// SynthScore: music written as a text score (".score"), rendered to 16-bit
// stereo WAV.
//
// A score sets the time, defines instruments and patterns, and lays the
// patterns out on tracks that play together:
//
//   tempo 150            # beats per minute
//   steps 4              # steps per beat: a step is a sixteenth note
//   bar 16               # steps per bar, checked at every "|" in a pattern
//   rate 44100           # samples per second (22050 or 44100)
//   master 0.9           # gain of the whole mix
//
//   instrument Lead      # tone keys (SynthTone.h) and a note envelope:
//     wave square        #   attack, decay (to `level`), level, release,
//     duty 0.25          #   punch, and `gate`: the part of a note's length
//     release 0.08       #   it is held before its release (default 1)
//
//   pattern Hook         # notes, a step each unless ":N" gives N steps:
//     a4:2 c5 e5:3 d5:2 | g4 . . - r:2 ...
//                        # c4..b4 is the octave from middle C, "#" sharp,
//                        # "b" flat (bb3); "x" plays the instrument's own
//                        # frequency (drums); "." and "r" rest; "-" holds
//                        # what came before one step more; "|" ends a bar
//
//   track melody Lead    # a name, then the instrument it plays
//     pan -0.2           # -1 left .. 1 right
//     volume 0.8
//     echo 3 0.3 0.25    # delay in steps, feedback, level
//     play Hook Hook+5 Hook*2   # "+N"/"-N" transposes by semitones, "*N" repeats
//
// Every track must last as many steps as the others. The song loops: a note
// still sounding at the end, and its echoes, carry over into the start, so
// the file repeats without a seam. A fault ends parsing with one SourceError
// naming the line.
#pragma once

#include <string>
#include <vector>

#include "SynthTone.h"

// MIDI-style note number of a name ("a4" is 69, "c4" 60, "c#4" and "db4" 61).
bool ReadNoteName(const std::string& word, int& note);
double NoteFrequency(int note);  // equal temperament, a4 = 440 Hz

struct Instrument {
    std::string name;
    ToneParams tone;
    Envelope envelope;
    double gate = 1.0;
    int line = 0;
};

struct PatternNote {
    int note = 0;   // -1: the instrument's own frequency
    int start = 0;  // steps from the pattern's start
    int length = 1;
};

struct Pattern {
    std::string name;
    std::vector<PatternNote> notes;
    int length = 0;  // steps, rests included
    int line = 0;
};

struct PlayEntry {
    size_t pattern = 0;  // index into Score::patterns
    int transpose = 0;
    int count = 1;
};

struct Track {
    std::string name;
    size_t instrument = 0;  // index into Score::instruments
    double pan = 0.0;
    double volume = 1.0;
    int echoSteps = 0;  // 0: no echo
    double echoFeedback = 0.0;
    double echoLevel = 0.0;
    std::vector<PlayEntry> play;
    int line = 0;

    int Steps(const std::vector<Pattern>& patterns) const;
};

struct Score {
    double tempo = 120.0;
    int stepsPerBeat = 4;
    int stepsPerBar = 16;
    int rate = 44100;
    double master = 1.0;
    std::vector<Instrument> instruments;
    std::vector<Pattern> patterns;
    std::vector<Track> tracks;

    double StepSeconds() const { return 60.0 / (tempo * stepsPerBeat); }
    int Steps() const;  // the song's length in steps
    double Seconds() const { return Steps() * StepSeconds(); }
};

bool ParseScore(const std::string& file, const std::string& text, Score& score, SourceError& error);

// Interleaved stereo samples in [-1, 1] (clipped), Seconds() long.
std::vector<float> RenderScore(const Score& score);

bool BuildScore(const std::string& sourcePath, const std::string& wavPath, SourceError& error);
