// Test images: small RGBA pictures written as PNG files with known pixels,
// for loaders and pixel tests. Pixels are 0xRRGGBBAA, row-major from the top.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TestImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    TestImage(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(w * h, fill) {}
    uint32_t& At(int x, int y) { return pixels[y * width + x]; }
    void Fill(int x, int y, int w, int h, uint32_t colour);
};

// The colour of palette column c in an indexed sheet: (16c, 0, 0), opaque.
constexpr uint32_t IndexedColour(int column) {
    return (static_cast<uint32_t>(16 * column) << 24) | 0xFFu;
}

// An uncompressed PNG (stored deflate blocks) of the image.
std::string EncodePng(const TestImage& image);

// Writes the image as a PNG file, creating parent folders.
void WritePng(const std::string& path, const TestImage& image);
