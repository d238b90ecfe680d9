#include "objects/World.h"

#include <algorithm>
#include <unordered_set>

#include "core/DataPath.h"
#include "objects/ObjectDefinitions.h"
#include "stage/StageLoader.h"

GameObject* World::CreateObjectInCategory(const std::string& name, int palette,
                                          const std::string& category) {
    const CategoryRow* row = FindCategory(category);
    const std::string setName = (row ? row->prefix : "") + name;
    ObjectList& list = List(category);
    list.push_back(GameObject(Vector2(0.0f, 0.0f), LoadAnimationSet(setName)));
    GameObject& obj = list.back();
    obj.handle = MakeObjectHandle(created_++);
    live_.Add(&obj, obj.handle);
    if (row) obj.tileCollision = row->tileCollision;
    obj.name = name;
    // The type's files are read once, in their order around the ".lua" file.
    if (typesGeneration_ != DataPathGeneration()) {
        types_.clear();
        typesGeneration_ = DataPathGeneration();
    }
    // A copy, not a reference into the map: the ".lua" file may create
    // objects of other types, which may rehash it.
    std::shared_ptr<ObjectType> type = types_[setName];
    const bool fresh = !type;
    if (fresh) {
        type = std::make_shared<ObjectType>(name);
        types_[setName] = type;
        ReadScriptFile(*this, *type, setName);
    }
    if (script) script->RunFile("data/objects/" + setName + ".lua");
    if (fresh) ReadEventsFile(*this, *type, setName);
    obj.type = type;
    obj.frameEvents = type->frameEvents;
    obj.killOnEndAnim = type->killOnEndAnim;
    obj.deathEvents = type->deathEvents;
    obj.deathEventIndex = type->deathEventIndex;
    obj.anim.paletteIndex = static_cast<float>(palette) / 32.0f;
    // The hook may create more objects; list nodes do not move, so obj stays valid.
    CallHook(obj, Hook::Create);
    return &obj;
}

std::string World::HookName(const GameObject& o, Hook hook) {
    return o.type ? o.type->HookName(hook) : o.name + HookSuffix(hook);  // objects made by hand have no type
}

void World::CallHook(GameObject& o, Hook hook) {
    if (!script) return;
    if (o.type)
        script->CallHook(o.type->HookName(hook), ToHandle(&o));  // no string built per call
    else
        script->CallHook(HookName(o, hook), ToHandle(&o));
}

void World::CallOnFrameHook(GameObject& o, int frame) {
    if (!script) return;
    if (o.type)
        script->CallHook(o.type->OnFrameName(frame), ToHandle(&o));
    else
        script->CallHook(OnFrameHookName(o.name, frame), ToHandle(&o));
}

void World::Kill() {
    if (!currentObject) return;
    if (currentRow) removalQueues[static_cast<int>(currentRow->id)].push_back(currentPosition);
}

void World::RemoveQueued() {
    std::unordered_set<const GameObject*> erased;
    std::vector<std::pair<ObjectList*, ObjectList::iterator>> positions;
    for (Category category : RemovalOrder()) {
        for (ObjectList::iterator position : removalQueues[static_cast<int>(category)]) {
            // Queued twice: erased once.
            if (erased.insert(&*position).second) positions.emplace_back(&List(category), position);
        }
    }
    // The hero is never removed; what was queued for it must not pile up.
    for (auto& queue : removalQueues) queue.clear();
    Forget(erased);
    for (auto& p : positions) p.first->erase(p.second);
}

void World::ClearList(const std::string& category) {
    ObjectList& list = List(category);
    std::unordered_set<const GameObject*> gone;
    for (const GameObject& o : list) gone.insert(&o);
    Forget(gone);
    list.clear();
    if (const CategoryRow* row = FindCategory(category)) {
        removalQueues[static_cast<int>(row->id)].clear();
        collisionRegistry[static_cast<int>(row->id)].clear();
    }
}

bool World::RemoveNow(ObjectHandle handle) {
    const GameObject* target = FromHandle(handle);
    if (!target || currentObject) return false;
    for (auto& entry : lists) {
        ObjectList& list = entry.second;
        for (ObjectList::iterator it = list.begin(); it != list.end(); ++it) {
            if (&*it != target) continue;
            if (&*it == Hero()) return false;
            if (const CategoryRow* row = FindCategory(entry.first)) {
                std::vector<ObjectList::iterator>& queued = removalQueues[static_cast<int>(row->id)];
                queued.erase(std::remove(queued.begin(), queued.end(), it), queued.end());
            }
            Forget({target});
            list.erase(it);
            return true;
        }
    }
    return false;
}

