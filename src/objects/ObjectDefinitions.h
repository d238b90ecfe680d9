// Object definition files, read when an object is created, all found by the
// object's sprite-set name (category prefix + name) under "data/objects/":
//   ".script"  tokens: "OnFrame" frame ignored objectName speed palette
//              (a spawn when the animation shows that frame), "KillOnEndAnim";
//   ".lua"     the object's hooks, run in the shared Lua state;
//   ".events"  "OnDeath" / "Death" followed by a death-event name.
#pragma once

#include <string>

class World;
struct GameObject;
struct FrameEvent;

// A malformed entry or an unknown word prints one line, "file:line: ...",
// once per world (the files are read at every creation).
void LoadScriptFile(World& world, GameObject& obj, const std::string& setName);
void LoadLuaAndEvents(World& world, GameObject& obj, const std::string& setName);

// Fires the entries whose frame the owner's animation shows; a fired entry is
// used up.
void RunFrameEvents(World& world, GameObject& obj);

// The action of every OnFrame entry: spawn its object from the owner.
void SpawnFrameEventObject(World& world, FrameEvent& event);
