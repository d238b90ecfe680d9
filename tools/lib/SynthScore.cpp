#include "SynthScore.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "SynthWav.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kLongestNote = 1024;  // steps

bool IsName(const std::string& word) {
    if (word.empty()) return false;
    for (char c : word) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    }
    return true;
}

// A play entry before its pattern is known: "Name", "Name+5", "Name-2*3".
struct PendingEntry {
    std::string pattern;
    int transpose = 0;
    int count = 1;
    int line = 0;
    size_t track = 0;
};

bool ReadPlayWord(const std::string& word, PendingEntry& entry, std::string& message) {
    size_t end = 0;
    while (end < word.size() &&
           (std::isalnum(static_cast<unsigned char>(word[end])) || word[end] == '_'))
        ++end;
    entry.pattern = word.substr(0, end);
    std::string rest = word.substr(end);
    const size_t star = rest.find('*');
    std::string transpose = rest.substr(0, star);
    long value = 0;
    if (!transpose.empty()) {
        if (transpose[0] == '+') transpose.erase(0, 1);
        if (!ReadInteger(transpose, -48, 48, value)) {
            message = "'" + word + "': a transposition is +N or -N semitones, up to 48";
            return false;
        }
        entry.transpose = static_cast<int>(value);
    }
    if (star != std::string::npos) {
        if (!ReadInteger(rest.substr(star + 1), 1, 256, value)) {
            message = "'" + word + "': a repeat is *N, N from 1 to 256";
            return false;
        }
        entry.count = static_cast<int>(value);
    }
    if (entry.pattern.empty()) {
        message = "'" + word + "' does not start with a pattern name";
        return false;
    }
    return true;
}

class ScoreParser {
public:
    ScoreParser(const std::string& file, Score& score, SourceError& error)
        : file_(file), score_(score), error_(error) {}

    bool Parse(const std::string& text) {
        for (const SourceLine& line : SplitSourceLines(text)) {
            if (!Line(line)) return false;
        }
        return Finish();
    }

private:
    enum class Block { Top, Instrument, Pattern, Track };

    bool Fault(int line, const std::string& message) { return Fail(error_, file_, line, message); }

    bool Line(const SourceLine& line) {
        const std::string& key = line.words[0];
        if (key == "instrument") return Begin(line, Block::Instrument);
        if (key == "pattern") return Begin(line, Block::Pattern);
        if (key == "track") return Begin(line, Block::Track);
        if (key == "tempo" || key == "steps" || key == "bar" || key == "rate" || key == "master")
            return TopKey(line);
        switch (block_) {
            case Block::Top:
                return Fault(line.number, "unknown key '" + key + "'");
            case Block::Instrument:
                return InstrumentKey(line);
            case Block::Pattern:
                return PatternWords(line);
            case Block::Track:
                return TrackKey(line);
        }
        return true;
    }

    bool Begin(const SourceLine& line, Block block) {
        if (block == Block::Track) {
            if (line.words.size() != 3 || !IsName(line.words[1]))
                return Fault(line.number, "'track' needs a name and the name of its instrument");
        } else if (line.words.size() != 2 || !IsName(line.words[1])) {
            return Fault(line.number,
                         "'" + line.words[0] + "' needs one name of letters, digits and '_'");
        }
        const std::string& name = line.words[1];
        block_ = block;
        if (block == Block::Instrument) {
            if (FindInstrument(name) >= 0)
                return Fault(line.number, "instrument '" + name + "' is defined twice");
            score_.instruments.emplace_back();
            score_.instruments.back().name = name;
            score_.instruments.back().line = line.number;
        } else if (block == Block::Pattern) {
            if (FindPattern(name) >= 0)
                return Fault(line.number, "pattern '" + name + "' is defined twice");
            score_.patterns.emplace_back();
            score_.patterns.back().name = name;
            score_.patterns.back().line = line.number;
            barStart_ = 0;
            lastWasNote_ = false;
        } else {
            for (const Track& t : score_.tracks) {
                if (t.name == name)
                    return Fault(line.number, "track '" + name + "' is defined twice");
            }
            score_.tracks.emplace_back();
            score_.tracks.back().name = name;
            score_.tracks.back().line = line.number;
            trackInstruments_.push_back({line.words[2], line.number});
        }
        return true;
    }

