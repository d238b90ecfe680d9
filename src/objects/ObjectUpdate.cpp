#include "objects/World.h"

// Not built yet: objects are not updated.
void World::UpdateAllObjects() {}
void World::UpdateCategory(const std::string&, const std::vector<std::string>&) {}
void World::UpdateObject(GameObject&) {}
