// SheetImage: a sheet image as the drawing uses it, and where its cells are
// clear. Every sheet becomes RGBA bytes (R, G, B, A in memory, whatever the
// PNG stored) with its fully transparent pixels made transparent black, so
// that a sheet drawn with additive blending adds nothing where it is clear.
// The opaque box of each cell lets a sprite's quad leave out its clear
// border: a clear pixel draws nothing under any blending the game uses, so
// the picture stays the same while fewer pixels are shaded.
#pragma once

#include <vector>

struct SDL_Surface;

// The smallest box holding every pixel of a cell whose alpha is not zero,
// in pixels from the cell's top-left corner; empty when the cell is clear.
struct CellBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
};

// A new RGBA copy of image (colour keys and alpha both give transparency),
// or null when SDL cannot make one. The caller frees it.
SDL_Surface* RgbaSheet(SDL_Surface* image);

// The opaque boxes of a sheet's whole cells, row by row.
struct OpaqueCells {
    int frameWidth = 0;
    int frameHeight = 0;
    int columns = 0;
    int rows = 0;
    std::vector<CellBox> boxes;

    // The box of the cell, or the whole cell when the table does not hold it
    // (not a whole cell of the sheet, or cut into other frames).
    CellBox Drawn(int column, int row, int width, int height) const;
};

// The opaque box of every whole cell of an RGBA sheet cut into cells of
// frameWidth x frameHeight.
OpaqueCells FindOpaqueCells(const SDL_Surface* rgba, int frameWidth, int frameHeight);
