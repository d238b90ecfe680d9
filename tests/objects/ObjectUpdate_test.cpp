// The per-frame update: the ten passes, the pairs that meet and the hooks of
// one object of every category, frame by frame; one frame of creations,
// deaths, removals, gravity, parents and the view window; the drop table draw
// by draw; the box test.
#include <limits>
#include <sstream>

#include "core/Random.h"
#include "support/TestWorld.h"

namespace {

std::vector<int> gDraws;  // the next draws; past them n - 1, which never drops an item
std::string gAsked;       // the n of every draw

class ObjectUpdate : public TestWorld {
protected:
    void SetUp() override {
        for (const char* set : {"Items/Gem", "Enemies/Spit", "Enemies/Foe", "Player/Ghost", "Player/Pellet",
                                "Player/Hero", "Effects/Boom", "Effects/Glow", "Effects/Orb", "Thing", "Rock",
                                "Weed", "Enemies/Doomed", "Player/Bolt", "Items/HealthSm", "Items/HealthMed"})
            Set(set, "32 32 8 8 24 32\nStand 1 99 0\n");
        gDraws.clear();
        gAsked.clear();
        SetRandomSource([](int n) {
            gAsked += std::to_string(n) + " ";
            const int draw = gDraws.empty() ? n - 1 : gDraws.front();
            if (!gDraws.empty()) gDraws.erase(gDraws.begin());
            return draw;
        });
    }
    void TearDown() override { SetRandomSource(nullptr); }

