#include "SynthVoice.h"

#include <algorithm>
#include <cmath>

namespace {

struct VowelEntry {
    const char* name;
    double f1, f2, f3;
};

// Adult formant averages; the fourth formant is the same for every vowel.
const VowelEntry kVowels[] = {
    {"a", 730, 1090, 2440},  {"ae", 660, 1720, 2410}, {"e", 530, 1840, 2480},
    {"i", 270, 2290, 3010},  {"o", 570, 840, 2410},   {"u", 300, 870, 2240},
    {"uh", 640, 1190, 2390}, {"er", 490, 1350, 1690},
};
constexpr double kF4 = 3400.0;
const double kBandwidths[4] = {80.0, 100.0, 140.0, 200.0};
constexpr double kPi = 3.14159265358979323846;

}  // namespace

bool LookUpVowel(const std::string& name, Formants& formants) {
    for (const VowelEntry& v : kVowels) {
        if (name != v.name) continue;
        const double f[4] = {v.f1, v.f2, v.f3, kF4};
        for (int i = 0; i < 4; ++i) {
            formants.frequency[i] = f[i];
            formants.bandwidth[i] = kBandwidths[i];
        }
        return true;
    }
    return false;
}

const char* VowelNames() {
    return "a ae e i o u uh er";
}

Formants GlideFormants(const std::vector<Formants>& vowels, double position, double shift) {
    Formants out;
    if (vowels.empty()) return out;
    const double p = std::max(0.0, std::min(1.0, position)) * (vowels.size() - 1);
    const size_t i = std::min(static_cast<size_t>(p), vowels.size() - 1);
    const size_t j = std::min(i + 1, vowels.size() - 1);
    const double t = p - static_cast<double>(i);
    for (int k = 0; k < 4; ++k) {
        out.frequency[k] = shift * (vowels[i].frequency[k] +
                                    (vowels[j].frequency[k] - vowels[i].frequency[k]) * t);
        out.bandwidth[k] = shift * vowels[i].bandwidth[k];
    }
    return out;
}

void FormantFilter::Tune(const Formants& formants, int rate) {
    const double period = 1.0 / rate;
    for (int k = 0; k < 4; ++k) {
        // Past a third of the rate a resonator would ring at the wrong pitch: let it through.
        const double f = formants.frequency[k];
        if (f <= 0.0 || f >= rate / 3.0) {
            a_[k] = 1.0;
            b_[k] = c_[k] = 0.0;
            continue;
        }
        const double r = std::exp(-kPi * formants.bandwidth[k] * period);
        c_[k] = -r * r;
        b_[k] = 2.0 * r * std::cos(2.0 * kPi * f * period);
        a_[k] = 1.0 - b_[k] - c_[k];
    }
}

float FormantFilter::Process(float input) {
    double x = input;
    for (int k = 0; k < 4; ++k) {
        const double y = a_[k] * x + b_[k] * y1_[k] + c_[k] * y2_[k];
        y2_[k] = y1_[k];
        y1_[k] = y;
        x = y;
    }
    return static_cast<float>(x);
}
