// Object definition files, read at a type's first creation: ".script" first,
// then ".lua" (which runs at every creation) and ".events". All are
// whitespace-separated tokens, case sensitive, with no remark syntax; a
// missing file is no error.
//
// Frame events: every entry whose frame the owner's animation shows fires in
// that update and is then used up (the entry that fired, not another one), so
// each entry spawns once.
#include "objects/ObjectDefinitions.h"

#include <cstdio>
#include <sstream>

#include "core/DataPath.h"
#include "core/Messages.h"
#include "objects/ObjectType.h"
#include "objects/Weapon.h"
#include "objects/World.h"

namespace {

// A definition file as one token stream, with its text and path for
// messages; false when it does not open.
struct Tokens {
    std::string path;  // as found on disk
    std::string text;
    std::istringstream in;
    size_t start = 0;  // where the last token began

    bool Open(const std::string& dataPath) {
        path = ResolveDataPath(dataPath);
        if (path.empty() || !ReadDataFile(path, text)) return false;
        in.str(text);
        return true;
    }

    bool Next(std::string& token) {
        in >> std::ws;
        start = in.good() ? static_cast<size_t>(in.tellg()) : text.size();
        return static_cast<bool>(in >> token);
    }

    // One line about the last token's place, once per world.
    void Warn(World& world, const std::string& what) const {
        world.messages.SayOnce(path + ":" + std::to_string(LineAt(text, start)) + ": " + what);
    }
};

}  // namespace

void ReadScriptFile(World& world, ObjectType& type, const std::string& setName) {
    Tokens file;
    if (!file.Open("data/objects/" + setName + ".script")) return;
    std::istringstream& in = file.in;
    std::string token;
    bool warned = false;
    while (file.Next(token)) {
        if (token == "OnFrame") {
            // OnFrame frame <ignored> objectName speed palette
            FrameEvent event;
            std::string ignored;
            float speed = 0.0f;
            if (!(in >> event.frame >> ignored >> event.objectName >> speed >> event.palette)) {
                // A truncated or malformed entry ends the file.
                file.Warn(world, "OnFrame needs a frame number, a word, an object name, a speed and a palette "
                                 "row; the file is read no further");
                return;
            }
            event.action = &SpawnFrameEventObject;
            event.velocity = Vector2(speed, 0.0f);
            type.frameEvents.push_back(event);
        } else if (token == "KillOnEndAnim") {
            type.killOnEndAnim = true;
        } else if (!warned) {
            file.Warn(world, "\"" + token + "\" is skipped: the words are OnFrame and KillOnEndAnim");
            warned = true;
        }
    }
}

void ReadEventsFile(World& world, ObjectType& type, const std::string& setName) {
    Tokens file;
    if (!file.Open("data/objects/" + setName + ".events")) return;
    std::string token;
    bool warned = false;
    while (file.Next(token)) {
        if (token != "OnDeath" && token != "Death") {
            if (!warned) file.Warn(world, "\"" + token + "\" is skipped: the words are OnDeath and Death, each before a name");
            warned = true;
            continue;
        }
        std::string eventName;
        if (!(file.in >> eventName)) {
            file.Warn(world, token + " needs a name after it");
            break;
        }
        type.deathEvents.push_back(eventName);
        type.deathEventIndex = static_cast<int>(type.deathEvents.size()) - 1;
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
