#include "SynthWav.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xff));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xff));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xffff);
    Put16(out, v >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
           static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

uint16_t Get16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

bool MakeParents(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        struct stat info;
        if (stat(folder.c_str(), &info) == 0) continue;
        if (mkdir(folder.c_str(), 0777) != 0) return false;
    }
    return true;
}

}  // namespace

int16_t ToPcm16(float sample) {
    const double clipped = std::max(-1.0, std::min(1.0, static_cast<double>(sample)));
    return static_cast<int16_t>(std::lround(clipped * 32767.0));
}

PcmSound MakePcm(const std::vector<float>& samples, int rate, int channels) {
    PcmSound sound;
    sound.rate = rate;
    sound.channels = channels;
    sound.samples.reserve(samples.size());
    for (float s : samples) sound.samples.push_back(ToPcm16(s));
    return sound;
}

std::vector<uint8_t> EncodeWav(const PcmSound& sound) {
    const uint32_t dataBytes = static_cast<uint32_t>(sound.samples.size() * 2);
    const uint32_t blockAlign = static_cast<uint32_t>(sound.channels * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, static_cast<uint32_t>(sound.channels));
    Put32(out, static_cast<uint32_t>(sound.rate));
    Put32(out, static_cast<uint32_t>(sound.rate) * blockAlign);
    Put16(out, blockAlign);
    Put16(out, 16);
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (int16_t s : sound.samples) Put16(out, static_cast<uint16_t>(s));
    return out;
}

bool DecodeWav(const std::vector<uint8_t>& bytes, PcmSound& sound, std::string& error) {
    if (bytes.size() < 12 || std::string(bytes.begin(), bytes.begin() + 4) != "RIFF" ||
        std::string(bytes.begin() + 8, bytes.begin() + 12) != "WAVE") {
        error = "not a RIFF/WAVE file";
        return false;
    }
    bool haveFormat = false;
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::string tag(bytes.begin() + at, bytes.begin() + at + 4);
        const uint32_t size = Get32(bytes, at + 4);
        const size_t body = at + 8;
        if (size > bytes.size() - body) {
            error = "chunk '" + tag + "' runs past the end of the file";
            return false;
        }
        if (tag == "fmt ") {
            if (size < 16 || Get16(bytes, body) != 1 || Get16(bytes, body + 14) != 16) {
                error = "not 16-bit PCM";
                return false;
            }
            sound.channels = Get16(bytes, body + 2);
            sound.rate = static_cast<int>(Get32(bytes, body + 4));
            if (sound.channels < 1 || sound.rate < 1) {
                error = "no channels or no sample rate";
                return false;
            }
            haveFormat = true;
        } else if (tag == "data") {
            if (!haveFormat) {
                error = "'data' comes before 'fmt '";
                return false;
            }
            sound.samples.resize(size / 2);
            for (size_t i = 0; i < sound.samples.size(); ++i)
                sound.samples[i] = static_cast<int16_t>(Get16(bytes, body + 2 * i));
            return true;
        }
        at = body + size + (size & 1);
    }
    error = haveFormat ? "no 'data' chunk" : "no 'fmt ' chunk";
    return false;
}

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string& error) {
    if (!MakeParents(path)) {
        error = "cannot create its folder";
        return false;
    }
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = "cannot be written";
            return false;
        }
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            error = "cannot be written";
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        error = "cannot be moved into place";
        return false;
    }
    return true;
}

bool ReadBinaryFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

SoundStats MeasureSound(const PcmSound& sound) {
    SoundStats stats;
    stats.seconds = sound.Seconds();
    if (sound.samples.empty()) return stats;
    double sum = 0.0;
    double squares = 0.0;
    for (int16_t s : sound.samples) {
        const double v = s / 32767.0;
        stats.peak = std::max(stats.peak, std::fabs(v));
        sum += v;
        squares += v * v;
        if (s >= 32767 || s <= -32767) ++stats.clipped;
    }
    const double n = static_cast<double>(sound.samples.size());
    stats.dcOffset = sum / n;
    stats.rms = std::sqrt(squares / n);

    const size_t frames = sound.Frames();
    const int step = sound.channels;
    auto at = [&](size_t frame) { return sound.samples[frame * step] / 32767.0; };
    stats.seamJump = std::fabs(at(frames - 1) - at(0));
    size_t firstLoud = frames;
    for (size_t i = 0; i < frames; ++i) {
        if (std::fabs(at(i)) > 0.01) {
            firstLoud = i;
            break;
        }
    }
    stats.leadingSilence = static_cast<double>(firstLoud) / sound.rate;
    for (size_t i = 0; i + 1 < frames; ++i)
        stats.largestStep = std::max(stats.largestStep, std::fabs(at(i + 1) - at(i)));
    return stats;
}
