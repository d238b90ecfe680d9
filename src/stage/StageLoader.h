// StageLoader: reads a stage file into a new StageMap (the format is
// described in StageLoader.cpp). Nothing is changed unless the whole file is
// good; a missing or broken one prints "Cannot load map: <name>" and is
// refused.
#pragma once

#include <string>

#include "anim/AnimationSetCache.h"
#include "core/Vector2.h"
#include "stage/StageMap.h"

struct LoadedStage {
    StageMap map;
    bool hasStart = false;  // the file marks the hero's start
    Vector2 start;          // its cell's top-left corner
};

// Reads "data/Stages/" + name + ".rmap", its tileset and tile states through
// the cache; true when `out` holds the whole stage.
bool LoadStageFile(const std::string& name, AnimationSetCache& sets, LoadedStage& out);
