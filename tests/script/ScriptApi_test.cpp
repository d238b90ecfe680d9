// The 37 script functions through the real Lua state on real objects: one row
// a call, its results and what it changed; then every function with handles
// that name no live object, and with the game gone from the registry.
#include <sstream>

#include "core/Random.h"
#include "script/ScriptApi.h"
#include "support/TestWorld.h"

namespace {

int gDraw = 0;  // the next random draw

// Lua helpers: R(...) = "count values" (a handle reads "h"), Tick(obj, n)
// advances the animation n ticks. The random draws of a row are 0, 1, 2, ...
const char* const kHelpers = R"(
function R(...)
  local out = {select('#', ...)}
  for i = 1, out[1] do local v = select(i, ...) out[i + 1] = type(v) == 'number' and v > 1e6 and 'h' or tostring(v) end
  return table.concat(out, ' ')
end
names = {}
for n in ([[CreateObject OffsetObject MoveObject Kill AddHealth GetPower SetPower GetName SetPalette GetPalette
  SetHealth TakeDamage GetHealth SetSFX AddFGObject RemoveFGObject DamagePlayer Quit PlayerDistanceX
  ChangeAnimation EndOfAnimation IsPlaying AnimationLoops HitFrame GetLifetime SetVelocity SetTexture
  CopyAnimation GetPlayer GetDirection SetDirection SetSpeed FireWeapon SetParent PlaySound FadeToStage
  AddPlayerHealth GetVelocity GetPosition]]):gmatch('%a+') do names[#names + 1] = n end
)";

std::string V(const Vector2& v) {
    std::ostringstream out;
    out << "(" << v.x << "," << v.y << ")";
    return out.str();
}

class ScriptApi : public TestWorld {
protected:
    void SetUp() override {
        Set("Enemies/Walker", "16 32 2 4 14 30\nStand 1 0 0\nWalk 3 [2 2 2] 1\nFall 2 1 0\n");
        Set("Enemies/Shot", "8 8 0 0 8 8\nFly 1 0 0\n");
        Set("Player/Rook", "32 32 8 4 24 32\nStand 1 0 0\n");
        Set("Player/Pellet", "8 8 0 0 8 8\nFly 1 0 0\n");
        Set("Effects/Spark", "24 24 0 0 24 24\nBurst 2 3 0\nFade 2 3 1\n", 48, 24);
        hero = Make("Rook", "Player");
        hero->position = Vector2(140.5f, 60.0f);
        hero->dashTimer = 5;
        hero->weapons = {WeaponGroup{{WeaponDef{-1.0f, 4.0f, "Pellet"}}, "Gun"}};
        GameObject* m = Make("Spark", "PlayerFX");  // fires level 1 of "Gun"
        m->position = Vector2(200.0f, 100.0f);
        m->weaponIndex = 0;
        m->weaponLevel = 1;
        Lua(kHelpers);
        Lua("hero, m = " + Handle(hero) + ", " + Handle(m));
        // Tick(obj, n): n animation ticks; a function of the test's own, so the game is an upvalue of ours.
        lua_pushnil(game().script.State());
        lua_pushlightuserdata(game().script.State(), static_cast<GameState*>(&game()));
        lua_pushcclosure(game().script.State(), [](lua_State* L) {
            for (int i = 0; i < scriptapi::IntArg(L, 2); ++i) scriptapi::ObjectArg(L, 1)->anim.Advance();
            return 0;
        }, 2);
        lua_setglobal(game().script.State(), "Tick");
        SetRandomSource([](int n) { return gDraw++ % n; });
    }
    void TearDown() override { SetRandomSource(nullptr); }

    // Walkers w (at (100, 50), gravity on) and o, the handle of a removed
    // one, and a clean game.
    void Fresh() {
        w = Make("Walker", "Enemies");
        w->position = Vector2(100.0f, 50.0f);
        w->gravity = true;
        o = Make("Walker", "Enemies");
        const std::string stale = Handle(Make("Walker", "Enemies"));
        ASSERT_TRUE(world().RemoveNow(std::stoll(stale)));
        Lua("w, o, stale = " + Handle(w) + ", " + Handle(o) + ", " + stale);
        sounds.clear();
        gDraw = 0;
        world().foregroundList.clear();
        world().nextStage.clear();
        game().quit = false;
        game().fade.mode = 0;
        game().flow.pendingHealth = 0.0f;
    }

