#include "stage/TileMap.h"

#include <algorithm>

namespace {

// Cells a grid may hold (8 bytes each); the demo's stages need a few thousand.
constexpr long long kLargestGrid = 1 << 22;

}  // namespace

const TileInfo* TileMap::Find(int column, int row) const {
    if (dirty_) BuildGrid();
    if (!gridded_) {
        const auto found = cells_.find(std::make_pair(column, row));
        return found == cells_.end() ? nullptr : &found->second;
    }
    // Unsigned: one compare each catches both sides (in 64 bits, no overflow).
    const unsigned long long x = static_cast<unsigned long long>(static_cast<long long>(column) - left_);
    const unsigned long long y = static_cast<unsigned long long>(static_cast<long long>(row) - top_);
    if (x >= static_cast<unsigned long long>(width_) || y >= static_cast<unsigned long long>(height_)) return nullptr;
    return grid_[y * width_ + x];
}

void TileMap::BuildGrid() const {
    dirty_ = false;
    grid_.clear();
    gridded_ = false;
    if (cells_.empty()) {
        gridded_ = true;
        width_ = height_ = 0;
        return;
    }
    long long left = cells_.begin()->first.first, right = cells_.rbegin()->first.first;
    long long top = cells_.begin()->first.second, bottom = top;
    for (const auto& cell : cells_) {
        top = std::min<long long>(top, cell.first.second);
        bottom = std::max<long long>(bottom, cell.first.second);
    }
    const long long width = right - left + 1, height = bottom - top + 1;
    if (width > kLargestGrid || height > kLargestGrid || width * height > kLargestGrid) return;
    left_ = static_cast<int>(left);
    top_ = static_cast<int>(top);
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
    grid_.assign(static_cast<size_t>(width * height), nullptr);
    for (const auto& cell : cells_)
        grid_[static_cast<size_t>((cell.first.second - top) * width + (cell.first.first - left))] = &cell.second;
    gridded_ = true;
}
