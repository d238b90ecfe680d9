// TestImage: small RGBA pictures for test data, written as PNG sheets by the
// sheet builder's own encoder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TestImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xRRGGBBAA, rows from the top

    TestImage(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(w * h, fill) {}
    uint32_t& At(int x, int y) { return pixels[y * width + x]; }
    void Fill(int x, int y, int w, int h, uint32_t colour);
};

// The stored colour of palette column c (0..15) in an indexed sheet.
constexpr uint32_t SheetColour(int column) {
    return (static_cast<uint32_t>(16 * column) << 24) | 0xFFu;
}

// Writes the image as a PNG, creating parent folders.
void WritePng(const std::string& path, const TestImage& image);
