#include "objects/World.h"

// Not built yet: nothing dies.
void World::ProcessDeaths(const std::vector<std::string>&) {}
