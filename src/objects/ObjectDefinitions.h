// Object definition files, read at a type's first creation (the ".lua" file
// runs at every creation), all found by the object's sprite-set name
// (category prefix + name) under "data/objects/":
//   ".script"  tokens: "OnFrame" frame ignored objectName speed palette
//              (a spawn when the animation shows that frame), "KillOnEndAnim";
//   ".lua"     the object's hooks, run in the shared Lua state;
//   ".events"  "OnDeath" / "Death" followed by a death-event name.
#pragma once

#include <string>

class World;
struct GameObject;
struct FrameEvent;
struct ObjectType;

// A malformed entry or an unknown word prints one line, "file:line: ...",
// once per world.
void ReadScriptFile(World& world, ObjectType& type, const std::string& setName);
void ReadEventsFile(World& world, ObjectType& type, const std::string& setName);

// Fires the entries whose frame the owner's animation shows; a fired entry is
// used up.
void RunFrameEvents(World& world, GameObject& obj);

// The action of every OnFrame entry: spawn its object from the owner.
void SpawnFrameEventObject(World& world, FrameEvent& event);
