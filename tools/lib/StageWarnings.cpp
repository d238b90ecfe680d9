#include "StageWarnings.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "core/DataPath.h"
#include "player/EnemySpawner.h"
#include "player/GameState.h"
#include "player/StageFlow.h"

namespace fs = std::filesystem;

namespace {

// The game folder of a path ".../data/Stages/NAME.rmap", or "".
std::string GameFolderOf(const std::string& rmapPath) {
    const fs::path stages = fs::absolute(rmapPath).parent_path();
    if (stages.filename() != "Stages" || stages.parent_path().filename() != "data") return "";
    return stages.parent_path().parent_path().string();
}

// The view when the stage starts, found by the game's own start: the stage
// loaded in its folder, the hero dropped onto the ground, the camera settled.
// The game's lines (a missing sheet, a stage problem) are silenced: the
// converter speaks for itself.
bool StartView(const std::string& folder, const std::string& stageName, GameState& game) {
    std::error_code error;
    const fs::path before = fs::current_path(error);
    if (error) return false;
    std::fflush(stdout);
    const int saved = dup(STDOUT_FILENO), nothing = open("/dev/null", O_WRONLY);
    if (nothing >= 0) dup2(nothing, STDOUT_FILENO);
    fs::current_path(folder, error);
    ClearDataPathCache();
    bool loaded = false;
    if (!error) {
        GameObject* hero = game.world.CreateObjectInCategory("Rook", 0, Category::Player);
        hero->gravity = true;
        game.world.LoadStage(stageName, *hero);
        loaded = game.world.stageName == stageName;
        if (loaded) BeginStage(game);
    }
    std::fflush(stdout);
    if (saved >= 0) dup2(saved, STDOUT_FILENO), close(saved);
    if (nothing >= 0) close(nothing);
    fs::current_path(before, error);
    ClearDataPathCache();
    return loaded;
}

}  // namespace

std::vector<std::string> StageWarnings(const std::string& tmxPath, const std::string& rmapPath,
                                       const RmapStage& stage) {
    std::vector<std::string> warnings;
    const std::string folder = GameFolderOf(rmapPath);
    if (folder.empty()) return warnings;
    auto warn = [&](int line, const std::string& text) {
        warnings.push_back(tmxPath + ":" + std::to_string(line) + ": warning: " + text);
    };
    for (size_t type = 0; type < stage.enemyTypes.size(); ++type) {
        const std::string& name = stage.enemyTypes[type];
        int line = 0;
        for (const RmapPlacement& p : stage.placements)
            if (p.typeIndex == static_cast<int>(type) && line == 0) line = p.line;
        // Spelt as the game's loaders spell them: the lookup prefers an exact match.
        for (const std::string& path : {"data/Objects/Enemies/" + name + ".anim", "data/objects/Enemies/" + name + ".lua"}) {
            if (ResolveDataPath(folder + "/" + path).empty())
                warn(line, "the enemy type " + name + " has no " + path + " in the game's data");
        }
    }
    GameState game;
    if (!StartView(folder, fs::path(rmapPath).stem().string(), game)) return warnings;
    for (size_t i = 0; i < stage.placements.size(); ++i) {
        const EnemyPlacement& placement = game.world.stage.enemyPlacements.at(i);
        if (!InsideSpawnView(game.world, placement, game.world.camera)) continue;
        warn(stage.placements[i].line, "the " + placement.typeName + " at (" + std::to_string(stage.placements[i].x) +
                                            ", " + std::to_string(stage.placements[i].y) +
                                            ") lies wholly inside the view when the stage starts: it appears only "
                                            "once the view has left it and come back");
    }
    return warnings;
}
