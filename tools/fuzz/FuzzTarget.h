// A fuzz target: LLVMFuzzerTestOneInput runs one input through one reader of
// the game or of its build tools. Built with clang and KESTRION_FUZZ, libFuzzer
// drives it; otherwise ReplayMain.cpp runs it over saved inputs and the
// demo's own files. Every input must leave the process sound: no crash, no
// sanitizer report, no hang.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// File name endings of the demo files that seed the target; ends with null.
extern const char* const kSeedEndings[];

namespace fuzz {

// A scratch data tree, made on first use and the working directory from
// then on (removed at exit). The readers' messages are silenced unless
// KESTRION_FUZZ_VERBOSE is set: they are expected, and they would bury
// the fuzzer's own report.
const std::string& Scratch();

// Writes bytes to a path under the scratch tree, folders included, and
// forgets cached data paths.
void Put(const std::string& path, const std::string& bytes);

// The demo's game folder (KESTRION_GAME_DIR, else the source tree's game/).
std::string GameFolder();

inline std::string Text(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace fuzz