void World::Forget(const std::unordered_set<const GameObject*>& gone) {
    if (gone.empty()) return;
    for (const GameObject* o : gone) live_.Remove(o, o->handle);
    if (gone.count(currentObject)) currentObject = nullptr;
    for (std::vector<GameObject*>& registered : collisionRegistry) {
        registered.erase(std::remove_if(registered.begin(), registered.end(),
                                        [&](GameObject* o) { return gone.count(o) != 0; }),
                         registered.end());
    }
    for (auto& entry : lists) {
        for (GameObject& other : entry.second) {
            if (other.parent && gone.count(other.parent)) other.parent = nullptr;
        }
    }
}

void World::RemoveFGObject(ObjectHandle handle) {
    foregroundList.erase(std::remove(foregroundList.begin(), foregroundList.end(), handle),
                         foregroundList.end());
}

GameObject* World::FromHandle(ObjectHandle handle) const { return live_.Find(handle); }

namespace {

// Where a stage places an enemy type: "(320, 96)", "(320, 96), (500, 80)".
std::string PlacesOf(const StageMap& stage, const std::string& type) {
    std::string places;
    for (const EnemyPlacement& p : stage.enemyPlacements)
        if (p.typeName == type)
            places += (places.empty() ? "(" : ", (") + std::to_string(static_cast<int>(p.position.x)) + ", " +
                      std::to_string(static_cast<int>(p.position.y)) + ")";
    return places;
}

// What keeps an enemy type from working, or "": no frames to show, a sheet
// missing, a description that does not read, a script that does not compile.
std::string EnemyTypeProblem(World& world, const std::string& type) {
    // Spelt as the loaders spell them: the lookup prefers an exact match.
    const std::string set = "Enemies\\" + type, description = "data/Objects/Enemies/" + type + ".anim";
    const std::string anim = ResolveDataPath(description);
    if (anim.empty()) return "it has no " + description;
    if (ResolveDataPath("data/img/Enemies/" + type + ".png").empty())
        return "it has no sheet data/img/Enemies/" + type + ".png";
    const AnimationSet* loaded = world.animationSets.Find(set);
    if (loaded && loaded->Animations().empty()) return anim + " gives it no animations";
    return world.script ? world.script->CompileError("data/objects/Enemies/" + type + ".lua") : "";
}

}  // namespace

void World::LoadStage(const std::string& name, GameObject& hero) {
    LoadedStage loaded;
    if (!LoadStageFile(name, animationSets, loaded)) return;
    // Each enemy type looked at once, so a mistake shows when the stage
    // loads, not when (or whether) the enemy first spawns.
    std::set<std::string> types;
    for (const EnemyPlacement& p : loaded.map.enemyPlacements) {
        if (!types.insert(p.typeName).second) continue;
        const std::string problem = EnemyTypeProblem(*this, p.typeName);
        if (!problem.empty())
            messages.SayOnce("Stage " + name + ": the enemy " + p.typeName + " at " + PlacesOf(loaded.map, p.typeName) +
                             ": " + problem);
    }

    std::vector<std::string> emptied;
    for (const auto& entry : lists) {
        const CategoryRow* row = FindCategory(entry.first);
        if (!row || !row->keptOnNewStage) emptied.push_back(entry.first);
    }
    for (const std::string& category : emptied) ClearList(category);
    stage = std::move(loaded.map);
    stageName = name;

    if (loaded.hasStart) hero.position = loaded.start;
    // A fresh hero: alive again (so that a Death hook that fades to a stage
    // restarts the game), and out of any hurt, whose knock-back and death
    // switch gravity off.
    heroAlive = true;
    hero.health = 32.0f;
    hero.lifetime = 0;
    hero.hurtTimer = 0;
    hero.gravity = true;
    hero.counter = 0;
    hero.dashJump = false;
    hero.wallState = 0;
    hero.airborne = 0;
    hero.direction = 1;
    hero.velocity = Vector2(0.0f, 0.0f);
    hero.dashTimer = 0;
}

const ObjectList* World::FindList(Category category) const {
    ObjectList*& list = byCategory_[static_cast<int>(category)];
    if (!list) {
        auto found = const_cast<World*>(this)->lists.find(NameOf(category));
        if (found == lists.end()) return nullptr;
        list = &found->second;
    }
    return list;
}

GameObject* World::Hero() {
    ObjectList* players = const_cast<ObjectList*>(FindList(Category::Player));
    return !players || players->empty() ? nullptr : &players->front();
}

const GameObject* World::Hero() const {
    return const_cast<World*>(this)->Hero();
}