    bool TopKey(const SourceLine& line) {
        const std::string& key = line.words[0];
        std::vector<double> v(1, 0.0);
        std::string message;
        if (key == "tempo" && ReadKeyNumbers(line, 1, 20.0, 400.0, v, message)) {
            score_.tempo = v[0];
        } else if (key == "master" && ReadKeyNumbers(line, 1, 0.0, 4.0, v, message)) {
            score_.master = v[0];
        } else if (key == "steps" || key == "bar" || key == "rate") {
            long value = 0;
            const bool ok = line.words.size() == 2 && ReadInteger(line.words[1], 1,
                                                                  key == "steps" ? 16
                                                                  : key == "bar" ? 256
                                                                                 : 96000,
                                                                  value);
            if (key == "rate" && ok && value != 22050 && value != 44100)
                return Fault(line.number, "'rate' is 22050 or 44100");
            if (!ok)
                return Fault(line.number, "'" + key + "' needs one whole number" +
                                              (key == "steps" ? " from 1 to 16"
                                               : key == "bar" ? " from 1 to 256"
                                                              : ""));
            if (key == "steps") score_.stepsPerBeat = static_cast<int>(value);
            if (key == "bar") score_.stepsPerBar = static_cast<int>(value);
            if (key == "rate") score_.rate = static_cast<int>(value);
        } else {
            return Fault(line.number, message);
        }
        return true;
    }

    bool InstrumentKey(const SourceLine& line) {
        Instrument& instrument = score_.instruments.back();
        std::string message;
        const KeyResult tone = ReadToneKey(line, instrument.tone, message);
        if (tone == KeyResult::Fault) return Fault(line.number, message);
        if (tone == KeyResult::Read) return true;
        const std::string& key = line.words[0];
        struct Field {
            const char* key;
            double* value;
            double high;
        } fields[] = {{"attack", &instrument.envelope.attack, 10.0},
                      {"decay", &instrument.envelope.decay, 10.0},
                      {"level", &instrument.envelope.level, 4.0},
                      {"release", &instrument.envelope.release, 10.0},
                      {"punch", &instrument.envelope.punch, 4.0},
                      {"gate", &instrument.gate, 1.0}};
        for (const Field& field : fields) {
            if (key != field.key) continue;
            std::vector<double> v(1, 0.0);
            if (!ReadKeyNumbers(line, 1, 0.0, field.high, v, message))
                return Fault(line.number, message);
            *field.value = v[0];
            return true;
        }
        return Fault(line.number,
                     "unknown key '" + key + "' in instrument '" + instrument.name + "'");
    }

    bool PatternWords(const SourceLine& line) {
        Pattern& pattern = score_.patterns.back();
        for (const std::string& word : line.words) {
            if (word == "|") {
                const int steps = pattern.length - barStart_;
                if (steps != score_.stepsPerBar)
                    return Fault(line.number, "a bar of pattern '" + pattern.name + "' holds " +
                                                  std::to_string(steps) + " steps, not " +
                                                  std::to_string(score_.stepsPerBar));
                barStart_ = pattern.length;
                continue;
            }
            if (word == ".") {
                pattern.length += 1;
                lastWasNote_ = false;
                continue;
            }
            if (word == "-") {
                if (pattern.length == 0)
                    return Fault(line.number, "'-' holds what came before, but pattern '" +
                                                  pattern.name + "' has nothing before it");
                if (lastWasNote_) pattern.notes.back().length += 1;
                pattern.length += 1;
                continue;
            }
            const size_t colon = word.find(':');
            const std::string head = word.substr(0, colon);
            long length = 1;
            if (colon != std::string::npos &&
                !ReadInteger(word.substr(colon + 1), 1, kLongestNote, length))
                return Fault(line.number, "'" + word + "': a length is :N steps, N from 1 to " +
                                              std::to_string(kLongestNote));
            if (head == "r") {
                lastWasNote_ = false;
            } else {
                PatternNote note;
                if (head == "x") {
                    note.note = -1;
                } else if (!ReadNoteName(head, note.note)) {
                    return Fault(line.number,
                                 "'" + word +
                                     "' is not a note (c4, f#3, bb5, x), a rest (., r) "
                                     "or a hold (-)");
                }
                note.start = pattern.length;
                note.length = static_cast<int>(length);
                pattern.notes.push_back(note);
                lastWasNote_ = true;
            }
            pattern.length += static_cast<int>(length);
        }
        return true;
    }

