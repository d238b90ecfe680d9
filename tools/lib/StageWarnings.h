// StageWarnings: what the stage converter tells an author about a stage it
// writes into a game folder, beyond what makes the stage invalid.
#pragma once

#include <string>
#include <vector>

#include "TmxConverter.h"

// Warnings about a stage written into a game folder (rmapPath ends in
// "data/Stages/NAME.rmap"; for any other path there are none), each
// "tmxPath:line: warning: ...": an enemy type without a description or a
// script in that game's data, and a placement that lies wholly inside the
// view when the stage starts (it appears only once the view has left it and
// come back). The stage is converted all the same.
std::vector<std::string> StageWarnings(const std::string& tmxPath, const std::string& rmapPath,
                                       const RmapStage& stage);
