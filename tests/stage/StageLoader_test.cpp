// Stage files and tile-state files read through their bytes: one valid stage
// read back whole, then one edit per rule that must be refused, leaving the
// stage, the objects and the hero as they were.
#include <gtest/gtest.h>

#include <sstream>

#include "stage/TileStates.h"
#include "support/TestWorld.h"

namespace {

// Background 2 x 1; a throwaway main layer the next one replaces; main 6 x 12
// with a start cell that the foreground's later one overrides; two zones;
// type names split by assorted blanks; three placements.
std::string GoodStage() {
    std::vector<std::vector<int>> main(12, std::vector<int>(6, 0));
    main[11] = {2, 2, 2, 2, 2, 2};
    main[10][5] = 1;
    main[3] = {0, 3, 300, 511, 0, 0};
    Rmap map;
    map.Header("  Tiles\\Test", 4).Layer(1, {{4, 0}}).Layer(0, {{2, 2}}).Layer(0, main);
    map.Layer(2, {{0, 5, 6}, {7, 1, 0}}).U32(2).Zone(0x11, 10, 20, 300, 400).Zone(0x80, -5, -6, 7, 8);
    map.U32(2).Raw("\t Walker\r\n\nFlyer").U8(' ');
    return map.U32(3).Placement(1, 100, 200).Placement(0, -3, 4).Placement(1, 7, 8).Bytes();
}

// One layer of one cell, one enemy type and one placement.
std::string Tiny(unsigned kind, int code, int32_t type = 0) {
    Rmap map;
    map.Header("Tiles\\Test", 1).Layer(kind, {{code}}).U32(0).Types({"Walker"});
    return map.U32(1).Placement(type, 0, 0).Bytes();
}

// The whole stage as text: each layer's size, tileset width and non-zero
// cells (by index), the zones, the collision cells and the placements.
std::string Describe(const StageMap& s) {
    std::ostringstream o;
    auto layer = [&](const char* kind, const TileLayer& l) {
        o << kind << l.width << 'x' << l.height << '/' << l.tilesetWidth << ':';
        for (size_t i = 0; i < l.tiles.size(); ++i)
            if (l.tiles[i]) o << ' ' << i << '=' << l.tiles[i];
        o << '\n';
    };
    for (const TileLayer& l : s.backgroundLayers) layer("back ", l);
    layer("main ", s.mainLayer);
    for (const TileLayer& l : s.foregroundLayers) layer("front ", l);
    for (const CameraZone& z : s.mainLayer.zones)
        o << "zone " << z.left << ',' << z.top << ',' << z.right << ',' << z.bottom << ' ' << z.flags << '\n';
    o << "cells";
    for (const auto& c : s.tileMap)
        o << ' ' << c.first.first << ',' << c.first.second << '=' << c.second.tile << ':' << c.second.state;
    for (const EnemyPlacement& p : s.enemyPlacements)
        o << '\n' << p.typeName << ' ' << p.position.x << ',' << p.position.y << (p.spawned ? '!' : ' ');
    return o.str();
}

}  // namespace

class StageLoaderTest : public TestWorld {
protected:
    StageLoaderTest() {
        for (const char* set : {"Player/Box", "Enemies/Box", "Effects/Box", "Items/Box", "Box", "Enemies/Walker", "Enemies/Flyer"})
            Set(set, "16 16 0 0 16 16\nStand 1 0 0\n");
        StageFile("Good", GoodStage());
        heroBox = Make("Box", "Player");
    }
    std::string Load(const std::string& name) {
        testing::internal::CaptureStdout();
        world().LoadStage(name, *heroBox);
        return testing::internal::GetCapturedStdout();
    }
    GameObject* heroBox = nullptr;
};

