// TileMap: the colliding cells of the main layer, (column, row) -> tile.
// Read in order like a std::map (drawing walks a column, the overlay all of
// it), and looked up in constant time by tile collision, several times per
// object per frame: a grid over the cells' bounding box is built at the first
// lookup after a change. A box too large for a grid (only hand-made maps
// have one) is looked up in the map.
#pragma once

#include <cstddef>
#include <map>
#include <utility>
#include <vector>

struct TileInfo {
    int tile = 0;
    char state = '0';  // collision state from the tileset's state table
};

class TileMap {
public:
    using Cells = std::map<std::pair<int, int>, TileInfo>;

    TileInfo& operator[](const std::pair<int, int>& cell) {
        dirty_ = true;
        return cells_[cell];
    }
    void clear() {
        dirty_ = true;
        cells_.clear();
    }
    Cells::const_iterator begin() const { return cells_.begin(); }
    Cells::const_iterator end() const { return cells_.end(); }
    Cells::const_iterator lower_bound(const std::pair<int, int>& cell) const { return cells_.lower_bound(cell); }
    size_t size() const { return cells_.size(); }

    // The cell at (column, row), or null where no tile collides.
    const TileInfo* Find(int column, int row) const;

private:
    void BuildGrid() const;

    Cells cells_;
    // The grid: pointers into cells_ (map nodes stay put), row by row.
    mutable std::vector<const TileInfo*> grid_;
    mutable bool dirty_ = true;
    mutable bool gridded_ = false;
    mutable int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};
