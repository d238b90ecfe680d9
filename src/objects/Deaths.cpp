// The death pass, run once a frame after the ten update passes.
//
// An object dies when its `health` is at or below 0 or when it left the view
// (`offscreen`). Only a death by health counts as a kill: it may drop an item
// (enemies only), and it runs the object's Death hook. An object that is both
// dead and off-screen dies silently. Either way an enemy's stage placement is
// freed so that the stage flow may spawn it again, and the object is queued
// for RemoveQueued, which runs right after this pass.
//
// The drop table draws twice, in this order: 1 in 4 to roll for an
// item, then 0-3 of 8 "HealthSm", 7 of 8 "HealthMed" (1/8 and 1/32 a kill).
//
// Each category is walked up to the object that was last when its turn began:
// what its own Death hooks create is looked at next frame, so hooks that
// create dead objects of their own kind cannot keep the pass going.
#include <cstdlib>
#include <iterator>

#include "objects/World.h"
#include "core/Random.h"

namespace {

// The item a killed enemy drops, or "" for none.
const char* DrawDrop() {
    if (RandomBelow(4) != 0) return "";
    const int r = RandomBelow(8);
    if (r <= 3) return "HealthSm";
    if (r == 7) return "HealthMed";
    return "";
}

}  // namespace

void World::ProcessDeaths(const std::vector<Category>& categories) {
    for (Category category : categories) {
        ObjectList& list = List(category);
        if (list.empty()) continue;
        const bool enemies = category == Category::Enemies;
        const ObjectList::iterator last = std::prev(list.end());
        for (ObjectList::iterator it = list.begin();; ++it) {
            GameObject& obj = *it;
            if (obj.health > 0.0f && !obj.offscreen) {
                if (it == last) break;
                continue;
            }
            if (!obj.offscreen) {
                if (enemies) {
                    const std::string drop = DrawDrop();
                    if (!drop.empty()) {
                        GameObject* item = CreateObjectInCategory(drop, -1, Category::Items);
                        item->position = obj.position + Vector2(16.0f, 32.0f);
                        item->dieOnWall = false;
                        item->gravity = true;
                        item->velocity = Vector2(0.0f, -6.0f);
                    }
                }
                CallHook(obj, Hook::Death);
            }
            if (enemies && obj.placementIndex >= 0 &&
                obj.placementIndex < static_cast<int>(stage.enemyPlacements.size())) {
                stage.enemyPlacements[obj.placementIndex].spawned = false;
            }
            removalQueues[static_cast<int>(category)].push_back(it);
            if (it == last) break;
        }
    }
}
