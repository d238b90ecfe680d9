// ObjectHandle: how scripts name an object. It is the object's address as an
// integer Lua number; 0 is no object. Scripts may hand back stale or made-up
// numbers, so the World checks every handle against its live objects before
// turning it back into a pointer (World::FromHandle).
#pragma once

#include <cstdint>

using ObjectHandle = std::intptr_t;
