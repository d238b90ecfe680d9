// Frame composition: what one frame draws, in which order and blend state.
// Needs a GL context.
#pragma once

struct Game;
class PaletteShader;

// What the entry function owns for drawing: the palette textures, the life
// gauge texture and the palette shader.
struct DrawResources {
    unsigned paletteTexture = 0;
    unsigned bluePaletteTexture = 0;
    unsigned healthTexture = 0;
    PaletteShader* shader = nullptr;
};

// Draws the frame for the game's video mode, then glFinish and the swap.
void DrawFrame(const Game& game, const DrawResources& resources);
