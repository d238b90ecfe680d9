// Object definition files, read while an object is created: ".script" first,
// then ".lua" and ".events". All are whitespace-separated tokens, case
// sensitive, with no remark syntax; a missing file is no error.
//
// Frame events: every entry whose frame the owner's animation shows fires in
// that update and is then used up (the entry that fired, not another one), so
// each entry spawns once.
#include "objects/ObjectDefinitions.h"

#include <cstdio>
#include <sstream>

#include "core/DataPath.h"
#include "objects/Weapon.h"
#include "objects/World.h"

namespace {

// The whole file as one token stream; false when it does not open.
bool OpenTokens(const std::string& dataPath, std::istringstream& tokens) {
    std::FILE* file = OpenDataFile(dataPath, "rb");
    if (!file) return false;
    std::string text;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    std::fclose(file);
    tokens.str(text);
    return true;
}

}  // namespace

void LoadScriptFile(GameObject& obj, const std::string& setName) {
    std::istringstream in;
    if (!OpenTokens("data/objects/" + setName + ".script", in)) return;
    std::string token;
    while (in >> token) {
        if (token == "OnFrame") {
            // OnFrame frame <ignored> objectName speed palette
            FrameEvent event;
            std::string ignored;
            float speed = 0.0f;
            if (!(in >> event.frame >> ignored >> event.objectName >> speed >> event.palette))
                return;  // a truncated or malformed entry ends the file
            event.action = &SpawnFrameEventObject;
            event.velocity = Vector2(speed, 0.0f);
            obj.frameEvents.push_back(event);
        } else if (token == "KillOnEndAnim") {
            obj.killOnEndAnim = true;
        }
    }
}

void LoadLuaAndEvents(World& world, GameObject& obj, const std::string& setName) {
    if (world.script) world.script->RunFile("data/objects/" + setName + ".lua");

    obj.deathEvents.push_back("");
    std::istringstream in;
    if (!OpenTokens("data/objects/" + setName + ".events", in)) return;
    std::string token;
    while (in >> token) {
        if (token != "OnDeath" && token != "Death") continue;
        std::string eventName;
        if (!(in >> eventName)) break;
        obj.deathEvents.push_back(eventName);
        obj.deathEventIndex = static_cast<int>(obj.deathEvents.size()) - 1;
    }
}

void RunFrameEvents(World& world, GameObject& obj) {
    for (size_t i = 0; i < obj.frameEvents.size();) {
        if (obj.frameEvents[i].frame != obj.anim.currentFrame) {
            ++i;
            continue;
        }
        // Used up before it runs; the action works on its own copy.
        FrameEvent event = obj.frameEvents[i];
        obj.frameEvents.erase(obj.frameEvents.begin() + static_cast<std::ptrdiff_t>(i));
        event.owner = &obj;  // the entry may have been copied with another object
        if (event.action) event.action(world, event);
    }
}

void SpawnFrameEventObject(World& world, FrameEvent& event) {
    GameObject& owner = *event.owner;
    GameObject& spawned = *world.CreateObjectInCategory(event.objectName, event.palette,
                                                        "PlayerWeapons");
    SpawnFromOwner(spawned, owner);
    spawned.direction = owner.direction;
    spawned.velocity = event.velocity;
    spawned.velocity.x = -static_cast<float>(spawned.direction) * spawned.velocity.x;
    spawned.position -= spawned.velocity;
}
