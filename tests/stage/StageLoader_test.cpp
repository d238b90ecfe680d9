// World::LoadStage on stage files written here byte by byte.
#include <gtest/gtest.h>

#include "stage/Camera.h"
#include "stage/StageTestData.h"
#include "stage/TileStates.h"

using stagetest::Rmap;
using stagetest::StageTest;

namespace {

// Captures standard output for the life of the object.
class CapturedOutput {
public:
    CapturedOutput() { testing::internal::CaptureStdout(); }
    std::string Text() {
        if (!done_) text_ = testing::internal::GetCapturedStdout();
        done_ = true;
        return text_;
    }
    ~CapturedOutput() { Text(); }

private:
    bool done_ = false;
    std::string text_;
};

// A complete stage: background 2 x 1, main 6 x 12 with the start at column 5,
// row 10 and a few tiles, foreground 3 x 2, two zones, two enemy types and
// three placements.
Rmap FullStage() {
    std::vector<std::vector<int>> main(12, std::vector<int>(6, 0));
    main[11] = {2, 2, 2, 2, 2, 2};
    main[10][5] = 1;
    main[3][1] = 3;
    main[3][2] = 300;
    Rmap map;
    map.Header("Tiles\\Test", 3)
        .Layer(1, {{4, 0}})
        .Layer(0, main)
        .Layer(2, {{0, 5, 6}, {7, 0, 0}});
    map.U32(2).Zone(0x11, 10, 20, 300, 400).Zone(0x80, -5, -6, 7, 8);
    map.Types({"Walker", "Flyer"});
    map.U32(3).Placement(1, 100, 200).Placement(0, -3, 4).Placement(1, 7, 8);
    return map;
}

}  // namespace

class StageLoaderTest : public StageTest {};

TEST_F(StageLoaderTest, ReadsEveryField) {
    WriteStage("Full", FullStage().Bytes());
    GameObject& hero = Box(1.0f, 2.0f, "Player");
    world().LoadStage("Full", hero);

    EXPECT_EQ(stage().tileset.imageSize.x, 256.0f);
    EXPECT_EQ(stage().tileset.imageSize.y, 512.0f);

    ASSERT_EQ(stage().backgroundLayers.size(), 1u);
    const TileLayer& back = stage().backgroundLayers[0];
    EXPECT_EQ(back.width, 2);
    EXPECT_EQ(back.height, 1);
    EXPECT_EQ(back.tiles, (std::vector<int>{4, 0}));
    EXPECT_EQ(back.tilesetWidth, 256);
    EXPECT_TRUE(back.zones.empty());

    const TileLayer& main = stage().mainLayer;
    EXPECT_EQ(main.width, 6);
    EXPECT_EQ(main.height, 12);
    EXPECT_EQ(main.tilesetWidth, 256);
    EXPECT_EQ(main.TileAt(1, 3), 3);
    EXPECT_EQ(main.TileAt(2, 3), 300);
    EXPECT_EQ(main.TileAt(5, 10), 0);  // the start cell is stored empty
    EXPECT_EQ(main.TileAt(0, 11), 2);

    ASSERT_EQ(stage().foregroundLayers.size(), 1u);
    const TileLayer& front = stage().foregroundLayers[0];
    EXPECT_EQ(front.width, 3);
    EXPECT_EQ(front.height, 2);
    EXPECT_EQ(front.tiles, (std::vector<int>{0, 5, 6, 7, 0, 0}));

    ASSERT_EQ(main.zones.size(), 2u);
    auto edges = [](const CameraZone& z) { return std::vector<int>{z.left, z.top, z.right, z.bottom, z.flags}; };
    EXPECT_EQ(edges(main.zones[0]), (std::vector<int>{10, 20, 310, 420, 0x11}));
    EXPECT_EQ(edges(main.zones[1]), (std::vector<int>{-5, -6, 2, 2, -128}));  // a signed byte
    EXPECT_NE(main.zones[1].flags & 0x80, 0);

    // Exactly the main-layer cells of code 2 or more, with their states.
    ASSERT_EQ(stage().tileMap.size(), 8u);
    const TileInfo* slope = stage().CellAt(1, 3);
    ASSERT_NE(slope, nullptr);
    EXPECT_EQ(slope->tile, 3);
    EXPECT_EQ(slope->state, '3');
    EXPECT_EQ(stage().CellAt(2, 3)->state, '0');
    EXPECT_EQ(stage().CellAt(4, 11)->state, '1');
    EXPECT_EQ(stage().CellAt(5, 10), nullptr);
    EXPECT_EQ(stage().CellAt(0, 0), nullptr);

    ASSERT_EQ(stage().enemyPlacements.size(), 3u);
    EXPECT_EQ(stage().enemyPlacements[0].typeName, "Flyer");
    EXPECT_EQ(stage().enemyPlacements[0].position, Vector2(100.0f, 200.0f));
    EXPECT_EQ(stage().enemyPlacements[0].reserved, -1);
    EXPECT_FALSE(stage().enemyPlacements[0].spawned);
    EXPECT_EQ(stage().enemyPlacements[1].typeName, "Walker");
    EXPECT_EQ(stage().enemyPlacements[1].position, Vector2(-3.0f, 4.0f));
    EXPECT_EQ(stage().enemyPlacements[2].typeName, "Flyer");

    // The enemy types went through the sprite cache.
    EXPECT_NE(world().animationSets.Find("Enemies\\Walker"), nullptr);
    EXPECT_NE(world().animationSets.Find("Enemies\\Flyer"), nullptr);
    EXPECT_NE(world().animationSets.Find("Tiles\\Test"), nullptr);

    // The start cell (column 5, row 10) puts the hero at (80, 160).
    EXPECT_EQ(hero.position, Vector2(80.0f, 160.0f));
}