    bool TrackKey(const SourceLine& line) {
        Track& track = score_.tracks.back();
        const std::string& key = line.words[0];
        std::string message;
        if (key == "play") {
            if (line.words.size() < 2)
                return Fault(line.number, "'play' needs at least one pattern");
            for (size_t i = 1; i < line.words.size(); ++i) {
                PendingEntry entry;
                if (!ReadPlayWord(line.words[i], entry, message))
                    return Fault(line.number, message);
                entry.line = line.number;
                entry.track = score_.tracks.size() - 1;
                pending_.push_back(entry);
            }
            return true;
        }
        std::vector<double> v(3, 0.0);
        if (key == "pan") {
            v.resize(1);
            if (!ReadKeyNumbers(line, 1, -1.0, 1.0, v, message)) return Fault(line.number, message);
            track.pan = v[0];
        } else if (key == "volume") {
            v.resize(1);
            if (!ReadKeyNumbers(line, 1, 0.0, 4.0, v, message)) return Fault(line.number, message);
            track.volume = v[0];
        } else if (key == "echo") {
            if (!ReadKeyNumbers(line, 3, 0.0, 64.0, v, message)) return Fault(line.number, message);
            if (v[0] != std::floor(v[0]) || v[0] < 1.0 || v[1] >= 1.0 || v[2] > 1.0)
                return Fault(line.number,
                             "'echo' needs a delay of 1 to 64 whole steps, a feedback below 1 "
                             "and a level of 0 to 1");
            track.echoSteps = static_cast<int>(v[0]);
            track.echoFeedback = v[1];
            track.echoLevel = v[2];
        } else {
            return Fault(line.number, "unknown key '" + key + "' in track '" + track.name + "'");
        }
        return true;
    }

    int FindInstrument(const std::string& name) const {
        for (size_t i = 0; i < score_.instruments.size(); ++i) {
            if (score_.instruments[i].name == name) return static_cast<int>(i);
        }
        return -1;
    }

    int FindPattern(const std::string& name) const {
        for (size_t i = 0; i < score_.patterns.size(); ++i) {
            if (score_.patterns[i].name == name) return static_cast<int>(i);
        }
        return -1;
    }

    // Names may be used before they are defined; they are resolved here.
    bool Finish() {
        for (const Instrument& instrument : score_.instruments) {
            std::string message;
            if (!CheckTone(instrument.tone, message)) return Fault(instrument.line, message);
        }
        for (const PendingEntry& entry : pending_) {
            const int pattern = FindPattern(entry.pattern);
            if (pattern < 0)
                return Fault(entry.line, "no pattern is named '" + entry.pattern + "'");
            PlayEntry play;
            play.pattern = static_cast<size_t>(pattern);
            play.transpose = entry.transpose;
            play.count = entry.count;
            score_.tracks[entry.track].play.push_back(play);
        }
        if (score_.tracks.empty()) return Fault(0, "has no tracks: nothing would play");
        for (size_t i = 0; i < score_.tracks.size(); ++i) {
            Track& track = score_.tracks[i];
            const auto& [name, line] = trackInstruments_[i];
            const int instrument = FindInstrument(name);
            if (instrument < 0) return Fault(line, "no instrument is named '" + name + "'");
            track.instrument = static_cast<size_t>(instrument);
            for (const PlayEntry& play : track.play) {
                for (const PatternNote& note : score_.patterns[play.pattern].notes) {
                    if (note.note >= 0 &&
                        (note.note + play.transpose < 0 || note.note + play.transpose > 127))
                        return Fault(track.line,
                                     "track '" + track.name + "' transposes a note of '" +
                                         score_.patterns[play.pattern].name + "' out of range");
                }
            }
        }
        const Track& first = score_.tracks.front();
        const int steps = first.Steps(score_.patterns);
        if (steps == 0) return Fault(first.line, "track '" + first.name + "' plays nothing");
        for (const Track& track : score_.tracks) {
            const int other = track.Steps(score_.patterns);
            if (other != steps)
                return Fault(track.line, "track '" + track.name + "' lasts " +
                                             std::to_string(other) + " steps, but '" + first.name +
                                             "' lasts " + std::to_string(steps));
        }
        if (score_.Seconds() > 600.0) return Fault(0, "lasts more than 10 minutes");
        return true;
    }

    const std::string& file_;
    Score& score_;
    SourceError& error_;
    Block block_ = Block::Top;
    int barStart_ = 0;
    bool lastWasNote_ = false;
    std::vector<std::pair<std::string, int>> trackInstruments_;  // name and line, per track
    std::vector<PendingEntry> pending_;
};

}  // namespace

