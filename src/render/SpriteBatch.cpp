#include "render/SpriteBatch.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>

#include "objects/GameObject.h"
#include "render/PaletteShader.h"
#include "render/Projection.h"

namespace {

// Vertex coordinate from a wide sum, clamped into GLint.
GLint Pixel(int64_t value) {
    return static_cast<GLint>(std::max<int64_t>(INT32_MIN, std::min<int64_t>(INT32_MAX, value)));
}

}  // namespace

void SpriteBatch::Add(const GameObject& o, const PaletteShader* shader) {
    const AnimationSet& set = o.anim;
    const Animation* animation = set.Current();
    if (!animation) return;
    const float imageWidth = set.imageSize.x;
    const float imageHeight = set.imageSize.y;
    if (!(imageWidth > 0.0f) || !(imageHeight > 0.0f)) return;

    const AnimFrame cell = animation->CellAt(set.currentFrame);
    const CellBox drawn = set.DrawnBox(cell);
    if (drawn.Empty()) return;  // a clear cell draws nothing
    const int64_t fw = set.frameWidth;
    const int64_t fh = set.frameHeight;
    const int64_t cellLeft = cell.column * fw;
    const int64_t cellTop = cell.row * fh;
    const float sLeft = static_cast<float>(cellLeft + drawn.left) / imageWidth;
    const float sRight = static_cast<float>(cellLeft + drawn.right) / imageWidth;
    const float tTop = static_cast<float>(cellTop + drawn.top) / imageHeight;
    const float tBottom = static_cast<float>(cellTop + drawn.bottom) / imageHeight;

    const int64_t x = TruncateCoordinate(o.position.x);
    const int64_t y = TruncateCoordinate(o.position.y);
    // Mirroring swaps the quad's left and right vertices; the texture
    // coordinates keep their order. A mirrored cell's column c lands on
    // fw - 1 - c.
    const bool mirrored = o.direction != 1;
    const GLint nearX = Pixel(mirrored ? x + fw - drawn.left : x + drawn.left);
    const GLint farX = Pixel(mirrored ? x + fw - drawn.right : x + drawn.right);
    const GLint top = Pixel(y + drawn.top);
    const GLint bottom = Pixel(y + drawn.bottom);
    const GLint left = std::min(nearX, farX);
    const GLint right = std::max(nearX, farX);
    Quad quad{{nearX, top, farX, top, farX, bottom, nearX, bottom},
              {sLeft, tTop, sRight, tTop, sRight, tBottom, sLeft, tBottom},
              Box{left, top, right, bottom}};
    const int index = static_cast<int>(quads_.size());
    quads_.push_back(quad);

    const bool shaded = set.paletteIndex >= 0.0f && shader && shader->Ready();
    const float row = shaded ? PaletteRowCoordinate(o) : 0.0f;
    // The latest run of the same look, unless a sprite drawn after it
    // overlaps this one; a few runs back at most.
    constexpr int kLookBack = 32;
    for (int r = static_cast<int>(runs_.size()) - 1; r >= 0 && r >= static_cast<int>(runs_.size()) - kLookBack; --r) {
        Run& run = runs_[r];
        if (run.texture == set.texture && run.shaded == shaded && run.row == row) {
            run.quads.push_back(index);
            run.bounds = Box{std::min(run.bounds.left, left), std::min(run.bounds.top, top),
                             std::max(run.bounds.right, right), std::max(run.bounds.bottom, bottom)};
            return;
        }
        if (!run.bounds.Overlaps(quad.box)) continue;
        bool overlaps = false;
        for (int q : run.quads) overlaps = overlaps || quads_[q].box.Overlaps(quad.box);
        if (overlaps) break;
    }
    runs_.push_back(Run{set.texture, shaded, row, quad.box, {index}});
}

void SpriteBatch::Draw(PaletteShader* shader) {
    if (runs_.empty()) return;
    bool programOn = false;
    bool rowSet = false;
    float row = 0.0f;
    for (const Run& run : runs_) {
        if (run.shaded != programOn) {
            if (run.shaded)
                shader->Begin();
            else
                shader->End();
            programOn = run.shaded;
        }
        // A uniform set again costs a GL as much as a new one.
        if (run.shaded && (!rowSet || run.row != row)) {
            shader->SetRow(run.row);
            row = run.row;
            rowSet = true;
        }
        glBindTexture(GL_TEXTURE_2D, run.texture);
        glBegin(GL_QUADS);
        for (int q : run.quads) {
            const Quad& quad = quads_[q];
            for (int corner = 0; corner < 4; ++corner) {
                glTexCoord2fv(&quad.corners[corner * 2]);
                glVertex2iv(&quad.vertices[corner * 2]);
            }
        }
        glEnd();
    }
    if (programOn) shader->End();
    quads_.clear();
    runs_.clear();
}
