#include "support/TestWorld.h"

#include <filesystem>

#include <lua.hpp>

#include "app/Startup.h"
#include "core/Random.h"

Rmap& Rmap::Raw(const std::string& bytes) {
    out_ += bytes;
    return *this;
}

Rmap& Rmap::U8(unsigned v) {
    out_.push_back(static_cast<char>(v & 0xFF));
    return *this;
}

Rmap& Rmap::Header(const std::string& tileset, uint32_t layers) {
    return Raw("RMAP").Raw("\x07\x07\x07\x07\x07").U8(0).Raw(tileset + "\n").U32(layers);
}

Rmap& Rmap::Layer(unsigned kind, const std::vector<std::vector<int>>& rows) {
    const uint32_t height = static_cast<uint32_t>(rows.size());
    U8(kind).U32(height ? static_cast<uint32_t>(rows[0].size()) : 0).U32(height);
    for (const auto& row : rows)
        for (int code : row) U16(static_cast<unsigned>(code));
    return *this;
}

Rmap& Rmap::Zone(int flags, int32_t x, int32_t y, int32_t w, int32_t h) {
    return U8(static_cast<unsigned>(flags)).U32(x).U32(y).U32(w).U32(h);
}

Rmap& Rmap::Types(const std::vector<std::string>& names) {
    U32(static_cast<uint32_t>(names.size()));
    for (size_t i = 0; i < names.size(); ++i) Raw(i ? " " : "").Raw(names[i]);
    return U8('\n');
}

Rmap& Rmap::Placement(int32_t type, int32_t x, int32_t y) { return U32(type).U32(x).U32(y); }

std::vector<std::vector<int>> FloorRows(int width, int height, int floorRow, int from, int to) {
    std::vector<std::vector<int>> rows(height, std::vector<int>(width, 0));
    for (int column = from; column <= to; ++column) rows[floorRow][column] = 2;
    return rows;
}

std::string SimpleStage(const std::vector<std::vector<int>>& rows,
                        const std::vector<std::string>& types,
                        const std::vector<std::vector<int>>& placements) {
    Rmap map;
    map.Header("Tiles\\Test", 1).Layer(0, rows).U32(0).Types(types).U32(
        static_cast<uint32_t>(placements.size()));
    for (const std::vector<int>& p : placements) map.Placement(p[0], p[1], p[2]);
    return map.Bytes();
}

std::string TestStates() {
    std::string states(512, '0');
    states.replace(2, 13, "13456200ABCDZ");
    std::string text;
    for (size_t i = 0; i < states.size(); i += 32) text += states.substr(i, 32) + "\n";
    return text;
}

namespace {

std::vector<int> queuedDraws;

int QueuedDraw(int) {
    if (queuedDraws.empty()) return 0;
    const int draw = queuedDraws.front();
    queuedDraws.erase(queuedDraws.begin());
    return draw;
}

}  // namespace

TestWorld::TestWorld() : root_(MakeTempDir("test")), cwd_(new ScopedWorkingDirectory(root_)) {
    WritePng(root_ + "/data/img/Tiles/Test.png", TestImage(256, 512, 0x808080FFu));
    WriteFile(root_ + "/data/Objects/Tiles/Test.anim", "16 16 0 0 16 16\n");
    WriteFile(root_ + "/data/objects/Tiles/Test States.txt", TestStates());
}

