// SpriteBatch: the sprites of a pass drawn in runs. Sprites that share their
// sheet and their palette row (or that are both drawn as stored) go into one
// run, drawn between one glBegin and glEnd; the palette program is bound once
// for all the shaded runs of a batch and each uniform is set only when it
// changes. A sprite may join a run begun before sprites it does not overlap:
// the order of any two overlapping sprites, and so every pixel, stays that
// of one quad a sprite in list order. Needs a GL context.
#pragma once

#include <vector>

struct GameObject;
class PaletteShader;

class SpriteBatch {
public:
    // o's sprite at its truncated position, its current frame's cell,
    // mirrored unless direction is 1; only the cell's opaque box is drawn
    // (the rest would draw nothing). A non-negative paletteIndex draws
    // through the shader when it is ready, a negative one the sheet as
    // stored. Sets without animations or without a sheet add nothing.
    void Add(const GameObject& o, const PaletteShader* shader);

    // Draws what was added and empties the batch.
    void Draw(PaletteShader* shader);

private:
    struct Box {
        int left, top, right, bottom;
        bool Overlaps(const Box& o) const {
            return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
        }
    };
    struct Quad {
        int vertices[8];   // x, y per corner
        float corners[8];  // s, t per corner
        Box box;
    };
    struct Run {
        unsigned texture;
        bool shaded;
        float row;  // palIndex of a shaded run
        Box bounds;  // of all its quads
        std::vector<int> quads;
    };
    std::vector<Quad> quads_;
    std::vector<Run> runs_;
};