TEST_F(StageLoaderTest, AValidFileReplacesEverything) {
    GameObject& hero = *heroBox;
    hero.lifetime = hero.hurtTimer = hero.counter = hero.dashTimer = hero.wallState = 9;
    hero.dashJump = true, hero.gravity = false, hero.airborne = 1, hero.direction = -1;
    hero.velocity = Vector2(2.5f, -4.0f), hero.health = 3.0f, hero.maxHealth = 28.0f, world().heroAlive = false;
    for (const char* category : {"PlayerFX", "Enemies", "Items", "Misc", "PlayerWeapons", "EnemyFX"})
        Make("Box", category);
    game().cameraState.zone = 1, game().cameraState.stage = world().stage.serial;
    game().cameraState.zoneLift = 20;

    EXPECT_EQ(Load("Good"), "");
    EXPECT_EQ(world().stageName, "Good");
    EXPECT_EQ(Describe(world().stage),
              "back 2x1/256: 0=4\n"
              "main 6x12/256: 19=3 20=300 21=511 66=2 67=2 68=2 69=2 70=2 71=2\n"
              "front 3x2/256: 1=5 2=6 3=7\n"
              "zone 10,20,310,420 17\nzone -5,-6,2,2 -128\n"
              "cells 0,11=2:1 1,3=3:3 1,11=2:1 2,3=300:0 2,11=2:1 3,3=511:0 3,11=2:1 4,11=2:1 5,11=2:1\n"
              "Flyer 100,200 \nWalker -3,4 \nFlyer 7,8 ");
    EXPECT_NE(world().animationSets.Find("Enemies\\Walker"), nullptr);  // preloaded

    // The hero: at the later start cell (foreground column 1, row 1), reset.
    EXPECT_EQ(hero.position, Vector2(16.0f, 16.0f));
    EXPECT_EQ(std::vector<float>({hero.health, hero.maxHealth, hero.velocity.x, hero.velocity.y}),
              std::vector<float>({32.0f, 28.0f, 0.0f, 0.0f}));
    EXPECT_EQ(std::vector<int>({hero.lifetime, hero.hurtTimer, hero.counter, hero.dashTimer, hero.wallState,
                                hero.airborne, hero.direction, hero.dashJump, hero.gravity, world().heroAlive}),
              std::vector<int>({0, 0, 0, 0, 0, 0, 1, 0, 1, 1}));

    // Only the hero's own lists survive; the camera forgets the old zones.
    EXPECT_EQ(world().List("Player").size() + world().List("PlayerFX").size(), 2u);
    for (const char* category : {"Enemies", "Items", "Misc", "PlayerWeapons", "EnemyFX"})
        EXPECT_TRUE(world().List(category).empty()) << category;
    UpdateCamera(world().stage, Vector2(-1000.0f, -1000.0f), world().camera, game().cameraState);
    EXPECT_EQ(game().cameraState.zone, -1) << "no zone holds the hero, and the old one is gone";
    EXPECT_EQ(game().cameraState.zoneLift, 20);

    // No start cell: the hero keeps his place. No state file: all passable.
    hero.position = Vector2(7.5f, 8.5f);
    StageFile("Bare", Rmap().Header("Tiles\\Bare", 1).Layer(0, {{2}}).U32(0).U32(0).U8(' ').U32(0).Bytes());
    EXPECT_NE(Load("Bare").find("Cannot load map tile states: Tiles\\Bare\n"), std::string::npos);
    EXPECT_EQ(hero.position, Vector2(7.5f, 8.5f));
    EXPECT_EQ(Describe(world().stage), "main 1x1/0: 0=2\ncells 0,0=2:0");
}

