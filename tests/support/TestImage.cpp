#include "support/TestImage.h"

#include <algorithm>

#include "support/TestSupport.h"

namespace {

uint32_t Crc32(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

uint32_t Adler32(const std::string& bytes) {
    uint32_t a = 1;
    uint32_t b = 0;
    for (unsigned char byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void PutBig32(std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
    PutBig32(out, static_cast<uint32_t>(data.size()));
    std::string typed = std::string(type, 4) + data;
    out += typed;
    PutBig32(out, Crc32(typed));
}

}  // namespace

void TestImage::Fill(int x, int y, int w, int h, uint32_t colour) {
    for (int row = y; row < y + h; ++row)
        for (int column = x; column < x + w; ++column) At(column, row) = colour;
}

std::string EncodePng(const TestImage& image) {
    std::string raw;
    for (int y = 0; y < image.height; ++y) {
        raw += '\0';  // filter: none
        for (int x = 0; x < image.width; ++x) PutBig32(raw, image.pixels[y * image.width + x]);
    }
    std::string zlib = "\x78\x01";
    size_t offset = 0;
    do {
        const size_t length = std::min<size_t>(65535, raw.size() - offset);
        const bool last = offset + length == raw.size();
        zlib += static_cast<char>(last ? 1 : 0);
        zlib += static_cast<char>(length & 0xFF);
        zlib += static_cast<char>(length >> 8);
        zlib += static_cast<char>(~length & 0xFF);
        zlib += static_cast<char>((~length >> 8) & 0xFF);
        zlib.append(raw, offset, length);
        offset += length;
    } while (offset < raw.size());
    PutBig32(zlib, Adler32(raw));

    std::string header;
    PutBig32(header, static_cast<uint32_t>(image.width));
    PutBig32(header, static_cast<uint32_t>(image.height));
    header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, no interlace

    std::string png("\x89PNG\r\n\x1a\n", 8);
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", zlib);
    PutChunk(png, "IEND", std::string());
    return png;
}

void WritePng(const std::string& path, const TestImage& image) {
    WriteFile(path, EncodePng(image));
}