    std::string Label(const GameObject* x) { return x == w ? "w" : x == o ? "o" : x ? "?" : "none"; }

    std::string Probe(const std::string& k) {
        std::ostringstream s;
        const AnimationSet& a = w->anim;
        if (k == "pos") s << V(w->position);
        if (k == "vel") s << V(w->velocity);
        if (k == "hp") s << w->health << "/" << w->maxHealth << (w->hitFlash ? " flash" : "");
        if (k == "hurt") s << w->health << " " << w->hurtTimer << " " << w->gravity << " ";
        if (k == "sfx") s << w->noCollide << o->noCollide;
        if (k == "anim")
            s << a.currentAnimation << " " << a.currentFrame << " " << a.frameTick << " " << a.loopCount << " "
              << a.paletteIndex << " " << a.frameWidth << "x" << a.frameHeight;
        if (k == "parent") s << Label(w->parent);
        if (k == "speed") s << w->speed << " " << w->walkSpeed << " " << hero->speed << " " << hero->walkSpeed;
        if (k == "game")
            s << game().quit << " " << game().fade.mode << " [" << world().nextStage << "] " << game().flow.pendingHealth;
        for (ObjectHandle h : world().foregroundList) s << (k == "fg" ? Label(world().FromHandle(h)) + " " : "");
        if (k == "hurt" || k == "sounds")
            for (const SoundRequest& r : sounds) s << r.name << " " << r.channel << " " << r.loops << "|";
        if (k[0] == '@') {
            const GameObject& b = world().List(k.substr(1)).back();
            s << b.name << " " << b.direction << " " << V(b.velocity) << " " << V(b.position) << " "
              << b.anim.paletteIndex << " " << b.dieOnWall;
        }
        return s.str();
    }

