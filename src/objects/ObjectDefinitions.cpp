#include "objects/ObjectDefinitions.h"

#include "objects/World.h"

// Not built yet: objects read no definition files.
void LoadScriptFile(GameObject&, const std::string&) {}
void LoadLuaAndEvents(World&, GameObject& obj, const std::string&) { obj.deathEvents.push_back(""); }
void RunFrameEvents(World&, GameObject&) {}
void SpawnFrameEventObject(World&, FrameEvent&) {}
