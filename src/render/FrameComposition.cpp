#include "render/FrameComposition.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

#include "objects/World.h"
#include "render/DebugOverlay.h"
#include "render/DrawPrimitives.h"
#include "render/PaletteShader.h"
#include "render/Projection.h"
#include "render/TileDrawing.h"

namespace {

// A category's list without creating it: drawing changes nothing.
const ObjectList* Find(const World& world, Category category) {
    return world.FindList(category);
}

void SetPalette(PaletteShader* shader, unsigned texture) {
    if (shader) shader->SetPaletteTexture(texture);
}

void ComposeNormal(const FrameView& view, const DrawResources& resources) {
    const StageMap& stage = view.world->stage;
    const Vector2& camera = view.camera;
    PaletteShader* shader = resources.shader;

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SetWorldProjection(camera.x, camera.y);
    glDisable(GL_TEXTURE_RECTANGLE_ARB);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, stage.tileset.texture);
    DrawBackgroundLayers(stage, camera);
    DrawMainLayer(stage, camera);

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    SetPalette(shader, resources.paletteTexture);
    for (Category category : DrawOrder()) {
        if (category == Category::Player && !view.heroShown) continue;
        if (category == Category::PlayerFX && view.wipe >= 0) {
            // The wipe covers every list but the hero's foremost effects.
            SetScreenProjection();
            DrawWipe(view.wipe);
            SetWorldProjection(camera.x, camera.y);
            // The wipe turned texturing off; unshaded effects after it need it.
            glEnable(GL_TEXTURE_2D);
        }
        const ObjectList* list = Find(*view.world, category);
        if (!list) continue;
        if (category == Category::PlayerBGFX) {
            // After-images add their light through the blue palette.
            SetPalette(shader, resources.bluePaletteTexture);
            glBlendFunc(GL_ONE, GL_ONE);
            DrawCategory(*list, shader);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            SetPalette(shader, resources.paletteTexture);
        } else {
            DrawCategory(*list, shader);
        }
    }

    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, stage.tileset.texture);
    DrawForegroundLayers(stage, camera);

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    SetScreenProjection();
    glBindTexture(GL_TEXTURE_2D, resources.healthTexture);
    if (view.gaugeShown) DrawLifeGauge(view.health, view.shownHealth);
    if (view.fade != 0.0f) DrawFade(view.fade);
}

void ComposeDebug(const FrameView& view) {
    const StageMap& stage = view.world->stage;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SetWorldProjection(view.camera.x, view.camera.y);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_RECTANGLE_ARB);
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, stage.tileset.rectTexture);
    if (view.tileMode == 1)
        DrawMainLayerDebugDense(stage, view.camera);
    else
        DrawMainLayerDebugSparse(stage, view.camera);
}

}  // namespace

void ComposeFrame(const FrameView& view, const DrawResources& resources) {
    if (!view.world) return;
    if (view.videoMode == 1)
        ComposeDebug(view);
    else
        ComposeNormal(view, resources);
    if (view.overlay) DrawDebugOverlay(*view.world, view.camera);
    if (view.paused) {
        SetScreenProjection();
        DrawPauseSign();
    }
}

void RehearseFrame(const FrameView& view, const DrawResources& resources) {
    ComposeFrame(view, resources);
    if (resources.picture) PresentPicture(*resources.picture);
    glFlush();
}

void DrawFrame(const FrameView& view, const DrawResources& resources) {
    ComposeFrame(view, resources);
    if (resources.picture) PresentPicture(*resources.picture);
    glFinish();
    SDL_GL_SwapBuffers();
}
