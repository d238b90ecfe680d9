// PaletteShader: recolours sprites at draw time from a palette texture.
#pragma once

struct GameObject;

class PaletteShader {
public:
    // Builds the programs from "data/gfx/vPassthrough.cg" and
    // "data/gfx/fPalette.cg"; errors are printed, never fatal.
    void Create();
    void SetPaletteTexture(unsigned textureName);
    void BindForObject(const GameObject& o);
    void Unbind();
};
