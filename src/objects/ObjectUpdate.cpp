// The per-frame object update: ten passes over the category lists in a fixed
// order, each object moved, collided with the tiles, animated and tested
// against the objects registered by earlier passes of the same frame; then the
// death pass, the queued removals and the hero's death.
//
// Rules kept here:
//   - a list is tested only against lists registered earlier in the frame, so
//     each pair (hero shot / enemy, hero / enemy, hero / enemy shot, hero /
//     item) meets once a frame, from the side of the list updated later;
//   - objects with `noCollide` or a running `hurtTimer` are neither tested
//     nor registered;
//   - nothing is erased during the passes, so every pointer in the registry
//     stays valid until RemoveQueued;
//   - an object appended to the list being updated (by a hook of that list)
//     is updated later in the same pass; what that object creates in turn
//     waits for the next frame, so a script that spawns from every update
//     cannot keep a pass running for ever.
#include <cmath>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "core/View.h"
#include "objects/ObjectDefinitions.h"
#include "objects/World.h"
#include "objects/TileContact.h"

namespace {

const float kGravityStep = 0.25f;
const float kGravityLimit = 6.0f;
// The view window: the view and 8 pixels around it.
const float kWindowHalfWidth = kViewHalfWidth + 8.0f;
const float kWindowHalfHeight = kViewHalfHeight + 8.0f;
const char* const kHitSound = "SE_PL00\\ROOK_E_DAMA.WAV";

// Truncation toward zero that stays defined for values a script can produce
// (huge, infinite or NaN positions): out-of-range values saturate, NaN is 0.
int Trunc(float v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483520.0f) return std::numeric_limits<int>::max();
    if (v <= -2147483648.0f) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

}  // namespace

bool Overlap(const GameObject& a, const GameObject& b) {
    const float tx = a.velocity.x + b.velocity.x;
    const float ty = a.velocity.y + b.velocity.y;
    if (Trunc((b.anim.left + b.position.x) - (a.anim.right + a.position.x)) > Trunc(tx))
        return false;
    if (Trunc((a.anim.left + a.position.x) - (b.anim.right + b.position.x)) > Trunc(-tx))
        return false;
    if (Trunc((b.anim.top + b.position.y) - (a.anim.bottom + a.position.y)) > Trunc(ty))
        return false;
    return Trunc((a.anim.top + a.position.y) - (b.anim.bottom + b.position.y)) <= Trunc(-ty);
}

void World::UpdateAllObjects() {
    for (std::vector<GameObject*>& registered : collisionRegistry) registered.clear();

    for (Category category : UpdateOrder()) UpdateCategory(category);

    ProcessDeaths(RemovalOrder());
    RemoveQueued();

    GameObject* hero = Hero();
    if (hero && hero->health <= 0.0f && heroAlive) {
        CallHook(*hero, Hook::Death);
        heroAlive = false;
    }
}

void World::UpdateCategory(Category category) {
    currentRow = &RowOf(category);
    const std::vector<Category>& targets = currentRow->targets;
    ObjectList& list = List(category);
    if (list.empty()) return;

    // Two rounds: the objects present when the pass begins, then the ones
    // their hooks appended. Iterators stay valid: nothing is erased mid-frame.
    ObjectList::iterator first = list.begin();
    ObjectList::iterator last = std::prev(list.end());
    for (int round = 0; round < 2; ++round) {
        for (ObjectList::iterator it = first;; ++it) {
            GameObject& obj = *it;
            currentObject = &obj;
            currentPosition = it;

            if (obj.gravity && obj.velocity.y < kGravityLimit) obj.velocity.y += kGravityStep;
            UpdateObject(obj);

            if (!obj.noCollide && obj.hurtTimer == 0) {
                collisionRegistry[static_cast<int>(category)].push_back(&obj);
                for (Category target : targets) {
                    std::vector<GameObject*>& others = collisionRegistry[static_cast<int>(target)];
                    // By index: a hook may create objects, never register them
                    // here, but an index survives any growth of the vector.
                    for (size_t i = 0; i < others.size(); ++i) {
                        GameObject& other = *others[i];
                        if (!Overlap(obj, other)) continue;
                        if (currentRow->hitSound) PlaySound(kHitSound, -1, 0);
                        if (!script) continue;
                        script->CallHook(HookName(obj, Hook::Collide), ToHandle(&obj), ToHandle(&other));
                        script->CallHook(HookName(other, Hook::Collide), ToHandle(&other), ToHandle(&obj));
                    }
                }
            }
            if (it == last) break;
        }
        if (std::next(last) == list.end()) break;  // nothing was appended
        first = std::next(last);
        last = std::prev(list.end());
    }
    // After the pass there is no current object: Kill outside it does nothing.
    currentObject = nullptr;
}

void World::UpdateObject(GameObject& obj) {
    obj.hitFlash = false;

    if (obj.tileCollision) {
        const int wasAirborne = obj.airborne;
        // All four run, in this order, whatever the earlier ones reported.
        const bool floor = CollideFloor(*this, obj);
        const bool ceiling = CollideCeiling(*this, obj);
        const bool right = CollideRightWall(*this, obj);
        const bool left = CollideLeftWall(*this, obj);
        if ((floor || ceiling || right || left) && obj.dieOnWall) {
            obj.health = 0.0f;
            if (currentRow && currentRow->hitSound) PlaySound(kHitSound, -1, 0);
        }
        if (wasAirborne != 0 && obj.airborne == 0) CallHook(obj, Hook::HitGround);
        if (obj.counter != 0) obj.counter += 1;
    }

    RunFrameEvents(*this, obj);
    CallHook(obj, Hook::Update);
    obj.lifetime += 1;
    obj.position += obj.velocity;

    obj.anim.Advance();
    if (obj.anim.frameTick == 1) CallOnFrameHook(obj, obj.anim.currentFrame);

    if (obj.parent) obj.position = obj.parent->position + obj.parentOffset;

    if (obj.killOnEndAnim && obj.anim.loopCount != 0) obj.health = 0.0f;

    if (currentRow && currentRow->leavesView) {
        const float x = obj.position.x;
        const float y = obj.position.y;
        const bool inside = x + obj.anim.frameWidth >= camera.x - kWindowHalfWidth &&
                            x <= camera.x + kWindowHalfWidth &&
                            y + obj.anim.frameHeight >= camera.y - kWindowHalfHeight &&
                            y <= camera.y + kWindowHalfHeight;
        if (!inside) obj.offscreen = true;
    }
}
