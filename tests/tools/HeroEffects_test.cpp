// The demo's effect objects of the hero and of the stage opening, run
// through the real engine: their own descriptions and scripts copied from
// game/data/objects into a small data tree.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "objects/ObjectTestData.h"
#include "objects/Weapon.h"
#include "render/AnimationSet.h"

using objtest::DataTree;

namespace {

bool ReadTextFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    text = contents.str();
    return static_cast<bool>(in);
}

std::string GameFile(const std::string& relative) {
    std::string text;
    EXPECT_TRUE(ReadTextFile(GameDir() + "/" + relative, text)) << relative;
    return text;
}

// An object of the game as it is (".anim", ".lua", ".script" where there
// is one), over a blank sheet of `cells` frames in one row.
void CopyObject(DataTree& tree, const std::string& set, int cells) {
    const std::string anim = GameFile("data/objects/" + set + ".anim");
    AnimationSet parsed;
    ASSERT_TRUE(ParseAnimationDescription(anim, 1 << 20, parsed)) << set;
    tree.Set(set, anim, parsed.frameWidth * cells, parsed.frameHeight);
    for (const char* extension : {".lua", ".script"}) {
        std::string text;
        if (ReadTextFile(GameDir() + "/data/objects/" + set + extension, text))
            tree.File(set + extension, text);
    }
}

// A hero holding "Gun", whose three levels all shoot a still "Pea".
struct Stage {
    DataTree tree{"hero-effects"};
    GameObject* hero = nullptr;

    Stage() {
        tree.Set("Player/Rook",
                 "64 64 24 22 40 60 Stand 1 0 0 Dash 4 [3 2 4 0] 3 Slide 2 2 1 DashEnd 1 2 0",
                 64 * 8, 64);
        tree.Set("Player/Pea", "8 8 0 0 8 8 Fly 1 0 0");
        tree.File("weapons/Gun.weapon", "LVL1 Pea Speed 0\nLVL2 Pea Speed 0\nLVL3 Pea Speed 0\n");
        hero = tree.world().CreateObjectInCategory("Rook", 0, "Player");
        tree.game().hero = hero;
        hero->gravity = false;
        hero->position = Vector2(100.0f, 100.0f);
        hero->weapons.push_back(LoadWeapon("Gun"));
        tree.game().camera = Vector2(130.0f, 130.0f);
    }

    // A muzzle set up the way the hero's firing code leaves it.
    GameObject* Muzzle(const std::string& name, int palette, int level) {
        GameObject* m = tree.world().CreateObjectInCategory(name, palette, "PlayerFX");
        m->parent = hero;
        m->parentOffset = Vector2(51.0f, 40.0f - m->anim.frameHeight / 2);
        m->weaponIndex = 0;
        m->weaponLevel = level;
        m->position = hero->position + Vector2(49.25f, 40.0f - m->anim.frameHeight / 2);
        m->dieOnWall = false;
        m->direction = -hero->direction;
        return m;
    }

    size_t Count(const char* category) { return tree.world().List(category).size(); }
    void Update(int frames = 1) {
        for (int i = 0; i < frames; ++i) tree.world().UpdateAllObjects();
    }
};

}  // namespace

TEST(HeroEffects, MuzzlesFireOnceOnTheirFirstUpdateAndEndWithTheirFlash) {
    const struct {
        const char* name;
        int palette, level, frames;  // frames: updates until the flash has played
        size_t shots;
    } muzzles[] = {{"Recoil", 2, 1, 8, 1},
                   {"BusterRecoil", 2, 2, 10, 1},
                   {"ChargeRecoil", 2, 3, 10, 1},
                   {"ChargeRecoil2", 16, 3, 12, 0}};  // light only
    for (const auto& m : muzzles) {
        SCOPED_TRACE(m.name);
        Stage stage;
        CopyObject(stage.tree, std::string("Effects/") + m.name, 8);
        stage.Muzzle(m.name, m.palette, m.level);
        EXPECT_EQ(0u, stage.Count("PlayerWeapons"));  // the level was not set at creation
        stage.Update();
        ASSERT_EQ(m.shots, stage.Count("PlayerWeapons"));
        if (m.shots) {
            const GameObject& shot = stage.tree.world().List("PlayerWeapons").front();
            EXPECT_EQ("Pea", shot.name);
            EXPECT_EQ(-1, shot.direction);  // the muzzle's facing: mirrored against the hero
        }
        stage.Update(m.frames - 2);
        EXPECT_EQ(1u, stage.Count("PlayerFX"));
        EXPECT_EQ(m.shots, stage.Count("PlayerWeapons"));  // still the one shot
        stage.Update();
        EXPECT_EQ(0u, stage.Count("PlayerFX"));
    }
}

TEST(HeroEffects, TheAfterImageWearsTheHerosPoseThenFades) {
    Stage stage;
    // As in the game: a description without a sheet, replaced on creation.
    WriteFile(stage.tree.Root() + "/data/Objects/Player/CopyRook.anim",
              GameFile("data/objects/Player/CopyRook.anim"));
    stage.tree.File("Player/CopyRook.lua", GameFile("data/objects/Player/CopyRook.lua"));
    ClearDataPathCache();
    GameObject& hero = *stage.hero;
    hero.anim.ChangeAnimation("Dash");
    for (int i = 0; i < 4; ++i) hero.anim.Advance();
    hero.direction = -1;
    GameObject* copy = stage.tree.world().CreateObjectInCategory("CopyRook", 0, "PlayerBGFX");
    EXPECT_EQ(hero.anim.texture, copy->anim.texture);
    EXPECT_EQ(hero.anim.currentAnimation, copy->anim.currentAnimation);
    EXPECT_EQ(1, copy->anim.currentFrame);
    EXPECT_EQ(hero.anim.frameTick, copy->anim.frameTick);
    EXPECT_EQ(-1, copy->direction);
    stage.Update(3);
    EXPECT_FLOAT_EQ(2.0f / 32.0f, copy->anim.paletteIndex);  // a row further down each update
    stage.Update(5);
    EXPECT_EQ(1u, stage.Count("PlayerBGFX"));
    stage.Update();
    EXPECT_EQ(0u, stage.Count("PlayerBGFX"));
}

TEST(HeroEffects, TheThrusterGoesOutWithTheDashAndSlideDustLetsGo) {
    Stage stage;
    CopyObject(stage.tree, "Effects/DashThruster", 10);
    CopyObject(stage.tree, "Effects/SlideSmoke", 8);
    GameObject& hero = *stage.hero;
    hero.anim.ChangeAnimation("Dash");
    GameObject* jet = stage.tree.world().CreateObjectInCategory("DashThruster", -1, "PlayerFXBack");
    jet->parent = &hero;
    stage.Update(3);
    hero.direction = -1;
    stage.Update();
    EXPECT_EQ(-1, jet->direction);  // turns with the hero
    hero.anim.ChangeAnimation("DashEnd");
    stage.Update();
    EXPECT_EQ(0u, stage.Count("PlayerFXBack"));

    hero.anim.ChangeAnimation("Slide");
    GameObject* dust = stage.tree.world().CreateObjectInCategory("SlideSmoke", -1, "PlayerFX");
    dust->parent = &hero;
    stage.Update();
    EXPECT_EQ(&hero, dust->parent);
    hero.anim.ChangeAnimation("Stand");
    stage.Update();
    EXPECT_EQ(nullptr, dust->parent);
    const float left = dust->position.x;
    hero.position.x += 20.0f;
    stage.Update();
    EXPECT_FLOAT_EQ(left, dust->position.x);  // stays where it was let go
}
