// Tiled maps: the converter reads any ".tmx" (and, after a NUL byte, the
// ".tsx" it names as "Foundry.tsx"; else the demo's); what it accepts must
// load in the game.
#include <cstdlib>
#include <filesystem>

#include "FuzzTarget.h"
#include "TmxConverter.h"
#include "anim/AnimationSetCache.h"
#include "stage/StageLoader.h"
#include "SynthText.h"

const char* const kSeedEndings[] = {".tmx", nullptr};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::string demoTileset;
    if (demoTileset.empty()) ReadTextFile(fuzz::GameFolder() + "/tiled/Foundry.tsx", demoTileset);
    std::string tmx = fuzz::Text(data, size), tsx = demoTileset;
    const size_t nul = tmx.find('\0');
    if (nul != std::string::npos) tsx = tmx.substr(nul + 1), tmx.resize(nul);
    fuzz::Put("tiled/Foundry.tsx", tsx);
    RmapStage stage;
    std::string error;
    if (!ParseTmx(fuzz::Scratch() + "/tiled/Fuzz.tmx", tmx, stage, error)) return 0;
    fuzz::Put("data/Stages/Fuzz.rmap", EncodeRmap(stage));
    AnimationSetCache sets;
    LoadedStage loaded;
    if (!LoadStageFile("Fuzz", sets, loaded)) std::abort();  // converted, yet refused
    return 0;
}