TestWorld::~TestWorld() {
    SetRandomSource(nullptr);
    harness_.reset();
    game_.reset();
    cwd_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void TestWorld::Set(const std::string& setName, const std::string& anim, int sheetW, int sheetH) {
    WriteFile(root_ + "/data/Objects/" + setName + ".anim", anim);
    WritePng(root_ + "/data/img/" + setName + ".png", TestImage(sheetW, sheetH));
}

void TestWorld::File(const std::string& path, const std::string& text) {
    WriteFile(root_ + "/data/objects/" + path, text);
}

void TestWorld::StageFile(const std::string& name, const std::string& bytes) {
    WriteFile(root_ + "/data/Stages/" + name + ".rmap", bytes);
}

Game& TestWorld::game() {
    if (!game_) {
        game_.reset(new Game());
        game_->sounds.log = &sounds;
    }
    return *game_;
}

void TestWorld::Lua(const std::string& source) {
    ASSERT_TRUE(game().script.RunString(source, "=test")) << source;
}

std::string TestWorld::Eval(const std::string& expression) {
    lua_State* L = game().script.State();
    const std::string chunk = "return tostring(" + expression + ")";
    if (luaL_loadstring(L, chunk.c_str()) != 0 || lua_pcall(L, 0, 1, 0) != 0) {
        const std::string message = lua_tostring(L, -1) ? lua_tostring(L, -1) : "?";
        lua_pop(L, 1);
        return "error: " + message;
    }
    const std::string value = lua_tostring(L, -1) ? lua_tostring(L, -1) : "";
    lua_pop(L, 1);
    return value;
}

std::string TestWorld::Handle(const GameObject* o) { return std::to_string(World::ToHandle(o)); }

GameObject* TestWorld::Make(const std::string& name, const std::string& category, int palette) {
    return world().CreateObjectInCategory(name, palette, category);
}

std::vector<GameObject*> TestWorld::Objects(const std::string& category, const std::string& name) {
    std::vector<GameObject*> found;
    for (GameObject& o : world().List(category))
        if (name.empty() || o.name == name) found.push_back(&o);
    return found;
}

int TestWorld::Played(const std::string& name) {
    if (harness_) harness_->Flush();
    int n = 0;
    for (const SoundRequest& s : sounds) n += s.name == name;
    return n;
}

void TestWorld::EmptyStage(int width, int height) {
    StageMap& stage = world().stage;
    stage.mainLayer = TileLayer();
    stage.mainLayer.width = width;
    stage.mainLayer.height = height;
    stage.mainLayer.tiles.assign(static_cast<size_t>(width) * height, 0);
    stage.tileMap.clear();
}

void TestWorld::Cell(int column, int row, char state) {
    world().stage.tileMap[std::make_pair(column, row)] = TileInfo{2, state};
}

void TestWorld::Floor(int row, int fromColumn, int toColumn) {
    for (int column = fromColumn; column <= toColumn; ++column) Cell(column, row);
}

namespace {

const char* kRookAnim =
    "64 64 24 22 40 60\n"
    "Stand 3 [90 5 30] 0\nBeginWalk 2 4 0\nWalk 10 2 0\nJump 3 [2 3 0] 2\nFall 2 [4 0] 1\n"
    "Land 2 [2 3] 0\nDash 4 [3 2 4 0] 3\nDashEnd 3 [3 3 4] 0\nSlide 5 [2 2 3 4 4] 3\n"
    "SlideJump 2 [4 0] 1\nHurt 3 4 1\nBeginFire 2 2 0\nFireStand 1 34 0\n"
    "FireRecoil 3 [3 6 25] 0\n";

const char* kInputCfg =
    "keyleft=left\nkeyright=right\nkeyup=up\nkeydown=down\n"
    "keyjump=z\nkeyattack1=x\nkeydash=c\nkeyattack2=a\nkeyprevweapon=q\nkeynextweapon=w\n"
    "joyjump=0\njoyattack1=1\njoydash=2\njoyattack2=3\njoyprevweapon=4\njoynextweapon=5\n";

}  // namespace

void TestWorld::AddHero() {
    WriteFile(root_ + "/input.cfg", kInputCfg);
    Set("Player/Rook", kRookAnim, 512, 384);
    Set("Player/Rook Fire", kRookAnim, 512, 384);
    Set("Effects/ChargeOrb", "48 48 16 16 32 32\nStand 1 0 0\nCharge 6 2 0\n");
    // Muzzle heights 16, 24, 33: a muzzle's y offset is 40 - height / 2.
    const struct {
        const char* name;
        int height;
        bool fires;
    } muzzles[] = {{"Recoil", 16, true},
                   {"BusterRecoil", 24, true},
                   {"ChargeRecoil", 33, true},
                   {"ChargeRecoil2", 33, false}};
    for (const auto& m : muzzles) {
        const std::string h = std::to_string(m.height);
        Set(std::string("Effects/") + m.name, "32 " + h + " 0 0 32 " + h + "\nStand 3 2 0\n");
        File(std::string("Effects/") + m.name + ".script", "KillOnEndAnim\n");
        if (m.fires)
            File(std::string("Effects/") + m.name + ".lua",
                 std::string("function ") + m.name +
                     "Update(self)\n  if GetLifetime(self) == 0 then FireWeapon(self) end\nend\n");
    }
    for (const char* effect : {"Effects/DashSmoke", "Effects/DashThruster", "Effects/SlideSpark",
                               "Effects/SlideSmoke", "Player/CopyRook"}) {
        Set(effect, "32 32 0 0 32 32\nStand 2 3 0\n");
        File(std::string(effect) + ".script", "KillOnEndAnim\n");
    }
    for (const char* shot : {"Player/BusterShot", "Player/BusterShotM", "Player/BusterShotL"})
        Set(shot, "16 16 0 0 16 16\nStand 1 0 0\n");
    File("weapons/Rook Buster.weapon",
         "LVL1 BusterShot Speed 6 Power 1 Palette 2\nLVL2 BusterShotM Speed 7 Power 2 Palette 2\n"
         "LVL3 BusterShotL Speed 8 Power 4 Palette 16\n");

    EXPECT_TRUE(game().bindings.ReadInputConfig("input.cfg"));
    CreateHero(game());
    game().flow.inputEnabled = true;
    hero().visible = true;
    EmptyStage(40, 16);
    Floor(kHeroFloorRow, 0, 39);
    Harness();
}

void TestWorld::StandAt(float x, int direction) {
    hero().position = Vector2(x, kHeroFloorY - 60.0f);
    hero().velocity = Vector2(0.0f, 0.0f);
    hero().airborne = 0;
    hero().direction = direction;
    hero().anim.ChangeAnimation("Stand");
    for (int i = 0; i < 4; ++i) Step();
    ASSERT_EQ(hero().airborne, 0);
}

InputHarness& TestWorld::Harness() {
    if (!harness_) {
        harness_.reset(new InputHarness(game()));
        harness_->CaptureSounds(&sounds);
    }
    return *harness_;
}

FrameState TestWorld::Step(const std::string& events) { return Harness().Step(events); }

void TestWorld::Play(const std::vector<Beat>& beats) {
    Harness().Play(beats);
}

void TestWorld::Draws(const std::vector<int>& draws) {
    queuedDraws = draws;
    SetRandomSource(QueuedDraw);
}
