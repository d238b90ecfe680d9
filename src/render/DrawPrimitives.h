// Drawing primitives: the sprite quad of an object, a category pass (in
// runs, see SpriteBatch.h), the stage-transition wipe, the black fade and the
// life gauge. Every quad lies on whole pixels (z 0). A primitive that
// changes the GL colour leaves it opaque white; DrawWipe and DrawFade turn
// texturing off, DrawLifeGauge leaves it off. Needs a GL context.
#pragma once

#include <list>

struct GameObject;
class PaletteShader;

// The sprite of o at its truncated position, its current frame's cell,
// mirrored unless direction is 1. A non-negative paletteIndex draws through
// the shader (when there is one), a negative one the sheet as stored. Sets
// without animations draw nothing.
void DrawObject(const GameObject& o, PaletteShader* shader);

// Every visible object of the list, oldest first.
void DrawCategory(const std::list<GameObject>& objects, PaletteShader* shader);

// Two slanted blue-to-white bands, progress 15 ... 225, in screen coordinates.
void DrawWipe(int progress);

// A black quad over the whole view with alpha level.
void DrawFade(float level);

// The pause sign: two white bars on a dark square in the middle of the
// screen, in screen coordinates.
void DrawPauseSign();

// The gauge frame from the bound texture and the two bars, in screen
// coordinates: the red drain bar up to 80 - shownHealth and over it the
// health bar up to 80 - health (yellow at 8 or less).
void DrawLifeGauge(float health, float shownHealth);