TEST_F(StageLoaderTest, BrokenFilesChangeNothing) {
    ASSERT_EQ(Load("Good"), "");
    const std::string before = Describe(world().stage), good = GoodStage();
    std::string badMagic = good, badNine = good;
    badMagic[3] = 'X';
    badNine[9] = 1;
    const std::string oversize =
        Rmap().Header("Tiles\\Test", 1).U8(0).U32((1u << 20) + 1).U32(0).U32(0).Types({}).U32(0).Bytes();
    // clang-format off
    const struct { const char* name; std::string bytes; const char* why; } rows[] = {
        {"Missing", "", "it is missing"},
        {"Cut in name", good.substr(0, 14), "it ends inside the tileset name"},
        {"Cut in layer", good.substr(0, 100), "it ends inside the tiles of layer 3 of 4"},
        {"Cut in zones", Rmap().Header("Tiles\\Test", 1).Layer(0, {{2}}).U32(1).U8(0).U32(1).Bytes(), "it ends inside camera zone 1 of 1"},
        {"Cut in types", Rmap().Header("Tiles\\Test", 1).Layer(0, {{2}}).U32(0).U32(2).Raw("Walker ").Bytes(), "it ends inside the enemy type names"},
        {"Cut in placements", good.substr(0, good.size() - 1), "it ends inside placement 3 of 3"},
        {"Layer kind 3", Tiny(3, 2), "layer 1 of 1 is of kind 3 (0 main, 1 background, 2 foreground)"},
        {"Tile code 512", Tiny(0, 512), "layer 1 of 1 has tile code 512 at column 0, row 0 (511 at most)"},
        {"No main layer", Tiny(1, 2), "it has no main layer (kind 0)"},
        {"Oversize layer", oversize, "layer 1 of 1 is 1048577 x 0 tiles, more than 1048576 a side"},
        {"Type past the list", Tiny(0, 2, 1), "placement 1 of 1 names enemy type 1, not one of the file's 1 (counted from 0)"},
        {"Negative type", Tiny(0, 2, -1), "placement 1 of 1 names enemy type -1, not one of the file's 1 (counted from 0)"},
        {"Wrong magic", badMagic, "it is not a stage file (it does not begin with RMAP)"},
        {"Byte nine", badNine, "byte 9 is 1, not 0: a stage of another format"},
        {"Too short", "RMAP\x07", "it ends inside the header"},
    };
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        if (std::string(r.name) != "Missing") StageFile(r.name, r.bytes);
        Make("Box", "Enemies");
        heroBox->position = Vector2(3.0f, 4.0f), heroBox->health = 5.0f;
        EXPECT_EQ(Load(r.name), "Cannot load map: " + std::string(r.name) + "\n  data/Stages/" + r.name + ".rmap: " + r.why + "\n");
        EXPECT_EQ(Describe(world().stage), before);
        EXPECT_EQ(world().stageName, "Good");
        EXPECT_EQ(heroBox->position, Vector2(3.0f, 4.0f));
        EXPECT_EQ(heroBox->health, 5.0f);
        EXPECT_FALSE(world().List("Enemies").empty());
    }
}

// Each enemy type a stage names is looked at once as it loads: a problem is
// one line with the stage's name and the type's placements.
TEST_F(StageLoaderTest, EnemyTypesAreLookedAtAsTheStageLoads) {
    File("Enemies/Walker.lua", "function WalkerUpdate(self\n");
    WriteFile(Root() + "/data/Objects/Enemies/Sheetless.anim", "16 16 0 0 16 16\nStand 1 0 0\n");
    StageFile("Mixed", Rmap().Header("Tiles\\Test", 1).Layer(0, {{2}}).U32(0).Types({"Walker", "Sheetless", "Gone", "Flyer"})
                           .U32(4).Placement(0, 1, 2).Placement(1, 3, 4).Placement(2, 5, 6).Placement(0, 7, 8).Bytes());
    EXPECT_EQ(Load("Mixed"),
              "data/img/Enemies/Sheetless.png is missing: Enemies\\Sheetless has no sheet and is invisible\n"
              "Cannot load texture: Enemies\\Gone\n  neither data/objects/Enemies/Gone.anim nor data/img/Enemies/Gone.png exists\n"
              "Stage Mixed: the enemy Walker at (1, 2), (7, 8): data/objects/Enemies/Walker.lua:2: ')' expected near '<eof>'\n"
              "Stage Mixed: the enemy Sheetless at (3, 4): it has no sheet data/img/Enemies/Sheetless.png\n"
              "Stage Mixed: the enemy Gone at (5, 6): it has no data/Objects/Enemies/Gone.anim\n");
    EXPECT_EQ(world().stageName, "Mixed");
}

TEST_F(StageLoaderTest, TileStates) {
    // Blanks are no states; the table is 512 long whatever the file holds.
    File("Tiles/Short States.txt", "0 1\n\t2\r\n3");
    File("EXTRA/LONG states.TXT", TestStates() + "1111");
    const struct { const char* tileset; const char* message; std::string first; } rows[] = {
        {"Tiles\\Short", "Tile states of Tiles\\Short end after 4 of 512 entries; the rest are passable\n",
         "012300000000000"},
        {"Tiles\\Nothing", "Cannot load map tile states: Tiles\\Nothing\n  data/objects/Tiles/Nothing States.txt is missing\n",
         "000000000000000"},
        {"Extra\\Long", "", "0013456200ABCDZ"},  // case ignored; the 513th on ignored
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.tileset);
        testing::internal::CaptureStdout();
        const TileStateTable table = LoadTileStates(r.tileset);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), r.message);
        EXPECT_EQ(std::string(table.begin(), table.end()), r.first + std::string(497, '0'));
    }
}
