#include "anim/SheetImage.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>

namespace {

uint32_t* Row(const SDL_Surface* rgba, int y) {
    return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(rgba->pixels) + y * rgba->pitch);
}

}  // namespace

SDL_Surface* RgbaSheet(SDL_Surface* image) {
    if (!image) return nullptr;
    SDL_Surface* rgba = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, image->w, image->h, 32,
                                             0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    if (!rgba) return nullptr;
    // Copy alpha instead of blending with it.
    SDL_SetAlpha(image, 0, 255);
    SDL_FillRect(rgba, nullptr, SDL_MapRGBA(rgba->format, 0, 0, 0, 0));
    SDL_BlitSurface(image, nullptr, rgba, nullptr);
    // A software surface: its pixels are there without a lock.
    for (int y = 0; y < rgba->h; ++y) {
        uint32_t* row = Row(rgba, y);
        for (int x = 0; x < rgba->w; ++x) {
            if ((row[x] & rgba->format->Amask) == 0) row[x] = 0;
        }
    }
    return rgba;
}

CellBox OpaqueCells::Drawn(int column, int row, int width, int height) const {
    const CellBox whole{0, 0, width, height};
    if (width != frameWidth || height != frameHeight) return whole;
    if (column < 0 || row < 0 || column >= columns || row >= rows) return whole;
    return boxes[static_cast<size_t>(row) * columns + column];
}

OpaqueCells FindOpaqueCells(const SDL_Surface* rgba, int frameWidth, int frameHeight) {
    OpaqueCells cells;
    if (!rgba || frameWidth <= 0 || frameHeight <= 0) return cells;
    const int columns = rgba->w / frameWidth;
    const int rows = rgba->h / frameHeight;
    cells = OpaqueCells{frameWidth, frameHeight, columns, rows, {}};
    // Start every box inverted; each opaque pixel widens its cell's box.
    cells.boxes.assign(static_cast<size_t>(columns) * rows, CellBox{frameWidth, frameHeight, 0, 0});
    const uint32_t alpha = rgba->format->Amask;
    for (int y = 0; y < rows * frameHeight; ++y) {
        const uint32_t* row = Row(rgba, y);
        const int cellY = y % frameHeight;
        CellBox* line = &cells.boxes[static_cast<size_t>(y / frameHeight) * columns];
        for (int x = 0; x < columns * frameWidth; ++x) {
            if ((row[x] & alpha) == 0) continue;
            CellBox& box = line[x / frameWidth];
            const int cellX = x % frameWidth;
            box.left = std::min(box.left, cellX);
            box.right = std::max(box.right, cellX + 1);
            box.top = std::min(box.top, cellY);
            box.bottom = std::max(box.bottom, cellY + 1);
        }
    }
    for (CellBox& box : cells.boxes)
        if (box.Empty()) box = CellBox{};
    return cells;
}
