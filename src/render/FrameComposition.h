// Frame composition: what one frame draws, in which order and blend state.
//
// Video mode 2 (normal): background tile layers and the main layer, then the
// object lists "Enemies", "PlayerBGFX" (additive, through the "BluePalette"),
// "PlayerFXBack", "Items", "Player" (hidden once the hero's hurtTimer passes
// 108), "EnemyFX", "EnemyWeapons", "PlayerWeapons", the stage wipe (phase 1,
// 72 < phaseTimer < 88), "PlayerFX", the foreground tile layers, then in
// screen coordinates the life gauge (not in phase 1 or 2) and the fade.
// Video mode 1 (debug): the main tile layer alone, from rectangle textures.
// "Misc" and categories outside the ten are never drawn. Needs a GL context.
#pragma once

struct Game;
class PaletteShader;

// What the entry function owns for drawing: the palette textures, the life
// gauge texture and the palette shader (null draws every sprite unshaded).
struct DrawResources {
    unsigned paletteTexture = 0;
    unsigned bluePaletteTexture = 0;
    unsigned healthTexture = 0;
    PaletteShader* shader = nullptr;
};

// Draws the frame for the game's video mode, then glFinish and the swap.
void DrawFrame(const Game& game, const DrawResources& resources);

// The drawing of DrawFrame without glFinish and the swap (the picture stays
// in the back buffer).
void ComposeFrame(const Game& game, const DrawResources& resources);
