// kestrion-music: renders a music score to a WAV file.
//
//   kestrion-music --out FILE.wav SOURCE.score
//       Renders one ".score" (format in tools/lib/SynthScore.h) to 16-bit
//       stereo WAV; the build then encodes it to MP3 with `lame`.
//   kestrion-music --check SOURCE.score
//       Parses only, and prints the song's length.
//
// The first fault ends the run with one line "file:line: message" on standard
// error and exit status 1; a wrong command line exits with 2.
#include <cstdio>
#include <string>

#include "SynthScore.h"

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--check" && argc == 3) {
        std::string text;
        if (!ReadTextFile(argv[2], text)) {
            std::fprintf(stderr, "%s: cannot be read\n", argv[2]);
            return 1;
        }
        Score score;
        SourceError error;
        if (!ParseScore(argv[2], text, score, error)) {
            std::fprintf(stderr, "%s\n", error.Text().c_str());
            return 1;
        }
        std::printf("%s: %d steps, %.2f s, %zu tracks\n", argv[2], score.Steps(), score.Seconds(),
                    score.tracks.size());
        return 0;
    }
    if (mode != "--out" || argc != 4) {
        std::fprintf(stderr,
                     "usage: kestrion-music --out FILE.wav SOURCE.score\n"
                     "       kestrion-music --check SOURCE.score\n");
        return 2;
    }
    SourceError error;
    if (!BuildScore(argv[3], argv[2], error)) {
        std::fprintf(stderr, "%s\n", error.Text().c_str());
        return 1;
    }
    return 0;
}