TEST_F(StageLoaderTest, ResetsTheHeroAndEmptiesTheOtherLists) {
    WriteStage("Full", FullStage().Bytes());
    GameObject& hero = Box(0.0f, 0.0f, "Player");
    hero.health = 3.0f;
    hero.lifetime = 99;
    hero.hurtTimer = 40;
    hero.counter = 12;
    hero.dashJump = true;
    hero.wallState = 11;
    hero.airborne = 1;
    hero.direction = -1;
    hero.velocity = Vector2(2.5f, -4.0f);
    hero.dashTimer = 30;
    hero.maxHealth = 28.0f;

    GameObject& orb = Box(0.0f, 0.0f, "PlayerFX");
    GameObject& enemy = Box(0.0f, 0.0f, "Enemies");
    Box(0.0f, 0.0f, "Items");
    Box(0.0f, 0.0f, "Misc");
    Box(0.0f, 0.0f, "PlayerWeapons");
    Box(0.0f, 0.0f, "EnemyFX");
    const ObjectHandle enemyHandle = World::ToHandle(&enemy);
    orb.parent = &enemy;

    world().LoadStage("Full", hero);

    EXPECT_EQ(hero.health, 32.0f);
    EXPECT_EQ(hero.lifetime, 0);
    EXPECT_EQ(hero.hurtTimer, 0);
    EXPECT_EQ(hero.counter, 0);
    EXPECT_FALSE(hero.dashJump);
    EXPECT_EQ(hero.wallState, 0);
    EXPECT_EQ(hero.airborne, 0);
    EXPECT_EQ(hero.direction, 1);
    EXPECT_EQ(hero.velocity, Vector2(0.0f, 0.0f));
    EXPECT_EQ(hero.dashTimer, 0);
    EXPECT_EQ(hero.maxHealth, 28.0f);  // not part of the reset

    EXPECT_EQ(world().List("Player").size(), 1u);
    EXPECT_EQ(world().List("PlayerFX").size(), 1u);
    for (const char* category : {"Enemies", "Items", "Misc", "PlayerWeapons", "EnemyFX"})
        EXPECT_TRUE(world().List(category).empty()) << category;
    EXPECT_EQ(world().FromHandle(enemyHandle), nullptr);
    EXPECT_EQ(orb.parent, nullptr);
}

