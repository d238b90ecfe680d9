// ObjectHandle: how scripts name an object, an integer Lua number; 0 is no
// object. Each object gets a handle no other object of the run has had, so
// a handle kept after its object died names nothing, never a newcomer.
//
// A handle is a serial number times 65536 plus a 16-bit check derived from
// it. Handles start at 2^32, far from the small numbers scripts count with,
// and a number made up from a real handle (h + 1, h * 2) fails the check
// but for 1 chance in 65536. Serial numbers stay below 2^37, so every
// handle is exact in a Lua number (2^53); that is 2^37 - 2^16 objects, some
// years of a busy game.
#pragma once

#include <cstdint>

using ObjectHandle = std::int64_t;

// The handle of the n-th object (n from 0).
constexpr ObjectHandle MakeObjectHandle(std::uint64_t n) {
    const std::uint64_t serial = n + 65536u;
    const std::uint64_t check = ((serial * 0x9E3779B97F4A7C15u) >> 48) & 0xFFFFu;
    return static_cast<ObjectHandle>((serial << 16) | check);
}
