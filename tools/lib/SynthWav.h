// SynthWav: 16-bit PCM WAV files, written by the sound builders and read back
// to measure them.
//
// Samples are floats in [-1, 1] while they are made; EncodeWav clips and
// rounds them to 16 bits (x 32767, to nearest), so the same samples always
// give the same bytes. The header is the plain 44-byte RIFF/WAVE one (a "fmt "
// chunk of 16 bytes, then "data"), which every loader reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PcmSound {
    int rate = 22050;
    int channels = 1;
    std::vector<int16_t> samples;  // interleaved when channels > 1

    size_t Frames() const { return channels > 0 ? samples.size() / channels : 0; }
    double Seconds() const { return rate > 0 ? static_cast<double>(Frames()) / rate : 0.0; }
};

int16_t ToPcm16(float sample);

// Mono or interleaved float samples to 16-bit PCM.
PcmSound MakePcm(const std::vector<float>& samples, int rate, int channels);

std::vector<uint8_t> EncodeWav(const PcmSound& sound);

// Reads a 16-bit PCM WAV (any chunk order; unknown chunks are skipped).
bool DecodeWav(const std::vector<uint8_t>& bytes, PcmSound& sound, std::string& error);

// Writes through a temporary file renamed into place, creating the parent
// folders, so a reader never sees half a file.
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string& error);

bool ReadBinaryFile(const std::string& path, std::vector<uint8_t>& bytes);

// What a listen-check looks at, over all channels.
struct SoundStats {
    double seconds = 0.0;
    double peak = 0.0;  // largest |sample|, 1.0 = full scale
    double rms = 0.0;
    double dcOffset = 0.0;        // mean sample
    size_t clipped = 0;           // samples at full scale
    double seamJump = 0.0;        // |last - first| of channel 0: what a loop's wrap adds
    double largestStep = 0.0;     // largest |s[i+1] - s[i]| of channel 0 inside the sound
    double leadingSilence = 0.0;  // seconds before the first sample above 1/100 of full scale
};

SoundStats MeasureSound(const PcmSound& sound);
