// CommandLine: the program's options for modders and testers. Without any,
// the program runs as it always has: in the current folder, from the
// opening stage game.cfg names.
//   --stage NAME   start in data/Stages/NAME.rmap
//   --data DIR     run the game folder DIR (its data/ and input.cfg)
//   --record FILE  write the run to FILE as it is played (see Replay.h)
//   --play FILE    play the run recorded in FILE
//   --help, --version
#pragma once

#include <string>

struct ProgramOptions {
    std::string stage;    // empty: game.cfg's OpeningStage
    std::string dataDir;  // empty: the current folder
    std::string record;   // empty: no recording
    std::string play;     // empty: the player plays
};

constexpr const char* kVersion = "0.13";

// Reads the arguments into options. -1: run the game; otherwise the exit
// status, after printing the help or the version (0), or an unknown option
// or a missing value with the usage on standard error (2).
int ParseCommandLine(int argc, const char* const* argv, ProgramOptions& options);
