// World: the holder of every live object, the stage, the caches and the Lua
// state.
//
// Objects live by value in std::list category lists, so their addresses never
// move. Nothing is erased while a list is walked: Kill and the death pass
// queue list positions, and RemoveQueued erases them at the end of the frame
// (a position queued twice is erased once). "Player" is never in the removal
// order, so the hero is never removed. Script handles are looked up among the
// live objects; an unknown or stale handle reads as no object. When an
// object is removed, objects whose parent it was lose their parent and stay
// where they are.
#pragma once

#include <list>
#include <array>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "anim/AnimationSetCache.h"
#include "core/Messages.h"
#include "objects/Category.h"
#include "objects/GameObject.h"
#include "objects/HandleTable.h"
#include "objects/ObjectHandle.h"
#include "objects/ScriptHooks.h"
#include "objects/SoundOutput.h"
#include "stage/StageMap.h"

using ObjectList = std::list<GameObject>;

// The object box test of the collision passes (ObjectUpdate.cpp): hit boxes
// at their positions, widened or narrowed by the sum of both velocities;
// boxes whose edges touch overlap.
bool Overlap(const GameObject& a, const GameObject& b);

class World {
public:
    World() = default;
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // --- objects (World.cpp) ---------------------------------------------
    // The one way to create an object, in a category by its name (any name:
    // see Category.h). Never null.
    GameObject* CreateObjectInCategory(const std::string& name, int palette,
                                       const std::string& category);
    GameObject* CreateObjectInCategory(const std::string& name, int palette, Category category) {
        return CreateObjectInCategory(name, palette, NameOf(category));
    }

    // The category's list, created empty on first use. The ten categories'
    // lists are found without a name lookup (map nodes stay put).
    ObjectList& List(const std::string& category) { return lists[category]; }
    ObjectList& List(Category category) {
        ObjectList*& list = byCategory_[static_cast<int>(category)];
        if (!list) list = &lists[NameOf(category)];
        return *list;
    }
    // The category's list, or null before its first use.
    const ObjectList* FindList(Category category) const;

    // Queues the current object for removal (nothing outside an update pass).
    void Kill();

    // Erases the queued objects of the nine removable categories; queues of
    // other categories ("Player": Kill from a hook of the hero's pass) are
    // dropped unread.
    void RemoveQueued();

    void AddFGObject(ObjectHandle handle) { foregroundList.push_back(handle); }
    void RemoveFGObject(ObjectHandle handle);

    // The hero: the front of "Player" (created first and never removed), or
    // null before it exists.
    GameObject* Hero();
    const GameObject* Hero() const;

    // Handle conversion. ToHandle gives 0 for null and for an object the
    // World did not create; FromHandle returns null for 0 and for any number
    // that is not a live object, in constant time.
    static ObjectHandle ToHandle(const GameObject* o) { return o ? o->handle : 0; }
    GameObject* FromHandle(ObjectHandle handle) const;

    // Calls the object's hook ("WalkerUpdate") with its handle; a hook of an
    // object made by hand (no type) is named from o.name.
    void CallHook(GameObject& o, Hook hook);
    static std::string HookName(const GameObject& o, Hook hook);
    // Calls "WalkerOnFrame3" as the object's animation enters frame 3.
    void CallOnFrameHook(GameObject& o, int frame);

    // Removes every object of a list (stage loading), keeping handles honest.
    void ClearList(const std::string& category);

    // Erases one object at once and forgets its handle, for objects of lists
    // the death pass never visits (the stage flow's teleport in "Player").
    // Refused (false) during an update pass, for a handle that names no live
    // object, and for the hero (the front of "Player").
    bool RemoveNow(ObjectHandle handle);

    // --- per-frame update (ObjectUpdate.cpp) ------------------------------
    void UpdateAllObjects();
    // One pass over a category's list.
    void UpdateCategory(Category category);
    void UpdateObject(GameObject& o);

    // --- deaths and drops (Deaths.cpp) ------------------------------------
    void ProcessDeaths(const std::vector<Category>& categories);

    // --- stage --------------------------------------------------------------
    // Loads "data/Stages/" + name + ".rmap" (stage/StageLoader.h): a good file
    // empties every list but "Player" and "PlayerFX", replaces the whole
    // stage, records its name and resets the hero; a file that cannot be read
    // leaves the previous stage, the objects and the hero intact.
    void LoadStage(const std::string& name, GameObject& hero);

    // --- sound -------------------------------------------------------------
    void PlaySound(const std::string& name, int channel, int loops) {
        if (sounds) sounds->PlaySound(name, channel, loops);
    }
    void SetChannelMute(int channel, bool mute) {
        if (sounds) sounds->SetChannelMute(channel, mute);
    }
    bool ChannelPlaying(int channel) const { return sounds && sounds->ChannelPlaying(channel); }

    AnimationSet LoadAnimationSet(const std::string& name) {
        return animationSets.LoadAnimationSet(name);
    }

    // --- state ------------------------------------------------------------
    // The scripts and the sound effects, owned by the program and set once
    // at its start; without them no hook runs and nothing sounds.
    ScriptHooks* script = nullptr;
    SoundOutput* sounds = nullptr;
    std::map<std::string, ObjectList> lists;
    // This frame's registered objects, by category.
    std::array<std::vector<GameObject*>, kCategoryCount> collisionRegistry;
    // Objects to remove after this frame's passes, by category.
    std::array<std::vector<ObjectList::iterator>, kCategoryCount> removalQueues;
    const CategoryRow* currentRow = nullptr;  // of the pass under way
    GameObject* currentObject = nullptr;  // null outside an update pass
    ObjectList::iterator currentPosition;
    bool heroAlive = true;
    std::vector<ObjectHandle> foregroundList;
    Vector2 camera;  // the view's centre in world pixels
    std::string nextStage;  // written by FadeToStage, read by the stage flow
    std::string stageName;  // the stage LoadStage loaded last

    AnimationSetCache animationSets;
    MessageMemory messages;  // lines about data mistakes, each said once
    StageMap stage;

private:
    friend struct WorldTestAccess;
    // Object types by sprite-set name, read at their first creation; out of
    // date once the data-path lookup is cleared.
    std::unordered_map<std::string, std::shared_ptr<ObjectType>> types_;
    unsigned typesGeneration_ = 0;
    HandleTable live_;
    mutable std::array<ObjectList*, kCategoryCount> byCategory_{};  // into lists
    std::uint64_t created_ = 0;  // objects created so far: the next handle's serial
    // Drops removed objects from the live handles (before they are erased:
    // their handles are read) and clears parents pointing at them.
    void Forget(const std::unordered_set<const GameObject*>& gone);
};
