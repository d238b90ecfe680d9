// SynthPicture: a sound drawn for people who cannot listen to it, or want to
// see what they heard: the waveform of channel 0 on top (its envelope, with
// a red line where it clips) and a spectrogram below (time to the right,
// pitch upwards on a log scale from 50 Hz to half the rate, louder brighter).
#pragma once

#include "SheetBuilder.h"
#include "SynthWav.h"

Image DrawSound(const PcmSound& sound, int width, int height);
