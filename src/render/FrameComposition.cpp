#include "render/FrameComposition.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

#include "app/Game.h"
#include "render/DrawPrimitives.h"
#include "render/PaletteShader.h"
#include "render/Projection.h"
#include "render/TileDrawing.h"

namespace {

// The hero vanishes after its death voice.
constexpr int kHeroHiddenAfterHurt = 108;

// A category's list without creating it: drawing changes nothing.
const ObjectList* Find(const Game& game, const char* category) {
    auto found = game.world.lists.find(category);
    return found == game.world.lists.end() ? nullptr : &found->second;
}

void DrawCategoryNamed(const Game& game, const char* category, PaletteShader* shader) {
    if (const ObjectList* list = Find(game, category)) DrawCategory(*list, shader);
}

void SetPalette(PaletteShader* shader, unsigned texture) {
    if (shader) shader->SetPaletteTexture(texture);
}

void ComposeNormal(const Game& game, const DrawResources& resources) {
    const StageMap& stage = game.world.stage;
    const Vector2& camera = game.camera;
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
    DrawCategoryNamed(game, "Enemies", shader);

    // After-images add their light through the blue palette.
    SetPalette(shader, resources.bluePaletteTexture);
    glBlendFunc(GL_ONE, GL_ONE);
    DrawCategoryNamed(game, "PlayerBGFX", shader);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    SetPalette(shader, resources.paletteTexture);

    DrawCategoryNamed(game, "PlayerFXBack", shader);
    DrawCategoryNamed(game, "Items", shader);
    if (!game.hero || game.hero->hurtTimer <= kHeroHiddenAfterHurt)
        DrawCategoryNamed(game, "Player", shader);
    DrawCategoryNamed(game, "EnemyFX", shader);
    DrawCategoryNamed(game, "EnemyWeapons", shader);
    DrawCategoryNamed(game, "PlayerWeapons", shader);

    if (game.flow.phase == 1 && game.flow.phaseTimer > 72 && game.flow.phaseTimer < 88) {
        SetScreenProjection();
        DrawWipe((game.flow.phaseTimer - 72) * 15);
        SetWorldProjection(camera.x, camera.y);
        // The wipe turned texturing off; unshaded effects after it need it.
        glEnable(GL_TEXTURE_2D);
    }
    DrawCategoryNamed(game, "PlayerFX", shader);

    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, stage.tileset.texture);
    DrawForegroundLayers(stage, camera);

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    SetScreenProjection();
    glBindTexture(GL_TEXTURE_2D, resources.healthTexture);
    if (game.hero && game.flow.phase != 1 && game.flow.phase != 2)
        DrawLifeGauge(*game.hero, game.player.shownHealth);
    if (game.fade.level != 0.0f) DrawFade(game.fade.level);
}

void ComposeDebug(const Game& game) {
    const StageMap& stage = game.world.stage;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SetWorldProjection(game.camera.x, game.camera.y);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_RECTANGLE_ARB);
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, stage.tileset.rectTexture);
    if (game.tileMode == 1)
        DrawMainLayerDebugDense(stage, game.camera);
    else
        DrawMainLayerDebugSparse(stage, game.camera);
}

}  // namespace

void ComposeFrame(const Game& game, const DrawResources& resources) {
    if (game.videoMode == 1)
        ComposeDebug(game);
    else
        ComposeNormal(game, resources);
}

void DrawFrame(const Game& game, const DrawResources& resources) {
    ComposeFrame(game, resources);
    glFinish();
    SDL_GL_SwapBuffers();
}