    std::string Snapshot() {
        std::string out;
        for (const char* key : {"pos", "vel", "hp", "hurt", "sfx", "anim", "parent", "speed", "fg", "game"})
            out += Probe(key) + ";";
        out += std::to_string(w->power) + " " + std::to_string(w->direction);
        for (const auto& list : world().lists) out += list.first + std::to_string(list.second.size());
        for (const auto& queue : world().removalQueues) out += std::to_string(queue.size());
        return out;
    }
    GameObject* hero = nullptr;
    GameObject* w = nullptr;
    GameObject* o = nullptr;
};

// A chunk, R(...) of what it returns, and a probe of what it changed.
struct Row {
    const char *lua, *results, *probe, *value;
};

const Row kRows[] = {
    // CreateObject: centred on the owner's leading edge, level with its centre, one step back.
    {"return CreateObject(w, 'Shot', 'EnemyWeapons', 3, 2, -1, false)", "1 h", "@EnemyWeapons",
     "Shot -1 (3,0) (93,62) 0.0625 0"},
    {"SetDirection(w, -1) return CreateObject(w, 'Shot', 'EnemyWeapons', 2.5, 0, 1, 0)", "1 h", "@EnemyWeapons",
     "Shot -1 (2.5,0) (109.5,62) 0 1"},
    {"return CreateObject(w, 'Shot', 'EnemyWeapons', 1, 0, 1.9)", "1 h", "@EnemyWeapons", "Shot 1 (-1,0) (97,62) 0 0"},
    {"return CreateObject(w, nil, {})", "1 h", "@", " 0 (-0,0) (100,66) 0 0"},
    {"MoveObject(w) return OffsetObject(w, 1.5, -2)", "0", "pos", "(101.5,48)"},
    {"MoveObject(w, 3, 1) SetDirection(w, -1) return MoveObject(w, 1, 1)", "0", "pos", "(102,52)"},
    {"local a = GetPower(w) SetPower(w, '2.5') local b = GetPower(w) SetPower(o, {}) return a, b, GetPower(o)",
     "3 1 2.5 0", "pos", "(100,50)"},
    {"return GetName(w), GetName(w + 0.5), GetLifetime(w)", "3 Walker Walker 0", "pos", "(100,50)"},
    {"SetPalette(w, 31) return GetPalette(w), GetPalette(CreateObject(w, 'Walker', 'Enemies', 0, -1, 1))",
     "2 31 -1", "anim", "0 0 0 0 0.96875 16x32"},
    {"SetPalette(w, -7) local a = GetPalette(w) SetPalette(w, 2.9) local b = GetPalette(w) SetPalette(w, -2.9) "
     "local c = GetPalette(w) SetPalette(w, 2147483647) return a, b, c, GetPalette(w)",
     "4 -7 2 -2 0", "anim", "0 0 0 0 6.71089e+07 16x32"},
    {"AddHealth(w, -6) AddHealth(w, 4) local a = GetHealth(w) AddHealth(w, 100) local b = GetHealth(w) "
     "return a, b, AddHealth(w, -30)", "2 18 20", "hp", "-10/20"},  // capped, no floor
    {"SetHealth(w, 7.5) return AddHealth(w, 1)", "0", "hp", "7.5/7.5"},
    {"SetHealth(w, '12') local a = GetHealth(w) SetHealth(w, 'lots') return a, GetHealth(w)", "2 12 0", "hp", "0/0"},
    {"TakeDamage(w, 0) return TakeDamage(w, 1e-50)", "0", "hp", "20/20"},
    {"return TakeDamage(w, -5)", "0", "hp", "25/20 flash"},
    {"return TakeDamage(w, 2.5)", "0", "hp", "17.5/20 flash"},
    {"SetSFX(o, '') return SetSFX(w, 0)", "0", "sfx", "11"},
    {"SetSFX(w, 1) SetSFX(w) SetSFX(o, 1) return SetSFX(o, false)", "0", "sfx", "00"},
    {"AddFGObject(w) AddFGObject(o) return AddFGObject(w)", "0", "fg", "w o w "},
    {"AddFGObject(w) AddFGObject(o) AddFGObject(w) RemoveFGObject(w) return RemoveFGObject(w)", "0", "fg", "o "},
    {"return DamagePlayer(w, 3)", "0", "hurt", "17 73 0 VO_PL00\\ROOK_DAMAG1.WAV 2 0|"},
    {"DamagePlayer(w, 3) return DamagePlayer(w, 2.5)", "0", "hurt",
     "14.5 73 0 VO_PL00\\ROOK_DAMAG1.WAV 2 0|VO_PL00\\ROOK_DAMAG2.WAV 2 0|"},
    {"DamagePlayer(w, 0) DamagePlayer(w, -2) return DamagePlayer(w)", "0", "hurt", "20 0 1 "},
    {"AddPlayerHealth(4) FadeToStage('Stage 2') return Quit()", "0", "game", "1 2 [Stage 2] 4"},
    {"AddPlayerHealth(4) AddPlayerHealth(2.5) FadeToStage('x') return FadeToStage()", "0", "game", "0 2 [] 2.5"},
    {"AddPlayerHealth(4) return AddPlayerHealth()", "0", "game", "0 0 [] 0"},
    // The first object of "Player" is the hero, at x 140.5.
    {"CreateObject(w, 'Rook', 'Player', 0, 0, 1) return PlayerDistanceX(w)", "1 -40.5", "pos", "(100,50)"},
    {"return GetPlayer() == hero, GetName(GetPlayer())", "2 true Rook", "pos", "(100,50)"},
    // Walk's first frame lasts 3 ticks (0 to 2), the others 2; it loops to frame 1.
    {"return IsPlaying(w, 'Stand'), IsPlaying(w, 'Walk'), IsPlaying(w), AnimationLoops(w), EndOfAnimation(w)",
     "5 true false false 0 false", "anim", "0 0 0 0 0 16x32"},
    {"ChangeAnimation(w, 'Walk') Tick(w, 2) ChangeAnimation(w, 'Stand') return ChangeAnimation(w, 'Walk')", "0",
     "anim", "1 0 0 0 0 16x32"},
    {"ChangeAnimation(w, 'Walk') Tick(w, 4) ChangeAnimation(w, 'Walk') ChangeAnimation(w, 'Run') "
     "ChangeAnimation(w) ChangeAnimation(w, {}) return IsPlaying(w, 'Run')", "1 false", "anim", "1 1 2 0 0 16x32"},
    {"ChangeAnimation(w, 'Walk') Tick(w, 6) local a, b = EndOfAnimation(w), AnimationLoops(w) Tick(w, 1) "
     "return a, b, EndOfAnimation(w), AnimationLoops(w), HitFrame(w, 2)",
     "5 false 0 true 1 true", "anim", "1 1 1 1 0 16x32"},
    {"ChangeAnimation(w, 'Walk') Tick(w, 11) return AnimationLoops(w)", "1 2", "anim", "1 1 1 2 0 16x32"},
    {"ChangeAnimation(w, 'Walk') local a = HitFrame(w, 1) Tick(w, 1) "
     "return a, HitFrame(w, 1), HitFrame(w, 0), HitFrame(w, 2), HitFrame(w, -2147483648), HitFrame(w, 1.9)",
     "6 false true false false false true", "anim", "1 0 1 0 0 16x32"},
    {"ChangeAnimation(w, 'Walk') Tick(w, 2) local a = HitFrame(w, 1) Tick(w, 1) return a, HitFrame(w), "
     "HitFrame(w, 2), HitFrame(w, 2.9)", "4 false false true true", "anim", "1 1 1 0 0 16x32"},
    {"SetPalette(w, 5) ChangeAnimation(w, 'Walk') SetTexture(w, 'Effects\\\\Spark') return IsPlaying(w, 'Burst')",
     "1 true", "anim", "0 0 0 0 0 24x24"},
    {"return SetTexture(w, 'Spark')", "0", "anim", "0 0 0 0 0 0x0"},  // used as given: no prefix
    {"SetPalette(w, 7) Tick(w, 1) ChangeAnimation(o, 'Walk') Tick(o, 4) SetPalette(o, 3) return CopyAnimation(w, o)",
     "0", "anim", "1 1 2 1 0.21875 16x32"},
    {"return SetVelocity(w, 1.25, -3)", "0", "vel", "(1.25,-3)"},
    {"SetVelocity(w, 1.5, -2) OffsetObject(w, 0.25, 0) local vx, vy = GetVelocity(w) return vx, vy, GetPosition(w)", "4 1.5 -2 100.25 50",
     "vel", "(1.5,-2)"},
    {"SetVelocity(w, 1, 1) SetVelocity(w, 'fast', print) return SetVelocity(w, '1.5')", "0", "vel", "(1.5,0)"},
    {"SetDirection(w, -1.9) local a = GetDirection(w) SetDirection(w, {}) local b = GetDirection(w) "
     "SetDirection(w, '-3') local c = GetDirection(w) SetDirection(w, 2.9) return a, b, c, GetDirection(w)",
     "4 -1 0 -3 2", "pos", "(100,50)"},
    {"SetSpeed(w, 3) return SetSpeed(hero, 1.5)", "0", "speed", "3 3 2 1.5"},  // the hero is dashing
    {"return FireWeapon(m)", "1 h", "@PlayerWeapons", "Pellet 1 (-4,0) (200,108) 0 1"},
    {"return FireWeapon(w)", "0", "pos", "(100,50)"},  // w has no weapon
    {"return SetParent(w, o)", "0", "parent", "o"},
    {"SetParent(w, o) return SetParent(w, 0)", "0", "parent", "none"},
    {"SetParent(w, o) return SetParent(w, stale)", "0", "parent", "none"},
    {"return PlaySound('SE_PL00\\\\ROOK_Jump.WAV')", "0", "sounds", "SE_PL00\\ROOK_Jump.WAV -1 0|"},
    {"PlaySound() PlaySound({}) return PlaySound(12)", "0", "sounds", " -1 0| -1 0|12 -1 0|"},
};

TEST_F(ScriptApi, EveryFunctionThroughTheLuaState) {
    EXPECT_EQ(Eval("#names"), "39");
    for (const Row& r : kRows) {
        SCOPED_TRACE(r.lua);
        Fresh();
        EXPECT_EQ(Eval("R((function() " + std::string(r.lua) + " end)())"), r.results);
        EXPECT_EQ(Probe(r.probe), r.value);
    }
    world().ClearList("Player");  // no hero
    EXPECT_EQ(Eval("R(PlayerDistanceX(w), GetPlayer())"), "2 99999 0");
    // However many objects follow, a removed one's handle stays dead, also
    // once every object around it is gone, and numbers next to real handles
    // name nothing.
    std::vector<ObjectHandle> crowd;
    for (int i = 0; i < 2500; ++i) crowd.push_back(Make("Walker", "Misc")->handle);
    world().ClearList("Misc");
    const GameObject* last = Make("Walker", "Enemies");
    Lua("first, middle, last = " + std::to_string(crowd.front()) + ", " + std::to_string(crowd[1500]) + ", " +
        std::to_string(last->handle));
    EXPECT_EQ(Eval("R(GetName(stale), GetName(w + 65536), GetName(w - 65536), GetName(o - 1), GetName(first), "
                   "GetName(middle), GetName(w), GetName(last))"),
              "8 nil nil nil nil nil nil Walker Walker");
    EXPECT_EQ(world().FromHandle(last->handle), last);
}

// A mistake prints one line naming the script's place, once; the call goes
// on as designed.
TEST_F(ScriptApi, MistakesAreNamedOnce) {
    Fresh();
    const struct { const char *lua, *lines; } rows[] = {
        {"SetHealth(w)", "test:1: SetHealth: argument 2: number expected, got no value\n"},
        {"SetHealth(w) SetHealth(w, {})", "test:1: SetHealth: argument 2: number expected, got table\n"},
        {"ChangeAnimation('Walk')", "test:1: ChangeAnimation: argument 1: number expected, got string\n"
                                    "test:1: ChangeAnimation: argument 2: string expected, got no value\n"},
        {"SetHealth(12345, 2)", "test:1: SetHealth: argument 1: the handle 12345 names no live object\n"},
        {"\nChangeAnimation(w, 'Wlak')", "test:2: ChangeAnimation: Walker has no animation \"Wlak\" (it has Fall, Stand, Walk)\n"},
        {"return IsPlaying(w, 'Run')", "test:1: IsPlaying: Walker has no animation \"Run\" (it has Fall, Stand, Walk)\n"},
        {"SetTexture(w, 'Spark')", "Cannot load texture: Spark\n  neither data/objects/Spark.anim nor data/img/Spark.png exists\n"
                                   "test:1: SetTexture: the sprite set \"Spark\" has no animations (the name is used as "
                                   "written, without a folder)\n"},
        {"CreateObject(w, 'Shot', 'EnemyWeapons', 1, 0, 1) SetParent(w, 0) FadeToStage() SetHealth(w, '12') SetSFX(w)", ""},
    };
    for (const auto& r : rows) {
        testing::internal::CaptureStdout();
        Lua(r.lua);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), r.lines) << r.lua;
    }
    EXPECT_EQ(Probe("hp"), "12/12");
    EXPECT_EQ(Probe("anim"), "0 0 0 0 0 0x0");  // Spark, empty
}

// 0, a removed object, made-up numbers and other types: nothing happens and
// nothing is returned.
TEST_F(ScriptApi, HandlesThatNameNoObjectDoNothing) {
    Fresh();
    hero->health = 5.0f;  // a stray AddHealth would cap it
    const std::string before = Snapshot();
    Lua(R"(
      results = 0
      local noHandle = {Kill = 1, Quit = 1, GetPlayer = 1, PlaySound = 1, FadeToStage = 1, AddPlayerHealth = 1}
      for _, h in ipairs({0, stale, w + 8, hero + 1, 12345, -1, 0.5, 'x', {}, print, false}) do
        if h == false then h = nil end
        for _, n in ipairs(names) do
          if not noHandle[n] then results = results + select('#', _G[n](h, w, 'EnemyWeapons', 3, 3, 3, true)) end
        end
        results = results + select('#', CopyAnimation(w, h))
      end
    )");
    EXPECT_EQ(Eval("results"), "0");
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(hero->health, 5.0f);
}

}  // namespace
