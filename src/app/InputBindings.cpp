#include "app/InputBindings.h"

// Not built yet.
bool InputBindings::ReadInputConfig(const std::string&) { return false; }
