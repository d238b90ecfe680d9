// The demo game's stages as committed: the Tiled tileset agrees with the
// game's tile states, and the converted stages load through the engine and
// can be played: the hero lands on ground from its start and every enemy
// placement drops onto ground the way the spawner drops it.
#include <dirent.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "TmxConverter.h"
#include "app/DataPath.h"
#include "stage/StageTestData.h"
#include "stage/TileCollision.h"

using stagetest::StageTest;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The stage names of game/tiled/*.tmx, sorted.
std::vector<std::string> DemoStageNames() {
    std::vector<std::string> names;
    if (DIR* dir = opendir((GameDir() + "/tiled").c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".tmx") == 0) {
                names.push_back(name.substr(0, name.size() - 4));
            }
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string TmxPath(const std::string& stage) {
    return GameDir() + "/tiled/" + stage + ".tmx";
}

const int kFrameCap = 600;  // a drop that takes longer is a fall through the map

}  // namespace

TEST(DemoStages, TiledTilesetStatesMatchTheGameStates) {
    // The ".tsx" carries each tile's state for people drawing in Tiled; the
    // game reads " States.txt". Both must tell the same story.
    std::string states = ReadFile(GameDir() + "/data/objects/Tiles/Foundry States.txt");
    std::string table;
    for (char c : states) {
        if (c != ' ' && c != '\n' && c != '\r' && c != '\t') table += c;
    }
    ASSERT_EQ(512u, table.size());
    EXPECT_EQ("00", table.substr(0, 2));  // empty and the hero's start
    std::string tsx = ReadFile(GameDir() + "/tiled/Foundry.tsx");
    std::string fromTiled(512, '0');
    size_t at = 0;
    while ((at = tsx.find("<tile id=\"", at)) != std::string::npos) {
        int id = std::stoi(tsx.substr(at + 10));
        size_t end = tsx.find("</tile>", at);
        size_t state = tsx.find("name=\"state\" value=\"", at);
        ASSERT_LT(id, 512);
        ASSERT_GE(id, 2);
        if (state != std::string::npos && state < end) fromTiled[id] = tsx[state + 20];
        at = end;
    }
    for (int code = 0; code < 512; ++code) {
        EXPECT_EQ(table[code], fromTiled[code]) << "tile " << code;
    }
}

// The converted stages in a data tree of their own, with the real tile
// states and description and a plain 256 x 512 sheet.
class DemoStageLoadTest : public StageTest {
protected:
    DemoStageLoadTest() {
        WritePng(root() + "/data/img/Tiles/Foundry.png", TestImage(256, 512, 0x808080FFu));
        WriteFile(root() + "/data/objects/Tiles/Foundry.anim",
                  ReadFile(GameDir() + "/data/objects/Tiles/Foundry.anim"));
        WriteFile(root() + "/data/objects/Tiles/Foundry States.txt",
                  ReadFile(GameDir() + "/data/objects/Tiles/Foundry States.txt"));
    }

    void Load(const std::string& name, GameObject& hero) {
        std::string error;
        ASSERT_TRUE(ConvertTmxFile(TmxPath(name), root() + "/data/Stages/" + name + ".rmap", error))
            << error;
        ClearDataPathCache();                // the converter wrote a file the lookup has not seen
        testing::internal::CaptureStdout();  // the enemy sets are not in this tree
        world().LoadStage(name, hero);
        testing::internal::GetCapturedStdout();
    }

    // Runs tile collision and the move until the object stands; the frames
    // it took, or kFrameCap.
    int Drop(GameObject& o, bool spawnerDrop) {
        for (int frame = 1; frame <= kFrameCap; ++frame) {
            if (!spawnerDrop && o.velocity.y < 6.0f) o.velocity.y += 0.25f;
            CollideFloor(world(), o);
            CollideCeiling(world(), o);
            CollideRightWall(world(), o);
            CollideLeftWall(world(), o);
            o.position += o.velocity;
            if (o.airborne == 0) return frame;
        }
        return kFrameCap;
    }
};

TEST_F(DemoStageLoadTest, FoundryLoadsAsDrawn) {
    GameObject& hero = Box(0.0f, 0.0f, "Player");
    Load("Foundry", hero);
    StageMap& map = stage();
    EXPECT_EQ(std::vector<int>({200, 30, 40, 17, 110, 22, 200}),
              std::vector<int>({map.mainLayer.width, map.mainLayer.height,
                                map.backgroundLayers.at(0).width, map.backgroundLayers.at(0).height,
                                map.backgroundLayers.at(1).width, map.backgroundLayers.at(1).height,
                                map.foregroundLayers.at(0).width}));
    EXPECT_EQ(Vector2(64.0f, 320.0f), hero.position);  // start cell: column 4, row 20

    // The locked room, one screen, first of the zones.
    const std::vector<CameraZone>& zones = map.mainLayer.zones;
    ASSERT_EQ(7u, zones.size());
    EXPECT_EQ(std::vector<int>({1808, 2128, 176, 416}),
              std::vector<int>({zones[0].left, zones[0].right, zones[0].top, zones[0].bottom}));
    EXPECT_EQ(kZoneLockBand | kZoneLeftEdge | kZoneRightEdge | kZoneTopEdge | kZoneBottomEdge,
              zones[0].flags & 0xFF);

    // The first hill: a right-edge slope over its '2' fill, the plateau,
    // then the left-edge slope over 'Z'.
    std::string surface, fill;
    for (int column = 10; column <= 20; ++column) {
        const TileInfo* top = map.CellAt(column, 23);
        const TileInfo* under = map.CellAt(column, 24);
        surface += top ? top->state : '.';
        fill += under ? under->state : '.';
    }
    EXPECT_EQ("3456111DCBA", surface);
    EXPECT_EQ("2222111ZZZZ", fill);

    std::map<std::string, int> types;
    for (const EnemyPlacement& p : map.enemyPlacements) ++types[p.typeName];
    EXPECT_EQ((std::map<std::string, int>{{"ExitGate", 1}, {"Hopper", 3}, {"Turret", 3},
                                          {"Walker", 6}}),
              types);
}

TEST_F(DemoStageLoadTest, HeroAndEnemiesLandOnGroundInEveryStage) {
    EXPECT_EQ((std::vector<std::string>{"Foundry", "Foundry2"}), DemoStageNames());
    for (const std::string& name : DemoStageNames()) {
        GameObject& hero = Box(0.0f, 0.0f, "Player");
        hero.gravity = true;
        Load(name, hero);
        const Vector2 start = hero.position;

        // The opening drops the hero from its start onto the floor below.
        hero.airborne = 1;
        EXPECT_LT(Drop(hero, false), 60) << name;
        EXPECT_EQ(start.x, hero.position.x) << name;
        const float feet = hero.position.y + hero.anim.bottom;
        EXPECT_EQ(0, static_cast<int>(feet) % 16) << name;  // on a tile's top edge
        EXPECT_GT(feet, start.y + hero.anim.bottom - 1.0f) << name;
        EXPECT_LE(feet, start.y + hero.anim.bottom + 16.0f) << name;

        // Each placement, with a 32 x 32 enemy's box, falls at 4 pixels a
        // frame until it stands, and stands inside the stage.
        for (const EnemyPlacement& placement : stage().enemyPlacements) {
            SCOPED_TRACE(name + " " + placement.typeName + " at " +
                         std::to_string(placement.position.x));
            GameObject& enemy = Box(placement.position.x, placement.position.y);
            enemy.anim.left = 4;
            enemy.anim.top = 4;
            enemy.anim.right = 28;
            enemy.anim.bottom = 32;
            enemy.gravity = true;
            enemy.airborne = 1;
            enemy.velocity = Vector2(0.0f, 4.0f);
            EXPECT_LT(Drop(enemy, true), 30);
            EXPECT_LT(enemy.position.y + 32.0f, 16.0f * stage().mainLayer.height);
            EXPECT_LE(enemy.position.y - placement.position.y, 48.0f);
        }
    }
}
