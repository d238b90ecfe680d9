#include "SynthPicture.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kWindow = 1024;

void Fft(std::vector<std::complex<double>>& a) {
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> w = std::polar(1.0, -2.0 * kPi / len);
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> wn = 1.0;
            for (size_t k = 0; k < len / 2; ++k, wn *= w) {
                const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * wn;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
}

Rgba Heat(double t) {
    t = std::max(0.0, std::min(1.0, t));
    const double r = std::min(1.0, 3.0 * t), g = std::max(0.0, std::min(1.0, 3.0 * t - 1.0)),
                 b = std::max(0.0, 3.0 * t - 2.0) + 0.25 * std::max(0.0, 1.0 - 3.0 * t);
    return Rgba{static_cast<uint8_t>(255 * r), static_cast<uint8_t>(255 * g),
                static_cast<uint8_t>(255 * std::min(1.0, b)), 255};
}

}  // namespace

Image DrawSound(const PcmSound& sound, int width, int height) {
    Image image;
    image.Resize(width, height);
    for (auto& p : image.pixels) p = Rgba{16, 16, 24, 255};
    const size_t frames = sound.Frames();
    if (frames == 0 || width < 2 || height < 8) return image;
    auto sample = [&](size_t i) { return sound.samples[i * sound.channels] / 32768.0; };

    const int waveHeight = height / 4;
    const int mid = waveHeight / 2;
    for (int x = 0; x < width; ++x) {
        const size_t from = frames * x / width, to = std::max(from + 1, frames * (x + 1) / width);
        double low = 0, high = 0;
        for (size_t i = from; i < to && i < frames; ++i) {
            low = std::min(low, sample(i));
            high = std::max(high, sample(i));
        }
        const int y0 = mid - static_cast<int>(high * mid), y1 = mid - static_cast<int>(low * mid);
        for (int y = std::max(0, y0); y <= std::min(waveHeight - 1, y1); ++y)
            image.Set(x, y, Rgba{120, 200, 255, 255});
        if (high > 0.999 || low < -0.999) image.Set(x, 0, Rgba{255, 0, 0, 255});
    }

    const int specTop = waveHeight + 2, specHeight = height - specTop;
    const double nyquist = sound.rate / 2.0, lowest = 50.0;
    std::vector<std::complex<double>> bins(kWindow);
    for (int x = 0; x < width; ++x) {
        const long centre = static_cast<long>(frames * (x + 0.5) / width);
        for (int k = 0; k < kWindow; ++k) {
            const long i = centre - kWindow / 2 + k;
            const double w = 0.5 - 0.5 * std::cos(2.0 * kPi * k / (kWindow - 1));
            bins[k] =
                i >= 0 && i < static_cast<long>(frames) ? sample(static_cast<size_t>(i)) * w : 0.0;
        }
        Fft(bins);
        for (int y = 0; y < specHeight; ++y) {
            const double f = lowest * std::pow(nyquist / lowest, 1.0 - double(y) / specHeight);
            const int bin = std::min(kWindow / 2 - 1, static_cast<int>(f / sound.rate * kWindow));
            const double db = 20.0 * std::log10(std::abs(bins[bin]) / (kWindow / 4.0) + 1e-9);
            image.Set(x, specTop + y, Heat((db + 70.0) / 70.0));
        }
    }
    return image;
}
