// StageLoader: reads a stage file into a new StageMap (the format is
// described in StageLoader.cpp). Nothing is changed unless the whole file is
// good; a missing or broken one prints "Cannot load map: <name>" and the
// reason, and is refused.
#pragma once

#include <string>

#include "anim/AnimationSetCache.h"
#include "core/Vector2.h"
#include "stage/StageMap.h"

struct LoadedStage {
    StageMap map;
    bool hasStart = false;  // the file marks the hero's start
    Vector2 start;          // its cell's top-left corner
    std::string error;      // why it was refused: "data/Stages/X.rmap: it is missing"
};

// Reads "data/Stages/" + name + ".rmap", its tileset and tile states through
// the cache; true when `out` holds the whole stage. A refusal prints
// "Cannot load map: <name>" and, on the next line, out.error.
bool LoadStageFile(const std::string& name, AnimationSetCache& sets, LoadedStage& out);

// Whether the stage file reads as a whole stage, loading nothing else; else
// error says why ("data/Stages/X.rmap: it is missing").
bool StageFileReadable(const std::string& name, std::string& error);
