// SynthVoice: the vowel part of the synthesized voice. A voiced tone is a
// glottal pulse train (made by SynthTone) sent through four resonators in
// series, tuned to the formants of a vowel; a tone can glide through several
// vowels ("a" into "u" for a grunt). Formants are those of an adult voice,
// scaled by `shift` (above 1 a smaller, younger voice).
#pragma once

#include <string>
#include <vector>

struct Formants {
    double frequency[4] = {0, 0, 0, 0};  // Hz
    double bandwidth[4] = {0, 0, 0, 0};  // Hz
};

// The vowels a source may name: "a" (father), "ae" (cat), "e" (bed), "i"
// (see), "o" (law), "u" (boot), "uh" (but) and "er" (bird).
bool LookUpVowel(const std::string& name, Formants& formants);
const char* VowelNames();  // "a ae e i o u uh er", for messages

// The formants at `position` (0..1) of a glide through `vowels`, which are
// spread evenly over the tone; between two vowels the formants move linearly.
Formants GlideFormants(const std::vector<Formants>& vowels, double position, double shift);

// Four two-pole resonators in series, each with unity gain at 0 Hz, so the
// vowel's spectrum comes out of the cascade without gains to balance.
class FormantFilter {
public:
    void Tune(const Formants& formants, int rate);
    float Process(float input);

private:
    double a_[4] = {1, 1, 1, 1};
    double b_[4] = {0, 0, 0, 0};
    double c_[4] = {0, 0, 0, 0};
    double y1_[4] = {0, 0, 0, 0};
    double y2_[4] = {0, 0, 0, 0};
};
