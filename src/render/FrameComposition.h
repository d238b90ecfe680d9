// Frame composition: what one frame draws, in which order and blend state.
//
// Video mode 2 (normal): background tile layers and the main layer, then the
// object lists "Enemies", "PlayerBGFX" (additive, through the "BluePalette"),
// "PlayerFXBack", "Items", "Player" (unless the hero is hidden), "EnemyFX",
// "EnemyWeapons", "PlayerWeapons", the stage wipe, "PlayerFX", the foreground
// tile layers, then in screen coordinates the life gauge and the fade.
// Video mode 1 (debug): the main tile layer alone, from rectangle textures.
// "Misc" and categories outside the ten are never drawn. The debug overlay,
// when on, is drawn last. Needs a GL context.
#pragma once

#include "core/Vector2.h"
#include "render/Presentation.h"

class PaletteShader;
class World;

// What one frame shows, taken from the game after its step.
struct FrameView {
    const World* world = nullptr;  // the stage and the object lists
    Vector2 camera;                // the view's centre
    int videoMode = 2;             // 2 normal drawing, 1 debug view
    int tileMode = 1;              // debug view: 1 dense, else sparse
    bool heroShown = true;         // the "Player" list is drawn
    bool gaugeShown = false;       // the life gauge is drawn, with these values:
    float health = 0.0f;
    float shownHealth = 0.0f;      // the lagging red bar
    int wipe = -1;                 // the stage wipe's width in pixels, -1 none
    float fade = 0.0f;             // 0 clear ... 1 black
    bool overlay = false;          // the debug overlay over it all (DebugOverlay.h)
    bool paused = false;           // the pause sign in the middle
};

// What the entry function owns for drawing: the palette textures, the life
// gauge texture and the palette shader (null draws every sprite unshaded).
struct DrawResources {
    unsigned paletteTexture = 0;
    unsigned bluePaletteTexture = 0;
    unsigned healthTexture = 0;
    PaletteShader* shader = nullptr;
    Picture* picture = nullptr;  // where the window shows the frame; null: as composed
};

// Draws the frame for the view's video mode, shows it in the window as the
// picture says, then glFinish and the swap.
void DrawFrame(const FrameView& view, const DrawResources& resources);

// The drawing of DrawFrame without glFinish and the swap (the picture stays
// in the back buffer).
void ComposeFrame(const FrameView& view, const DrawResources& resources);

// DrawFrame without the swap, so nothing is seen: a GL builds what a
// drawing needs (llvmpipe compiles a shader for each new set of states) at
// its first use, and this lets that happen before a frame is due.
void RehearseFrame(const FrameView& view, const DrawResources& resources);
