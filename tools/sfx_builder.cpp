// kestrion-sfx: renders sound-effect sources to WAV, and measures WAV files.
//
//   kestrion-sfx --out FILE.WAV SOURCE.sfx
//       Renders one ".sfx" source (format in tools/lib/SynthEffect.h) to a
//       16-bit mono WAV at 22050 Hz.
//   kestrion-sfx --stats FILE.wav...
//       A listen-check in numbers: length, peak, RMS, DC offset, clipped
//       samples, leading silence and the jump at the loop seam.
//   kestrion-sfx --picture OUT.png FILE.wav
//       Draws the waveform and a spectrogram of a sound (SynthPicture.h).
//
// The first fault ends the run with one line "file:line: message" on standard
// error and exit status 1; a wrong command line exits with 2.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "SynthEffect.h"
#include "SynthPicture.h"
#include "SynthWav.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: kestrion-sfx --out FILE.WAV SOURCE.sfx\n"
                 "       kestrion-sfx --stats FILE.wav...\n"
                 "       kestrion-sfx --picture OUT.png FILE.wav\n");
    return 2;
}

double Decibels(double level) {
    return level > 0.0 ? 20.0 * std::log10(level) : -999.0;
}

bool Load(const char* path, PcmSound& sound) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadBinaryFile(path, bytes)) {
        std::fprintf(stderr, "%s: cannot be read\n", path);
        return false;
    }
    if (!DecodeWav(bytes, sound, error)) {
        std::fprintf(stderr, "%s: %s\n", path, error.c_str());
        return false;
    }
    return true;
}

int Picture(const char* out, const char* path) {
    PcmSound sound;
    if (!Load(path, sound)) return 1;
    std::string error;
    if (!WritePng(out, DrawSound(sound, 800, 400), error)) {
        std::fprintf(stderr, "%s: %s\n", out, error.c_str());
        return 1;
    }
    return 0;
}

int Stats(int count, char** paths) {
    for (int i = 0; i < count; ++i) {
        PcmSound sound;
        if (!Load(paths[i], sound)) return 1;
        const SoundStats s = MeasureSound(sound);
        std::printf(
            "%s: %.3f s, %d Hz x %d, peak %.1f dB, rms %.1f dB, dc %+.4f, clipped %zu, "
            "silence %.3f s, seam %.4f (largest step %.4f)\n",
            paths[i], s.seconds, sound.rate, sound.channels, Decibels(s.peak), Decibels(s.rms),
            s.dcOffset, s.clipped, s.leadingSilence, s.seamJump, s.largestStep);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--stats") return Stats(argc - 2, argv + 2);
    if (argc == 4 && std::string(argv[1]) == "--picture") return Picture(argv[2], argv[3]);
    if (argc != 4 || std::string(argv[1]) != "--out") return Usage();
    SourceError error;
    if (!BuildEffect(argv[3], argv[2], error)) {
        std::fprintf(stderr, "%s\n", error.Text().c_str());
        return 1;
    }
    return 0;
}
