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
// The program files are GLSL 1.20 (OpenGL 2.0) without main(): the entry
// function is called by a main() added after the file, so the compiler's
// line numbers are the file's own. Both are linked once into one program and
// its four parameters looked up once. A run of sprites sets the program, the
// palette texture and the matrix once (Begin), and palIndex once per change
// of palette row.
//
// palIndex of a sprite is its object's paletteIndex plus the current frame's
// palette offset / 32; a damage flash (hitFlash) forces row 10 (0.3125).
//
// Building the programs never fails the game: each problem prints one line
// "<program file>: <situation>: <error>" (and the compiler's listing). A
// vertex program that does not build leaves the fragment program alone to
// recolour fixed-function vertices; without a fragment program that builds,
// links and has both samplers, every sprite draws from its own texture,
// unshaded.
#pragma once

#include <string>

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

    // Builds the program from "data/gfx/vPassthrough.cg" and
    // "data/gfx/fPalette.cg". Needs a current GL context with GL_TEXTURE_2D
    // enabled. GL objects are left to the GL context, which lives for the run.
    void Create();
    // The texture the "palette" sampler reads ("Palette" or "BluePalette").
    void SetPaletteTexture(unsigned textureName) { paletteTexture_ = textureName; }
    // From Begin to End, sprites draw through the program, the sheet bound
    // to GL_TEXTURE_2D as its "decal", with the current GL matrices and the
    // palette row SetRow gave last. Nothing when the program did not build.
    void Begin();
    void SetRow(float palIndex);
    void End();

    // The program built, linked and found both samplers.
    bool Ready() const { return program_ != 0; }

private:
    // Prints the pending error, if any, as "<source>: <situation>: <error>"
    // and clears it. A failed build's error ends in the compiler's listing.
    void CheckCgError(const char* source, const char* situation);
    unsigned Compile(unsigned type, const char* file, const char* entry);
    unsigned Link(unsigned vertex, unsigned fragment);
    int Parameter(unsigned program, const char* name);

    unsigned program_ = 0;
    int modelViewProj_ = -1;  // uniform locations; -1 is none, which GL ignores
    int decal_ = -1;
    int palette_ = -1;
    int palIndex_ = -1;
    unsigned paletteTexture_ = 0;
    std::string error_;
};
