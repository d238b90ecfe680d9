#include "stage/StageMap.h"

#include <algorithm>

int TileLayer::ClampedIndex(int column, int row) const {
    // Not std::clamp: an empty layer has an upper bound below 0.
    return std::min(std::max(row, 0), height - 1) * width + std::min(std::max(column, 0), width - 1);
}

int TileLayer::ClampedIndexAtPixel(int x, int y) const {
    if (x < 0) x = 0;
    if (x >= width * 16) x = (width - 1) * 16;
    if (y < 0) y = 0;
    if (y >= height * 16) y = (height - 1) * 16;
    return ClampedIndex(x / 16, y / 16);
}