    GameObject* At(const char* name, const char* category, float x, float y) {
        GameObject* o = Make(name, category);
        o->position = Vector2(x, y);
        return o;
    }
    std::string Show(const std::string& category, bool lifetimes) {
        std::ostringstream out;
        for (GameObject* o : Objects(category))
            lifetimes ? out << o->lifetime << " " : out << o->position.x << "," << o->position.y << " ";
        return out.str();
    }
};

// Every hook of every object notes itself: the name, a letter for the hook
// (Create +, HitGround G, Update U, OnFrame0 F, Collide C, Death D), "!" if
// the first argument is not the object itself, and ">" and the other object.
const char* const kLogger = R"(
local letters = {Create = '+', HitGround = 'G', Update = 'U', OnFrame0 = 'F', Collide = 'C', Death = 'D'}
for _, n in ipairs({'Gem', 'Spit', 'Foe', 'Ghost', 'Pellet', 'Hero', 'Boom', 'Glow', 'Orb', 'Thing'}) do
  for s, letter in pairs(letters) do
    _G[n .. s] = function(self, ...)
      local entry = n .. letter .. (GetName(self) == n and '' or '!')
      for i = 1, select('#', ...) do entry = entry .. '>' .. GetName((select(i, ...))) end
      log[#log + 1] = entry
    end
  end
end
local collide = GemCollide
function GemCollide(self, other) collide(self, other) Kill() end  -- the hero's pass: queues the hero
log = {}
)";

TEST_F(ObjectUpdate, TenPassesMeetEachPairOnceFromTheLaterSide) {
    Lua(kLogger);
    GameObject* hero = At("Hero", "Player", 100.0f, 100.0f);
    std::istringstream cast("Gem Items Spit EnemyWeapons Foe Enemies Ghost PlayerBGFX Pellet PlayerWeapons "
                            "Boom EnemyFX Glow PlayerFXBack Orb PlayerFX");
    for (std::string name, category; cast >> name >> category;) At(name.c_str(), category.c_str(), 100.0f, 100.0f);
    At("Thing", "Misc", 300.0f, 128.0f)->airborne = 1;  // lands on the floor this frame: a hit, so it dies
    Objects("PlayerFXBack")[0]->parent = hero;  // kept while others are removed
    Floor(10, 17, 21);
    world().camera = Vector2(100.0f, 100.0f);
    EXPECT_EQ(Eval("table.concat(log, ' ')"), "Hero+ Gem+ Spit+ Foe+ Ghost+ Pellet+ Boom+ Glow+ Orb+ Thing+");
    Lua("foe, hero = " + Handle(Objects("Enemies")[0]) + ", " + Handle(hero));
    const struct { const char *before, *log; } frames[] = {
        {"", "GemU GemF SpitU SpitF FoeU FoeF GhostU GhostF PelletU PelletF PelletC>Foe FoeC>Pellet HeroU HeroF "
             "HeroC>Foe FoeC>Hero HeroC>Spit SpitC>Hero HeroC>Gem GemC>Hero BoomU BoomF GlowU GlowF OrbU OrbF "
             "ThingG ThingU ThingF ThingD"},
        {"SetSFX(foe, 0) DamagePlayer(hero, 1)",  // neither a hurt hero nor a flagged foe is tested or registered
         "GemU SpitU FoeU GhostU PelletU HeroU BoomU GlowU OrbU"},
        {"SetSFX(foe, false) SetHealth(foe, 0) SetHealth(hero, -1)",
         "GemU SpitU FoeU GhostU PelletU PelletC>Foe FoeC>Pellet HeroU BoomU GlowU OrbU FoeD HeroD"},
        {"", "GemU SpitU GhostU PelletU HeroU BoomU GlowU OrbU"},
    };
    for (const auto& frame : frames) {
        SCOPED_TRACE(frame.before);
        Lua(std::string(frame.before) + " log = {}");
        world().UpdateAllObjects();
        EXPECT_EQ(Eval("table.concat(log, ' ')"), frame.log);
        for (const auto& queue : world().removalQueues) EXPECT_TRUE(queue.empty());
    }
    EXPECT_EQ(Played("SE_PL00\\ROOK_E_DAMA.WAV"), 2);  // the shot's meetings only
    EXPECT_EQ(sounds[0].channel, -1);
    EXPECT_EQ(Objects("PlayerFXBack")[0]->parent, hero);
    EXPECT_FALSE(world().heroAlive);
}

TEST_F(ObjectUpdate, AFrameOfCreationsDeathsGravityAndTheView) {
    world().camera = Vector2(160.0f, 120.0f);
    Lua(R"(
      function SpitUpdate(self)  -- the same list: updated in this pass; an earlier list: waits
        if GetLifetime(self) > 0 then return end
        CreateObject(self, 'Spit', 'EnemyWeapons') CreateObject(self, 'Gem', 'Items') CreateObject(self, 'Pellet', 'PlayerWeapons')
      end
      function WeedUpdate(self) CreateObject(self, 'Weed', 'Misc') end
      deaths = ''
      function DoomedUpdate(self) Kill() Kill() SetHealth(self, 0) end  -- queued three times: erased once
      function DoomedDeath(self)
        Kill()  -- outside a pass: nothing
        deaths = deaths .. 'Doomed '
        if reborn then return end
        reborn = CreateObject(self, 'Boom', 'EnemyFX', 0, 0, 1, false)  -- looked at later in this pass
        SetHealth(CreateObject(self, 'Doomed', 'Enemies', 0, 0, 1, false), 0)  -- waits for the next frame
      end
      function BoltDeath(self) deaths = deaths .. 'Bolt ' end
      function FoeDeath(self) deaths = deaths .. 'Foe ' end
    )");
    At("Spit", "EnemyWeapons", 250.0f, 40.0f);
    At("Weed", "Misc", 0.0f, 0.0f);
    GameObject* doomed = At("Doomed", "Enemies", 50.0f, 60.0f);
    doomed->velocity = Vector2(10.0f, 0.0f);
    GameObject* orb = At("Orb", "PlayerFX", 0.0f, 0.0f);
    orb->parent = doomed;
    orb->parentOffset = Vector2(5.0f, 6.0f);
    GameObject* rock = At("Rock", "Misc", 600.0f, 0.0f);
    GameObject* fast = At("Rock", "Misc", 700.0f, 0.0f);
    rock->gravity = fast->gravity = true;
    fast->velocity.y = 5.9f;
    // The view reaches 168 and 128 pixels around the camera, edges included;
    // leaving it frees the placement, silently, even when dead too.
    const float spots[][2] = {{328, 100}, {328.5f, 100}, {-40, 100}, {-40.5f, 100},
                              {100, 248}, {100, 248.5f}, {-10, -40}, {-10, -40.5f}};
    world().stage.enemyPlacements.assign(8, EnemyPlacement{"Foe", Vector2(), true});
    for (int i = 0; i < 8; ++i) At("Foe", "Enemies", spots[i][0], spots[i][1])->placementIndex = i;
    Objects("Enemies")[2]->health = -1.0f;
    At("Boom", "EnemyFX", 328.5f, 100.0f);  // effects never leave the view
    // A wall at column 10; a hero shot and an enemy (of no placement in the list) run into it.
    for (int row : {6, 7, 12, 13}) Cell(10, row);
    At("Bolt", "PlayerWeapons", 132.0f, 100.0f)->velocity = Vector2(4.0f, 0.0f);
    GameObject* walker = At("Foe", "Enemies", 132.0f, 200.0f);
    walker->velocity = Vector2(4.0f, 0.0f);
    walker->placementIndex = 8;

    world().UpdateAllObjects();
    EXPECT_EQ(Show("EnemyWeapons", true), "1 1 0 ");
    EXPECT_EQ(Show("Items", true), "0 0 ");
    EXPECT_EQ(Show("PlayerWeapons", true), "1 1 ");  // the Bolt is gone
    EXPECT_EQ(Show("Misc", true), "1 1 1 1 0 ");    // the weed, rocks, and two generations of weeds
    EXPECT_EQ(Show("Enemies", false), "328,100 -40,100 100,248 -10,-40 44,60 ");
    std::string spawned;
    for (const EnemyPlacement& p : world().stage.enemyPlacements) spawned += p.spawned ? "1" : "0";
    EXPECT_EQ(spawned, "10101010");
    EXPECT_EQ(Objects("EnemyFX").size(), 2u);
    EXPECT_EQ(Objects("EnemyFX")[1]->health, 20.0f);
    EXPECT_EQ(Eval("deaths"), "Doomed Foe Bolt ");
    EXPECT_EQ(gAsked, "4 4 ");  // a drop roll for each enemy killed
    EXPECT_EQ(Played("SE_PL00\\ROOK_E_DAMA.WAV"), 1);
    EXPECT_EQ(orb->parent, nullptr);  // followed its parent's last move, then stays
    EXPECT_EQ(orb->position, Vector2(65.0f, 66.0f));
    EXPECT_EQ(rock->velocity.y, 0.25f);
    EXPECT_FLOAT_EQ(fast->velocity.y, 6.15f);
    EXPECT_FLOAT_EQ(fast->position.y, 6.15f);

    world().UpdateAllObjects();
    EXPECT_EQ(Show("Misc", true), "2 2 2 2 1 1 1 1 0 0 0 ");
    EXPECT_EQ(Eval("deaths"), "Doomed Foe Bolt Doomed ");
}

TEST_F(ObjectUpdate, TheDropTableDrawByDraw) {
    // The draws, the n asked for, the item: name, position, velocity, gravity, dieOnWall, palette, health.
    const struct { std::vector<int> draws; const char *asked, *item; } rows[] = {
        {{1}, "4 ", ""}, {{3}, "4 ", ""}, {{0, 4}, "4 8 ", ""}, {{0, 6}, "4 8 ", ""},
        {{0, 0}, "4 8 ", "HealthSm 136,122 0,-6 1 0 -0.03125 20"}, {{0, 3}, "4 8 ", "HealthSm 136,122 0,-6 1 0 -0.03125 20"},
        {{0, 7}, "4 8 ", "HealthMed 136,122 0,-6 1 0 -0.03125 20"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.asked + std::string(r.item));
        gDraws = r.draws;
        gAsked.clear();
        At("Foe", "Enemies", 120.0f, 90.0f)->health = 0.0f;
        world().ProcessDeaths({Category::Enemies, Category::Items});
        world().RemoveQueued();  // the new item is looked at after the enemies and left alone
        std::ostringstream item;
        for (GameObject* i : Objects("Items"))
            item << i->name << " " << Show("Items", false) << i->velocity.x << "," << i->velocity.y << " "
                 << i->gravity << " " << i->dieOnWall << " " << i->anim.paletteIndex << " " << i->health;
        EXPECT_EQ(item.str(), r.item);
        EXPECT_EQ(gAsked, r.asked);
        world().ClearList("Items");
    }
}

TEST(Overlap, TouchingBoxesMeetAndBothVelocitiesWidenTheTest) {
    auto box = [](float x, float y, float vx, float vy) {
        GameObject o(Vector2(x, y), AnimationSet());
        o.anim.right = o.anim.bottom = 10;
        o.velocity = Vector2(vx, vy);
        return o;
    };
    const float inf = std::numeric_limits<float>::infinity();
    const struct { float x, y, vx, vy; bool meet; } rows[] = {
        {10, 0, 0, 0, true},  {11, 0, 0, 0, false}, {10.9f, 0, 0, 0, true}, {-10, 0, 0, 0, true},
        {-11, 0, 0, 0, false}, {0, 10, 0, 0, true},  {0, 11, 0, 0, false},   {0, -10, 0, 0, true},
        {0, -11, 0, 0, false}, {11, 0, 1, 0, true},  {12, 0, 1, 0, false},   {10, 0, -1, 0, false},
        {-11, 0, -1, 0, true}, {-12, 0, -1, 0, false}, {0, 13, 0, 3, true},  {0, 14, 0, 3, false},
        {0, -13, 0, -3, true}, {0, -14, 0, -3, false}, {3.0e38f, 0, 0, 0, false}, {inf, 0, 0, 0, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.x << ", " << r.y << " moving " << r.vx << ", " << r.vy);
        EXPECT_EQ(Overlap(box(0, 0, 0, 0), box(r.x, r.y, r.vx, r.vy)), r.meet);
        EXPECT_EQ(Overlap(box(0, 0, r.vx / 2, r.vy / 2), box(r.x, r.y, r.vx / 2, r.vy / 2)), r.meet);
    }
}

}  // namespace

// A frame's hook is named after its number, also past the names a type
// keeps ready; an object without a type builds the name itself.
TEST_F(ObjectUpdate, FrameHooksAreNamedByTheirFrameNumber) {
    Set("Effects/Reel", "32 32 8 8 24 32\nSpin 400 1 0\n");
    Lua("log = {} for _, n in ipairs({3, 255, 256, 399}) do"
        "  _G['ReelOnFrame' .. n] = function() log[#log + 1] = n end _G['LooseOnFrame' .. n] = _G['ReelOnFrame' .. n] end");
    GameObject* reel = At("Reel", "PlayerFX", 100.0f, 100.0f);
    GameObject loose(Vector2(100.0f, 100.0f), reel->anim);
    loose.name = "Loose";
    world().List("PlayerFX").push_back(loose);
    for (int frame : {2, 254, 255, 398}) {
        for (GameObject& o : world().List("PlayerFX")) o.anim.currentFrame = frame, o.anim.frameTick = 1;
        world().UpdateAllObjects();
    }
    EXPECT_EQ(Eval("table.concat(log, ' ')"), "3 3 255 255 256 256 399 399");
}