bool ReadNoteName(const std::string& word, int& note) {
    static const int kSemitones[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    if (word.size() < 2 || word[0] < 'a' || word[0] > 'g') return false;
    int semitone = kSemitones[word[0] - 'a'];
    size_t at = 1;
    if (word[at] == '#' || (word[at] == 'b' && at + 1 < word.size())) {
        semitone += word[at] == '#' ? 1 : -1;
        ++at;
    }
    long octave = 0;
    if (!ReadInteger(word.substr(at), 0, 9, octave)) return false;
    note = static_cast<int>(12 * (octave + 1)) + semitone;
    return note >= 0 && note <= 127;
}

double NoteFrequency(int note) {
    return 440.0 * std::exp2((note - 69) / 12.0);
}

int Track::Steps(const std::vector<Pattern>& patterns) const {
    int steps = 0;
    for (const PlayEntry& play : this->play) steps += patterns[play.pattern].length * play.count;
    return steps;
}

int Score::Steps() const {
    return tracks.empty() ? 0 : tracks.front().Steps(patterns);
}

bool ParseScore(const std::string& file, const std::string& text, Score& score,
                SourceError& error) {
    score = Score();
    ScoreParser parser(file, score, error);
    return parser.Parse(text);
}

std::vector<float> RenderScore(const Score& score) {
    const double samplesPerStep = score.rate * score.StepSeconds();
    const size_t total = SampleCount(score.Steps() * score.StepSeconds(), score.rate);
    std::vector<float> stereo(total * 2, 0.0f);
    if (total == 0) return stereo;
    std::vector<float> dry(total);
    for (const Track& track : score.tracks) {
        const Instrument& instrument = score.instruments[track.instrument];
        std::fill(dry.begin(), dry.end(), 0.0f);
        int at = 0;
        for (const PlayEntry& play : track.play) {
            const Pattern& pattern = score.patterns[play.pattern];
            for (int repeat = 0; repeat < play.count; ++repeat, at += pattern.length) {
                for (const PatternNote& note : pattern.notes) {
                    const double frequency = note.note < 0
                                                 ? instrument.tone.frequency
                                                 : NoteFrequency(note.note + play.transpose);
                    const double gate = note.length * score.StepSeconds() * instrument.gate;
                    const std::vector<float> tone = RenderTone(
                        instrument.tone, frequency, instrument.envelope, gate, score.rate);
                    // The song loops, so what runs past its end sounds at its start.
                    size_t index =
                        static_cast<size_t>(std::llround((at + note.start) * samplesPerStep)) %
                        total;
                    for (float s : tone) {
                        dry[index] += s;
                        if (++index == total) index = 0;
                    }
                }
            }
        }
        std::vector<float> wet = dry;
        if (track.echoSteps > 0 && track.echoLevel > 0.0) {
            const size_t delay =
                static_cast<size_t>(std::llround(track.echoSteps * samplesPerStep));
            double level = track.echoLevel;
            for (size_t tap = 1; level > 0.002 && tap < 64; ++tap, level *= track.echoFeedback) {
                const size_t shift = (delay * tap) % total;
                for (size_t n = 0; n < total; ++n)
                    wet[n] += static_cast<float>(level * dry[(n + total - shift) % total]);
                if (track.echoFeedback <= 0.0) break;
            }
        }
        // Equal-power pan.
        const double angle = (track.pan + 1.0) * kPi / 4.0;
        const float left =
            static_cast<float>(std::cos(angle) * std::sqrt(2.0) * track.volume * score.master);
        const float right =
            static_cast<float>(std::sin(angle) * std::sqrt(2.0) * track.volume * score.master);
        for (size_t n = 0; n < total; ++n) {
            stereo[2 * n] += wet[n] * left;
            stereo[2 * n + 1] += wet[n] * right;
        }
    }
    for (float& s : stereo) s = std::max(-1.0f, std::min(1.0f, s));
    return stereo;
}

bool BuildScore(const std::string& sourcePath, const std::string& wavPath, SourceError& error) {
    std::string text;
    if (!ReadTextFile(sourcePath, text)) return Fail(error, sourcePath, 0, "cannot be read");
    Score score;
    if (!ParseScore(sourcePath, text, score, error)) return false;
    const PcmSound sound = MakePcm(RenderScore(score), score.rate, 2);
    std::string failure;
    if (!WriteFileAtomically(wavPath, EncodeWav(sound), failure))
        return Fail(error, wavPath, 0, failure);
    return true;
}
