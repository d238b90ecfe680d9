#include "objects/World.h"

// Not built yet: no stage loads.
void World::LoadStage(const std::string&, GameObject&) {}
