#include "stage/StageMap.h"

int TileLayer::ClampedIndex(int column, int row) const {
    if (column < 0) column = 0;
    if (column > width - 1) column = width - 1;
    if (row < 0) row = 0;
    if (row > height - 1) row = height - 1;
    return row * width + column;
}

int TileLayer::ClampedIndexAtPixel(int x, int y) const {
    if (x < 0) x = 0;
    if (x >= width * 16) x = (width - 1) * 16;
    if (y < 0) y = 0;
    if (y >= height * 16) y = (height - 1) * 16;
    return ClampedIndex(x / 16, y / 16);
}
