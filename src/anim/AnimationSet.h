// AnimationSet: a sprite sheet cut into equal frames, its named animations,
// hit box and playback state.
//
// A set is a value: every GameObject owns its own copy of the playback state;
// copies share the GL texture names and the animations, which never change
// once read (so that making an object copies no lists). The playback rules here are the whole timing model of
// the game (all counted in ticks, one tick per object update):
//   - after ChangeAnimation (tick 0) the first frame lasts delay + 1 ticks,
//     every later frame (entered with tick 1) lasts delay ticks;
//   - a frame with delay 0 or less that was entered with tick 1 never ends;
//   - running past the last frame counts a loop and continues at loopFrame.
// Frame numbers, counts and lists come from data files and are not trusted:
// a frame outside the lists reads as a still frame at cell (0, 0) with palette
// offset 0, never outside memory.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "anim/SheetImage.h"
#include "core/Vector2.h"

struct AnimFrame {
    int column = 0;
    int row = 0;
};

struct Animation {
    int frameCount = 0;
    std::vector<int> delays;
    std::vector<Vector2> points;
    std::vector<int> paletteOffsets;
    int loopFrame = 0;
    std::vector<AnimFrame> cells;

    // Bounds-checked views of the per-frame lists.
    int DelayAt(int frame) const;
    int PaletteOffsetAt(int frame) const;
    AnimFrame CellAt(int frame) const;
};

// The named animations of a sheet, shared by every copy of its set.
struct AnimationTable {
    std::map<std::string, int> index;  // name -> position in animations
    std::vector<Animation> animations;
};

// What the drawing shows of a sheet. A set may show another sheet cut the
// same way (the hero's fire pose) without a change of frames or timing.
struct SheetPicture {
    unsigned texture = 0;
    unsigned rectTexture = 0;
    std::shared_ptr<const OpaqueCells> opaqueCells;
};

struct AnimationSet {
    unsigned texture = 0;      // GL_TEXTURE_2D name of the sheet, 0 without image
    unsigned rectTexture = 0;  // the same pixels on GL_TEXTURE_RECTANGLE_ARB (debug view)
    int left = 0;              // hit box, pixel offsets from the object's position
    int right = 0;
    int top = 0;
    int bottom = 0;
    std::shared_ptr<const AnimationTable> table;  // null: no animations
    std::shared_ptr<const OpaqueCells> opaqueCells;  // null without a texture
    Vector2 imageSize;  // sheet width and height in pixels
    int frameWidth = 0;
    int frameHeight = 0;
    int currentFrame = 0;
    int currentAnimation = 0;
    int frameTick = 0;
    float paletteIndex = 0.0f;  // palette row / 32; negative draws without the palette shader
    int loopCount = 0;

    // The part of cell worth drawing: its opaque box when the sheet holds
    // the whole cell, else the whole cell.
    CellBox DrawnBox(AnimFrame cell) const;

    SheetPicture Picture() const { return SheetPicture{texture, rectTexture, opaqueCells}; }
    void Show(const SheetPicture& picture);

    // The current animation, or null when the set has none (or the index is bad).
    const Animation* Current() const;
    const std::vector<Animation>& Animations() const;
    const std::map<std::string, int>& AnimationIndex() const;

    void ChangeAnimation(const std::string& name);
    bool IsPlaying(const std::string& name) const;
    void Advance();
    void SeekFrame(int n);
    bool FrameEnding() const;
    bool FrameEndingAt(int n) const;
    bool EndOfAnimation() const { return loopCount != 0; }
    int AnimationLoops() const { return loopCount; }
    bool HitFrame(int n) const;  // n counts from 1

    // Palette rows as scripts see them: row n is stored as n / 32, and read
    // back truncated toward zero (-1 stays -1: drawn without the shader).
    void SetPaletteRow(double row) { paletteIndex = static_cast<float>(row / 32.0); }
    int PaletteRow() const;
};

// Copies the playback position (animation, tick, frame) of source into target;
// not the loop count, not the palette.
void CopyAnimation(AnimationSet& target, const AnimationSet& source);

// Reads a ".anim" description (header and animation records) into set. The
// image width decides how many cells a sheet row holds. Returns false when
// the header could not be read.
bool ParseAnimationDescription(const std::string& text, int imageWidth, AnimationSet& set);