TEST_F(StageLoaderTest, StartCellInAnyLayerAndLaterOneWins) {
    Rmap map;
    map.Header("Tiles\\Test", 2)
        .Layer(0, {{0, 1, 0}, {2, 2, 2}})
        .Layer(2, {{0, 0, 0}, {0, 0, 1}});
    map.U32(0).Types({}).U32(0);
    WriteStage("Two", map.Bytes());
    GameObject& hero = Box(5.0f, 5.0f, "Player");
    world().LoadStage("Two", hero);
    EXPECT_EQ(hero.position, Vector2(32.0f, 16.0f));
    EXPECT_EQ(stage().foregroundLayers[0].TileAt(2, 1), 0);

    // Without a start cell the hero stays where it is (but is reset).
    Rmap none;
    none.Header("Tiles\\Test", 1).Layer(0, {{2}}).U32(0).Types({}).U32(0);
    WriteStage("None", none.Bytes());
    hero.position = Vector2(7.5f, 8.5f);
    hero.health = 1.0f;
    world().LoadStage("None", hero);
    EXPECT_EQ(hero.position, Vector2(7.5f, 8.5f));
    EXPECT_EQ(hero.health, 32.0f);
}

TEST_F(StageLoaderTest, NoTypesStillReadsTheSeparatorByte) {
    Rmap map;
    map.Header("Tiles\\Test", 1).Layer(0, {{2, 2}});
    map.U32(0).I32(0).U8(' ').U32(0);
    WriteStage("Bare", map.Bytes());
    GameObject& hero = Box(0.0f, 0.0f, "Player");
    hero.health = 1.0f;
    world().LoadStage("Bare", hero);
    EXPECT_EQ(hero.health, 32.0f);
    EXPECT_EQ(stage().mainLayer.width, 2);
    EXPECT_TRUE(stage().enemyPlacements.empty());
    EXPECT_TRUE(stage().backgroundLayers.empty());
    EXPECT_TRUE(stage().foregroundLayers.empty());

    // Leave the separator out and the placement count is one byte short.
    Rmap cut;
    cut.Header("Tiles\\Test", 1).Layer(0, {{2, 2, 2}});
    cut.U32(0).I32(0).U32(0);
    WriteStage("Cut", cut.Bytes());
    CapturedOutput out;
    world().LoadStage("Cut", hero);
    EXPECT_EQ(out.Text(), "Cannot load map: Cut\n");
    EXPECT_EQ(stage().mainLayer.width, 2);
}

TEST_F(StageLoaderTest, TypeNamesAreWhitespaceSeparatedWords) {
    Rmap map;
    map.Header("  Tiles\\Test", 1).Layer(0, {{2}});
    map.U32(0).I32(2).Raw("\t Alpha\r\n\nBeta").U8(' ');
    map.U32(2).Placement(1, 0, 0).Placement(0, 0, 0);
    WriteStage("Words", map.Bytes());
    GameObject& hero = Box(0.0f, 0.0f, "Player");
    world().LoadStage("Words", hero);
    ASSERT_EQ(stage().enemyPlacements.size(), 2u);
    EXPECT_EQ(stage().enemyPlacements[0].typeName, "Beta");
    EXPECT_EQ(stage().enemyPlacements[1].typeName, "Alpha");
    EXPECT_EQ(stage().tileset.imageSize.x, 256.0f);
}

