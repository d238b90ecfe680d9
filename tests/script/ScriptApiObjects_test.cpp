// Script functions on objects: creation, movement, naming, links, weapons,
// Kill, and the checking of every handle a script passes.
#include <algorithm>

#include "ScriptFixture.h"

namespace {

TEST_F(ScriptTest, CreateObjectPlacesTheNewObjectFromItsOwner) {
    GameObject* owner = Make("Walker", "Enemies");  // 16 x 32
    owner->position = Vector2(100.0f, 50.0f);
    SetHandle("owner", owner);
    ASSERT_TRUE(Run(R"lua(
        function ShotCreate(self) createdName = GetName(self) end
        first = CreateObject(owner, "Shot", "EnemyWeapons", 3, 2, -1, false)
        SetDirection(owner, -1)
        second = CreateObject(owner, "Shot", "EnemyWeapons", 2.5, 0, 1, 0)
        third = CreateObject(owner, "Shot", "EnemyWeapons", 1, 0, 1)
    )lua"));
    ObjectList& shots = world().List("EnemyWeapons");
    ASSERT_EQ(shots.size(), 3u);
    auto shot = shots.begin();
    const GameObject& first = *shot++;
    const GameObject& second = *shot++;
    const GameObject& third = *shot;
    EXPECT_EQ(Number("first"), static_cast<double>(World::ToHandle(&first)));
    EXPECT_EQ(Number("second"), static_cast<double>(World::ToHandle(&second)));
    EXPECT_EQ(String("createdName"), "Shot");

    // Facing +1: centred on the owner's left edge, level with its centre,
    // then one velocity step back.
    EXPECT_EQ(first.name, "Shot");
    EXPECT_EQ(first.direction, -1);
    EXPECT_EQ(first.velocity, Vector2(3.0f, 0.0f));
    EXPECT_EQ(first.position, Vector2(93.0f, 62.0f));
    EXPECT_EQ(first.anim.paletteIndex, 2.0f / 32.0f);
    EXPECT_FALSE(first.dieOnWall);

    // Facing -1: centred on the owner's right edge; 0 is a true flag.
    EXPECT_EQ(second.direction, -1);
    EXPECT_EQ(second.velocity, Vector2(2.5f, 0.0f));
    EXPECT_EQ(second.position, Vector2(109.5f, 62.0f));
    EXPECT_TRUE(second.dieOnWall);

    // A missing flag is false.
    EXPECT_EQ(third.direction, -1);
    EXPECT_FALSE(third.dieOnWall);
}

TEST_F(ScriptTest, CreateObjectWithoutAnOwnerCreatesNothing) {
    EXPECT_EQ(Results("CreateObject(0, 'Shot', 'EnemyWeapons', 1, 0, 1, true)"), 0);
    EXPECT_TRUE(world().List("EnemyWeapons").empty());
}

TEST_F(ScriptTest, MovesFieldsAndFlags) {
    GameObject* walker = Make("Walker", "Enemies");
    walker->position = Vector2(10.0f, 20.0f);
    walker->lifetime = 42;
    SetHandle("w", walker);
    ASSERT_TRUE(Run("OffsetObject(w, 1.5, -2)"));
    EXPECT_EQ(walker->position, Vector2(11.5f, 18.0f));
    ASSERT_TRUE(Run("MoveObject(w, 3, 1)"));  // along the facing
    EXPECT_EQ(walker->position, Vector2(14.5f, 19.0f));
    ASSERT_TRUE(Run("SetDirection(w, -1) MoveObject(w, 3, 1)"));
    EXPECT_EQ(walker->position, Vector2(11.5f, 20.0f));

    EXPECT_EQ(Number("GetPower(w)"), 1.0);
    ASSERT_TRUE(Run("SetPower(w, 2.5) SetVelocity(w, 1.25, -3)"));
    EXPECT_EQ(walker->power, 2.5f);
    EXPECT_EQ(walker->velocity, Vector2(1.25f, -3.0f));
    EXPECT_EQ(String("GetName(w)"), "Walker");
    EXPECT_EQ(Number("GetLifetime(w)"), 42);
    ASSERT_TRUE(Run("SetDirection(w, -1.9)"));  // ints truncate toward zero
    EXPECT_EQ(Number("GetDirection(w)"), -1);
    ASSERT_TRUE(Run("SetDirection(w, 2.9)"));
    EXPECT_EQ(walker->direction, 2);

    // SetSFX follows Lua truth: 0 and '' are true.
    const std::pair<const char*, bool> sfx[] = {{"0", true},   {"false", false}, {"''", true},
                                                {"", false},   {"true", true},   {"nil", false}};
    for (const auto& c : sfx) {
        ASSERT_TRUE(Run(std::string("SetSFX(w") + (*c.first ? ", " : "") + c.first + ")"));
        EXPECT_EQ(walker->noCollide, c.second) << c.first;
    }

    // SetSpeed leaves the speed alone while dashing.
    GameObject* rook = Make("Rook", "Player");
    SetHandle("rook", rook);
    ASSERT_TRUE(Run("SetSpeed(rook, 3)"));
    EXPECT_EQ(rook->speed, 3.0f);
    rook->dashTimer = 5;
    ASSERT_TRUE(Run("SetSpeed(rook, 1.5)"));
    EXPECT_EQ(rook->walkSpeed, 1.5f);
    EXPECT_EQ(rook->speed, 3.0f);
}

TEST_F(ScriptTest, ForegroundListAddsAndRemovesEveryEntry) {
    GameObject* walker = Make("Walker", "Enemies");
    GameObject* shot = Make("Shot", "EnemyWeapons");
    SetHandle("w", walker);
    SetHandle("s", shot);
    ASSERT_TRUE(Run("AddFGObject(w) AddFGObject(s) AddFGObject(w)"));
    const std::vector<ObjectHandle> all = {World::ToHandle(walker), World::ToHandle(shot),
                                           World::ToHandle(walker)};
    EXPECT_EQ(world().foregroundList, all);
    ASSERT_TRUE(Run("RemoveFGObject(w)"));
    EXPECT_EQ(world().foregroundList, std::vector<ObjectHandle>{World::ToHandle(shot)});
    ASSERT_TRUE(Run("RemoveFGObject(w)"));
    EXPECT_EQ(world().foregroundList, std::vector<ObjectHandle>{World::ToHandle(shot)});
}

TEST_F(ScriptTest, PlayerDistanceXMeasuresFromTheFirstHero) {
    GameObject* walker = Make("Walker", "Enemies");
    walker->position = Vector2(100.0f, 8.0f);
    SetHandle("w", walker);
    EXPECT_EQ(Number("PlayerDistanceX(w)"), 99999.0);
    GameObject* rook = Make("Rook", "Player");
    rook->position = Vector2(140.5f, 60.0f);
    EXPECT_EQ(Number("PlayerDistanceX(w)"), -40.5);
    Make("Rook", "Player")->position = Vector2(0.0f, 0.0f);
    EXPECT_EQ(Number("PlayerDistanceX(w)"), -40.5);
}

TEST_F(ScriptTest, GetPlayerGivesTheHerosHandleOrZero) {
    EXPECT_EQ(Results("GetPlayer()"), 1);
    EXPECT_EQ(Number("GetPlayer()"), 0);
    game().hero = Make("Rook", "Player");
    EXPECT_EQ(Number("GetPlayer()"), static_cast<double>(World::ToHandle(game().hero)));
    EXPECT_EQ(String("GetName(GetPlayer())"), "Rook");
}

TEST_F(ScriptTest, SetParentLinksAndZeroOrAGoneParentClears) {
    GameObject* walker = Make("Walker", "Enemies");
    GameObject* spark = Make("Spark", "EnemyFX");
    SetHandle("w", walker);
    SetHandle("spark", spark);
    ASSERT_TRUE(Run("SetParent(spark, w)"));
    EXPECT_EQ(spark->parent, walker);
    ASSERT_TRUE(Run("SetParent(spark, 0)"));
    EXPECT_EQ(spark->parent, nullptr);

    ASSERT_TRUE(Run("SetParent(spark, w)"));
    Remove(walker, "Enemies");
    EXPECT_EQ(spark->parent, nullptr);
    ASSERT_TRUE(Run("SetParent(spark, w)"));  // w is stale now
    EXPECT_EQ(spark->parent, nullptr);
}

TEST_F(ScriptTest, FireWeaponGivesTheShotOfTheShootersLevel) {
    game().hero = Make("Rook", "Player");
    WeaponDef level;
    level.objectName = "Pellet";
    level.speed = 4.0f;
    WeaponGroup gun;
    gun.name = "Test Gun";
    gun.levels.push_back(level);
    game().hero->weapons.push_back(gun);

    GameObject* muzzle = Make("Spark", "PlayerFX");
    muzzle->weaponIndex = 0;
    muzzle->weaponLevel = 1;
    SetHandle("muzzle", muzzle);
    ASSERT_TRUE(Run("shot = FireWeapon(muzzle)"));
    ObjectList& shots = world().List("PlayerWeapons");
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(Number("shot"), static_cast<double>(World::ToHandle(&shots.front())));
    EXPECT_EQ(shots.front().name, "Pellet");
    EXPECT_EQ(shots.front().velocity.x, -4.0f);

    muzzle->weaponLevel = 2;
    EXPECT_EQ(Results("FireWeapon(muzzle)"), 0);
    muzzle->weaponLevel = 1;
    muzzle->weaponIndex = 3;
    EXPECT_EQ(Results("FireWeapon(muzzle)"), 0);
    EXPECT_EQ(shots.size(), 1u);
}

TEST_F(ScriptTest, KillQueuesTheCurrentObjectOnly) {
    GameObject* walker = Make("Walker", "Enemies");
    ASSERT_TRUE(Run("Kill()"));  // outside a pass: no current object
    EXPECT_TRUE(world().removalQueues["Enemies"].empty());

    world().currentCategory = "Enemies";
    world().currentObject = walker;
    world().currentPosition = world().List("Enemies").begin();
    ASSERT_TRUE(Run("Kill()"));
    ASSERT_EQ(world().removalQueues["Enemies"].size(), 1u);
    EXPECT_EQ(&*world().removalQueues["Enemies"].front(), walker);
    world().currentObject = nullptr;
    world().RemoveQueued();
    EXPECT_TRUE(world().List("Enemies").empty());
}

// Every function that takes a handle, called with handles that name no live
// object: each does nothing and returns nothing.
TEST_F(ScriptTest, UnknownHandlesActLikeZero) {
    game().hero = Make("Rook", "Player");
    GameObject* walker = Make("Walker", "Enemies");
    GameObject* gone = Make("Walker", "Enemies");
    SetHandle("w", walker);
    SetHandle("stale", gone);
    Remove(gone, "Enemies");
    SetHandle("inside", World::ToHandle(walker) + 8);
    SetHandle("elsewhere", reinterpret_cast<ObjectHandle>(&game()));
    const Vector2 position = walker->position;
    const float health = walker->health;
    walker->anim.ChangeAnimation("Walk");
    walker->anim.Advance();

    ASSERT_TRUE(Run(R"lua(
        calls = {
            function(h) return CreateObject(h, "Shot", "EnemyWeapons", 1, 0, 1, true) end,
            function(h) return OffsetObject(h, 1, 1) end,
            function(h) return MoveObject(h, 1, 1) end,
            function(h) return AddHealth(h, 1) end,
            function(h) return GetPower(h) end,
            function(h) return SetPower(h, 9) end,
            function(h) return GetName(h) end,
            function(h) return SetPalette(h, 3) end,
            function(h) return GetPalette(h) end,
            function(h) return SetHealth(h, 3) end,
            function(h) return TakeDamage(h, 3) end,
            function(h) return GetHealth(h) end,
            function(h) return SetSFX(h, true) end,
            function(h) return AddFGObject(h) end,
            function(h) return RemoveFGObject(h) end,
            function(h) return DamagePlayer(h, 3) end,
            function(h) return PlayerDistanceX(h) end,
            function(h) return ChangeAnimation(h, "Stand") end,
            function(h) return EndOfAnimation(h) end,
            function(h) return IsPlaying(h, "Walk") end,
            function(h) return AnimationLoops(h) end,
            function(h) return HitFrame(h, 1) end,
            function(h) return GetLifetime(h) end,
            function(h) return SetVelocity(h, 1, 1) end,
            function(h) return SetTexture(h, "Effects\\Spark") end,
            function(h) return CopyAnimation(h, w) end,
            function(h) return CopyAnimation(w, h) end,
            function(h) return GetDirection(h) end,
            function(h) return SetDirection(h, -1) end,
            function(h) return SetSpeed(h, 9) end,
            function(h) return FireWeapon(h) end,
            function(h) return SetParent(h, w) end,
        }
        results = 0
        for _, h in ipairs({0, stale, inside, elsewhere, 12345, -1, 0.5}) do
            for _, call in ipairs(calls) do
                results = results + select('#', call(h))
            end
        end
    )lua"));
    EXPECT_EQ(Number("results"), 0);
    EXPECT_EQ(walker->position, position);
    EXPECT_EQ(walker->health, health);
    EXPECT_EQ(walker->anim.frameWidth, 16);
    EXPECT_EQ(walker->anim.frameTick, 1);
    EXPECT_EQ(walker->direction, 1);
    EXPECT_TRUE(world().foregroundList.empty());
    EXPECT_TRUE(world().List("EnemyWeapons").empty());
    EXPECT_TRUE(world().List("PlayerWeapons").empty());
    EXPECT_TRUE(sounds.empty());
    EXPECT_EQ(world().List("Enemies").size(), 1u);

    // A handle is read with truncation, so a fraction still names the object.
    SetHandle("w", walker);
    EXPECT_EQ(String("GetName(w + 0.5)"), "Walker");
}

TEST_F(ScriptTest, MissingAndWrongTypedArgumentsReadAsEmptyOrZero) {
    GameObject* walker = Make("Walker", "Enemies");
    SetHandle("w", walker);
    ASSERT_TRUE(Run("made = CreateObject(w, nil, {})"));
    ObjectList& unnamed = world().List("");
    ASSERT_EQ(unnamed.size(), 1u);
    EXPECT_EQ(unnamed.front().name, "");
    EXPECT_EQ(unnamed.front().velocity, Vector2(0.0f, 0.0f));
    EXPECT_EQ(unnamed.front().direction, 0);  // directionFactor read as 0

    ASSERT_TRUE(Run("SetDirection(w, {})"));
    EXPECT_EQ(walker->direction, 0);
    ASSERT_TRUE(Run("SetDirection(w, '-3')"));
    EXPECT_EQ(walker->direction, -3);
    ASSERT_TRUE(Run("SetVelocity(w, 'fast', print)"));
    EXPECT_EQ(walker->velocity, Vector2(0.0f, 0.0f));
    ASSERT_TRUE(Run("SetPower(w, '2.5')"));
    EXPECT_EQ(walker->power, 2.5f);
    EXPECT_EQ(lua_gettop(L()), 0);
}

}  // namespace
