#include "render/DebugOverlay.h"

#include <GL/gl.h>

#include "core/View.h"
#include "objects/World.h"
#include "render/Projection.h"

namespace {

struct Colour {
    float r, g, b;
};

Colour CategoryColour(Category category) {
    switch (category) {
        case Category::Player: return {1.0f, 1.0f, 1.0f};
        case Category::PlayerBGFX: return {0.25f, 0.25f, 1.0f};
        case Category::PlayerWeapons: return {0.0f, 1.0f, 1.0f};
        case Category::Enemies: return {1.0f, 0.0f, 0.0f};
        case Category::EnemyWeapons: return {1.0f, 0.5f, 0.0f};
        case Category::EnemyFX: return {1.0f, 0.5f, 1.0f};
        case Category::PlayerFX: return {0.5f, 0.75f, 1.0f};
        case Category::PlayerFXBack: return {0.0f, 0.5f, 1.0f};
        case Category::Items: return {0.0f, 1.0f, 0.0f};
        case Category::Misc: break;
    }
    return {0.5f, 0.5f, 0.5f};
}

// The outline of [x0, x1) x [y0, y1) in world pixels, as four quads: lines
// would land on pixels the driver chooses.
void Outline(int x0, int y0, int x1, int y1, Colour c) {
    if (x1 <= x0 || y1 <= y0) return;
    glColor4f(c.r, c.g, c.b, 1.0f);
    glBegin(GL_QUADS);
    const int sides[4][4] = {{x0, y0, x1, y0 + 1}, {x0, y1 - 1, x1, y1}, {x0, y0, x0 + 1, y1}, {x1 - 1, y0, x1, y1}};
    for (const auto& s : sides) {
        glVertex3i(s[0], s[1], 0);
        glVertex3i(s[2], s[1], 0);
        glVertex3i(s[2], s[3], 0);
        glVertex3i(s[0], s[3], 0);
    }
    glEnd();
}

void OutlineBox(const Vector2& at, const AnimationSet& set, Colour c) {
    const int x = TruncateCoordinate(at.x), y = TruncateCoordinate(at.y);
    Outline(x + static_cast<int>(set.left), y + static_cast<int>(set.top), x + static_cast<int>(set.right),
            y + static_cast<int>(set.bottom), c);
}

}  // namespace

void DrawDebugOverlay(const World& world, const Vector2& camera) {
    SetWorldProjection(camera.x, camera.y);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    const StageMap& stage = world.stage;
    const float left = camera.x - kViewHalfWidth - 16, right = camera.x + kViewHalfWidth + 16;
    const float top = camera.y - kViewHalfHeight - 16, bottom = camera.y + kViewHalfHeight + 16;
    for (const auto& cell : stage.tileMap) {
        const int x = cell.first.first * 16, y = cell.first.second * 16;
        if (cell.second.state == '0' || x < left || x > right || y < top || y > bottom) continue;
        Outline(x, y, x + 16, y + 16, cell.second.state == '1' ? Colour{0.5f, 0.5f, 0.5f} : Colour{0.0f, 1.0f, 1.0f});
    }
    for (const CameraZone& zone : stage.mainLayer.zones)
        Outline(zone.left, zone.top, zone.right, zone.bottom, {1.0f, 0.0f, 1.0f});
    for (const EnemyPlacement& placement : stage.enemyPlacements) {
        const AnimationSet* set = world.animationSets.Find("Enemies\\" + placement.typeName);
        const Colour c = placement.spawned ? Colour{0.5f, 0.5f, 0.0f} : Colour{1.0f, 1.0f, 0.0f};
        if (set) OutlineBox(placement.position, *set, c);
    }
    for (Category category : UpdateOrder()) {
        const ObjectList* list = world.FindList(category);
        if (!list) continue;
        for (const GameObject& o : *list) OutlineBox(o.position, o.anim, CategoryColour(category));
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    SetScreenProjection();
}