TEST_F(StageLoaderTest, BrokenFilesLeaveThePreviousStageIntact) {
    WriteStage("Full", FullStage().Bytes());
    GameObject& hero = Box(0.0f, 0.0f, "Player");
    world().LoadStage("Full", hero);
    const size_t cells = stage().tileMap.size();

    const std::string good = FullStage().Bytes();
    struct Case {
        const char* name;
        std::string bytes;
        const char* output;
    };
    std::string badKind = good;
    badKind[10 + 11 + 4] = 3;  // the first layer's kind byte
    Rmap bigCode;
    bigCode.Header("Tiles\\Test", 1).Layer(0, {{2, 512}}).U32(0).Types({}).U32(0);
    Rmap noMain;
    noMain.Header("Tiles\\Test", 1).Layer(1, {{2}}).U32(0).Types({}).U32(0);
    Rmap badType;
    badType.Header("Tiles\\Test", 1).Layer(0, {{2}}).U32(0).Types({"Walker"});
    badType.U32(1).Placement(1, 0, 0);
    Rmap negativeType;
    negativeType.Header("Tiles\\Test", 1).Layer(0, {{2}}).U32(0).Types({"Walker"});
    negativeType.U32(1).Placement(-1, 0, 0);
    Rmap hugeLayer;
    hugeLayer.Header("Tiles\\Test", 1).U8(0).U32(0x40000000u).U32(0x40000000u).U16(2);
    Rmap wideEmpty;
    wideEmpty.Header("Tiles\\Test", 1).U8(0).U32(0xFFFFFFF0u).U32(0);
    std::string badNine = good;
    badNine[9] = 1;
    std::string badMagic = good;
    badMagic[3] = 'X';

    const std::vector<Case> cases = {
        {"Missing", "", "Cannot load map: Missing\n"},
        {"Cut at 100", good.substr(0, 100), "Cannot load map: Cut at 100\n"},
        {"Cut in name", good.substr(0, 14), "Cannot load map: Cut in name\n"},
        {"Cut at 9", good.substr(0, 9), "Cannot load map: Cut at 9\n"},
        {"Cut in placements", good.substr(0, good.size() - 1),
         "Cannot load map: Cut in placements\n"},
        {"Bad kind", badKind, "Cannot load map: Bad kind\n"},
        {"Code 512", bigCode.Bytes(), "Cannot load map: Code 512\n"},
        {"No main", noMain.Bytes(), "Cannot load map: No main\n"},
        {"Bad type", badType.Bytes(), "Cannot load map: Bad type\n"},
        {"Negative type", negativeType.Bytes(), "Cannot load map: Negative type\n"},
        {"Huge layer", hugeLayer.Bytes(), "Cannot load map: Huge layer\n"},
        {"Wide empty", wideEmpty.Bytes(), "Cannot load map: Wide empty\n"},
        {"Byte nine", badNine, ""},
        {"Magic", badMagic, ""},
        {"Tiny", "RM", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (std::string(c.name) != "Missing") WriteStage(c.name, c.bytes);
        Box(1.0f, 1.0f, "Enemies");
        hero.position = Vector2(3.0f, 4.0f);
        hero.health = 5.0f;
        CapturedOutput out;
        world().LoadStage(c.name, hero);
        EXPECT_EQ(out.Text(), c.output);
        EXPECT_EQ(stage().mainLayer.width, 6);
        EXPECT_EQ(stage().mainLayer.height, 12);
        EXPECT_EQ(stage().mainLayer.zones.size(), 2u);
        EXPECT_EQ(stage().backgroundLayers.size(), 1u);
        EXPECT_EQ(stage().foregroundLayers.size(), 1u);
        EXPECT_EQ(stage().tileMap.size(), cells);
        EXPECT_EQ(stage().enemyPlacements.size(), 3u);
        EXPECT_EQ(hero.position, Vector2(3.0f, 4.0f));
        EXPECT_EQ(hero.health, 5.0f);
        EXPECT_FALSE(world().List("Enemies").empty());
    }
}

TEST_F(StageLoaderTest, ANewStageReplacesPlacementsAndForgetsZones) {
    WriteStage("Full", FullStage().Bytes());
    Rmap second;
    second.Header("Tiles\\Test", 1).FilledLayer(0, 30, 20, 0);
    second.U32(1).Zone(0x01, 0, 0, 480, 320);
    second.Types({"Hopper"}).U32(1).Placement(0, 64, 32);
    WriteStage("Second", second.Bytes());

    GameObject& hero = Box(0.0f, 0.0f, "Player");
    world().LoadStage("Full", hero);
    stage().enemyPlacements[0].spawned = true;
    game().cameraState.currentZone = &stage().mainLayer.zones[0];
    game().cameraState.zoneLift = 20;
    game().flow.settleCamera.currentZone = &stage().mainLayer.zones[1];

    world().LoadStage("Second", hero);
    ASSERT_EQ(stage().enemyPlacements.size(), 1u);
    EXPECT_EQ(stage().enemyPlacements[0].typeName, "Hopper");
    EXPECT_EQ(stage().enemyPlacements[0].position, Vector2(64.0f, 32.0f));
    EXPECT_FALSE(stage().enemyPlacements[0].spawned);
    EXPECT_EQ(game().cameraState.currentZone, nullptr);
    EXPECT_EQ(game().cameraState.zoneLift, 20);  // the band keeps its width
    EXPECT_EQ(game().flow.settleCamera.currentZone, nullptr);
    EXPECT_TRUE(stage().tileMap.empty());
    EXPECT_TRUE(stage().backgroundLayers.empty());
    ASSERT_EQ(stage().mainLayer.zones.size(), 1u);
    EXPECT_EQ(stage().mainLayer.zones[0].right, 480);
}

TEST_F(StageLoaderTest, ASecondMainLayerReplacesTheFirstCollisionAndAll) {
    Rmap map;
    map.Header("Tiles\\Test", 2).Layer(0, {{2, 2}, {2, 2}}).Layer(0, {{0, 0, 0}, {0, 0, 3}});
    map.U32(0).Types({}).U32(0);
    WriteStage("Double", map.Bytes());
    GameObject& hero = Box(0.0f, 0.0f, "Player");
    world().LoadStage("Double", hero);
    EXPECT_EQ(stage().mainLayer.width, 3);
    ASSERT_EQ(stage().tileMap.size(), 1u);
    EXPECT_EQ(stage().CellAt(2, 1)->state, '3');
}

TEST_F(StageLoaderTest, TileStates) {
    // Blank characters anywhere are not states; the table is always 512 long.
    WriteFile(root() + "/data/objects/Tiles/Short States.txt", "0 1\n\t2\r\n3");
    {
        CapturedOutput out;
        const TileStateTable table = LoadTileStates("Tiles\\Short");
        EXPECT_EQ(out.Text(),
                  "Tile states of Tiles\\Short end after 4 of 512 entries; the rest are passable\n");
        ASSERT_EQ(table.size(), 512u);
        EXPECT_EQ(std::string(table.begin(), table.begin() + 5), "01230");
        EXPECT_EQ(table[511], '0');
    }
    {
        CapturedOutput out;
        const TileStateTable table = LoadTileStates("Tiles\\Nothing");
        EXPECT_EQ(out.Text(), "Cannot load map tile states: Tiles\\Nothing\n");
        EXPECT_EQ(table, TileStateTable(512, '0'));
    }
    {
        // Characters past the 512th are ignored; the path ignores case.
        std::string text = stagetest::TestStates() + "1111";
        WriteFile(root() + "/data/objects/EXTRA/LONG states.TXT", text);
        const TileStateTable table = LoadTileStates("Extra\\Long");
        ASSERT_EQ(table.size(), 512u);
        EXPECT_EQ(table[2], '1');
        EXPECT_EQ(table[14], 'Z');
        EXPECT_EQ(table[511], '0');
    }

    // A stage on a tileset without a state file still loads, all passable.
    Rmap map;
    map.Header("Tiles\\Bare", 1).Layer(0, {{2, 9}}).U32(0).Types({}).U32(0);
    WriteStage("Bare", map.Bytes());
    GameObject& hero = Box(0.0f, 0.0f, "Player");
    CapturedOutput out;
    world().LoadStage("Bare", hero);
    EXPECT_NE(out.Text().find("Cannot load map tile states: Tiles\\Bare\n"), std::string::npos);
    ASSERT_EQ(stage().tileMap.size(), 2u);
    EXPECT_EQ(stage().CellAt(0, 0)->state, '0');
    EXPECT_EQ(stage().mainLayer.tilesetWidth, 0);  // no image: drawing skips it
}

TEST_F(StageLoaderTest, LayerOperations) {
    TileLayer layer;
    layer.width = 4;
    layer.height = 3;
    layer.tiles = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    EXPECT_EQ(layer.TileAt(3, 2), 11);
    EXPECT_EQ(layer.ClampedIndex(-2, -1), 0);
    EXPECT_EQ(layer.ClampedIndex(9, 1), 7);
    EXPECT_EQ(layer.ClampedIndex(2, 7), 10);
    EXPECT_EQ(layer.ClampedIndexAtPixel(-5, -5), 0);
    EXPECT_EQ(layer.ClampedIndexAtPixel(64, 48), 11);  // one past either edge
    EXPECT_EQ(layer.ClampedIndexAtPixel(63, 47), 11);
    EXPECT_EQ(layer.ClampedIndexAtPixel(17, 31), 5);
    EXPECT_EQ(layer.ColumnOf(-3), 0);
    EXPECT_EQ(layer.ColumnOf(7), 3);
    EXPECT_EQ(layer.RowOf(7), 1);
    EXPECT_FALSE(layer.Empty());
    EXPECT_TRUE(TileLayer().Empty());
}
