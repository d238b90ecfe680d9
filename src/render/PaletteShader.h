// PaletteShader: recolours sprites at draw time from a palette texture.
//
// An indexed sheet stores palette column c (0..15) as the colour (16c, 0, 0)
// with alpha 255, transparent pixels with alpha 0. A palette image is 16 x 32
// pixels: row n holds the 16 colours of palette n, chosen by palIndex n / 32.
// The fragment program ("data/gfx/fPalette.cg", entry "C3E3f_texture") reads
// the column from the sheet's red channel and the colour from the palette
// row; the vertex program ("data/gfx/vPassthrough.cg", entry
// "C3E2v_varying") passes the quad through "ModelViewProj".
//
// palIndex of a sprite is its object's paletteIndex plus the current frame's
// palette offset / 32; a damage flash (hitFlash) forces row 10 (0.3125).
//
// Building the programs never fails the game: each problem prints one line
// "<program file>: <situation>: <error>" (and the compiler's listing), and a
// shader that did not build draws every sprite from its own texture, unshaded.
#pragma once

#include <string>

#include "render/ShaderRuntime.h"

struct GameObject;

// The palette row coordinate the fragment program receives for o.
float PaletteRowCoordinate(const GameObject& o);

// The palette row of a damage flash, as a palIndex.
constexpr float kHitFlashPalIndex = 10.0f / 32.0f;

class PaletteShader {
public:
    PaletteShader() = default;
    PaletteShader(const PaletteShader&) = delete;
    PaletteShader& operator=(const PaletteShader&) = delete;

    // Builds the programs from "data/gfx/vPassthrough.cg" and
    // "data/gfx/fPalette.cg". Needs a current GL context with GL_TEXTURE_2D
    // enabled.
    void Create();
    // The texture the "palette" sampler reads ("Palette" or "BluePalette").
    void SetPaletteTexture(unsigned textureName);
    // Makes o's sprite draw through the programs (o's sheet as "decal").
    void BindForObject(const GameObject& o);
    void Unbind();

    // Prints the last shader error, if any, as "<source>: <situation>: <error>",
    // then the compiler's listing for a compile error.
    void CheckCgError(const std::string& source, const char* situation);

    // Both programs built and linked together.
    bool Ready() const { return ready_; }

    ShaderContext& Context() { return context_; }

private:
    ShaderContext context_;
    ShaderProfile vertexProfile_ = ShaderProfile::Unknown;
    ShaderProfile fragmentProfile_ = ShaderProfile::Unknown;
    ShaderProgram vertexProgram_ = 0;
    ShaderProgram fragmentProgram_ = 0;
    ShaderParameter modelViewProj_ = 0;
    ShaderParameter decal_ = 0;
    ShaderParameter palette_ = 0;
    ShaderParameter palIndex_ = 0;
    bool ready_ = false;
    bool bound_ = false;
};
