#include "support/TestImage.h"

#include "SheetBuilder.h"
#include "support/TestSupport.h"

void TestImage::Fill(int x, int y, int w, int h, uint32_t colour) {
    for (int row = y; row < y + h; ++row)
        for (int column = x; column < x + w; ++column) At(column, row) = colour;
}

void WritePng(const std::string& path, const TestImage& image) {
    Image png;
    png.Resize(image.width, image.height);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const uint32_t p = image.pixels[i];
        png.pixels[i] = Rgba{static_cast<uint8_t>(p >> 24), static_cast<uint8_t>(p >> 16),
                             static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)};
    }
    const std::vector<uint8_t> bytes = EncodePng(png);
    WriteFile(path, std::string(bytes.begin(), bytes.end()));
}
