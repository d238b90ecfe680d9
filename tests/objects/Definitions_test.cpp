// Definition files, text in and what the object or weapon holds out:
// ".script" frame events and flag, ".events" names, ".lua" at every creation,
// ".weapon" levels; then shots fired from a level and frame events spawning.
#include <climits>
#include <sstream>

#include "support/TestWorld.h"

namespace {

using Definitions = TestWorld;

std::string Shot(const GameObject* s) {
    std::ostringstream out;
    if (s)
        out << s->name << " " << s->direction << " (" << s->velocity.x << "," << s->velocity.y << ") (" << s->position.x
            << "," << s->position.y << ") " << s->health << " " << s->power << " " << s->anim.paletteIndex << " " << s->dieOnWall << " ";
    return out.str();
}

TEST_F(Definitions, ScriptEventsLuaAndWeaponFiles) {
    // The files, then the object: frame events (frame name speed palette), the flag, death events, index.
    const struct { std::string script; const char *events, *object; } rows[] = {
        {"OnFrame 3 spawn Bullet 2.5 4\nKillOnEndAnim", "OnDeath Explode\nDeath Smoke\nondeath Skipped",
         "3 Bullet 2.5 4 kill |Explode|Smoke 2"},
        {"Words like onframe and killonendanim are skipped.", "Smoke OnDeath", " -1"},
        // Line breaks are spaces; 4097 bytes, so the last read is one byte.
        {std::string(4073, ' ') + "OnFrame\n0 any\nSpark -1\n7", nullptr, "0 Spark -1 7  -1"},
        {"OnFrame 1 x Bolt 1 2 OnFrame 2 x Tail 1.5", "OnDeath A OnDeath", "1 Bolt 1 2 |A 1"},  // truncated
        {"OnFrame two x Bolt 1 1 KillOnEndAnim", nullptr, " -1"},  // reading stops at a bad number
        {"KillOnEndAnim", nullptr, "kill  -1"},
        {"", nullptr, " -1"},
    };
    for (const auto& r : rows) {
        const std::string name = "G" + std::to_string(&r - rows);
        if (!r.script.empty()) File("Enemies/" + name + ".script", r.script);
        if (r.events) File("Enemies/" + name + ".events", r.events);
        GameObject* o = Make(name, "Enemies");
        std::ostringstream out;
        for (const FrameEvent& e : o->frameEvents) out << e.frame << " " << e.objectName << " " << e.velocity.x << " " << e.palette << " ";
        if (o->killOnEndAnim) out << "kill ";
        for (size_t i = 0; i < o->deathEvents.size(); ++i) out << (i ? "|" : "") << o->deathEvents[i];
        out << " " << o->deathEventIndex;
        EXPECT_EQ(out.str(), r.object);
    }
    // ".lua" runs at every creation, before the Create hook and after the palette is set;
    // "Misc" objects keep their files directly in data/objects/.
    File("Enemies/Gunner.lua", "runs = (runs or 0) + 1 function GunnerCreate(self) SetPower(self, runs * 10 + GetPalette(self)) end");
    File("Crate.lua", "function CrateCreate(self) SetHealth(self, 3) end");
    EXPECT_EQ(Make("Gunner", "Enemies", 3)->power + Make("Gunner", "Enemies", 5)->power, 13.0f + 25.0f);
    EXPECT_EQ(Make("Crate", "Misc")->health, 3.0f);

    // The file, then the group: its name, each level's "shot power speed palette wallCollision".
    const struct { const char* name; std::string text; const char* group; } weapons[] = {
        {"Gun", "Words before a marker are skipped.\nLVL1 Pea\nLVL2 Bean Speed 5 Power 2 Palette 3\n",
         "Gun: Pea -1 -1 -1 1; Bean 2 5 3 1; "},
        {"Keys", "LVL3 Blast NoWallCollision PaletteIndex 0 Power 4.5 Speed 7.25 more words\n"
                 "LVLX Odd Power 9 Speed fast Palette 2\nLVL9 Tail Palette 2.5 Power 3",  // stops at a bad number
         "Keys: Blast 4.5 7.25 0 0; Odd 9 -1 -1 1; Tail 3 -1 2 1; "},
        {"Marks", "LVL Bare Speed 1\nLV NotALevel Speed 9\nlvl4 NotALevelEither\n", "Marks: Bare -1 1 -1 1; "},
        // Keys come from the shot name's line, cut at 255 characters; 4097 bytes, the last read is one byte.
        {"Edge", "LVL1 Long Power 2" + std::string(250, ' ') + "Speed 3\nLVL2\nSplit Speed 6\nPower 8" +
                     std::string(3790, '\n') + "LVL3 Z", "Edge: Long 2 -1 -1 1; Split -1 6 -1 1; Z -1 -1 -1 1; "},
        {"Tail", "LVL1 A\nLVL2", "Tail: A -1 -1 -1 1; "},  // a marker without a name ends the file
        {"CASE", "LVL1 Found", "case: Found -1 -1 -1 1; "},  // looked up without regard to case
    };
    for (const auto& r : weapons) {
        File(std::string("weapons/") + r.name + ".weapon", r.text);
        const WeaponGroup group = LoadWeapon(r.group[0] == 'c' ? "case" : r.name);
        std::ostringstream out;
        out << group.name << ": ";
        for (const WeaponDef& l : group.levels)
            out << l.objectName << " " << l.power << " " << l.speed << " " << l.paletteIndex << " " << l.wallCollision << "; ";
        EXPECT_EQ(out.str(), r.group);
    }
    testing::internal::CaptureStdout();
    EXPECT_TRUE(LoadWeapon("Nothing").name.empty());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Could not locate weapon file: data/objects/weapons/Nothing.weapon\n");
}

// A malformed entry or a word out of place prints one line naming the file
// and line, once however many objects read the file; the rest is read as before.
TEST_F(Definitions, MistakesAreNamedByFileAndLine) {
    const struct { const char *file, *text, *lines; } rows[] = {
        {"Enemies/A.script", "KillOnEndAnim\nOnFrame 2 x Bolt fast 0",
         "data/objects/Enemies/A.script:2: OnFrame needs a frame number, a word, an object name, a speed and a "
         "palette row; the file is read no further\n"},
        {"Enemies/B.script", "\n\nKillOnEnd", "data/objects/Enemies/B.script:3: \"KillOnEnd\" is skipped: the words are "
                                             "OnFrame and KillOnEndAnim\n"},
        {"Enemies/C.events", "OnDeath Boom\nDeath", "data/objects/Enemies/C.events:2: Death needs a name after it\n"},
        {"Enemies/D.events", "Ondeath Boom", "data/objects/Enemies/D.events:1: \"Ondeath\" is skipped: the words are "
                                           "OnDeath and Death, each before a name\n"},
        {"weapons/E.weapon", "Prose comes first.\nLVL1 Pea Speed fast",
         "data/objects/weapons/E.weapon:2: Speed needs a number; the rest of the line is ignored\n"},
        {"weapons/F.weapon", "LVL1 Pea Spede 6\nLVL2",
         "data/objects/weapons/F.weapon:1: \"Spede\" is skipped: the keys are Speed, Power, Palette and NoWallCollision\n"
         "data/objects/weapons/F.weapon:2: LVL2 has no shot name; the file is read no further\n"},
    };
    for (const auto& r : rows) {
        File(r.file, r.text);
        const std::string stem = std::string(r.file).substr(std::string(r.file).find('/') + 1, 1);
        testing::internal::CaptureStdout();
        if (std::string(r.file).find("weapon") != std::string::npos) {
            LoadWeapon(stem);
        } else {
            Set("Enemies/" + stem, "8 8 0 0 8 8\nStand 1 0 0\n");
            Make(stem, "Enemies");
            Make(stem, "Enemies");
        }
        EXPECT_EQ(testing::internal::GetCapturedStdout(), r.lines);
    }
    EXPECT_EQ(Objects("Enemies", "A")[0]->killOnEndAnim, true);
}

TEST_F(Definitions, ShotsFromWeaponLevelsAndFrameEvents) {
    for (const char* set : {"Player/Hero", "Enemies/Gunner", "Enemies/Lefty", "Effects/Muzzle", "Enemies/Puff"})
        Set(set, "64 64 16 16 48 64\nWalk 3 1 0\n");
    for (const char* set : {"Player/Pea", "Player/Bean", "Player/Dart", "Player/Bolt"}) Set(set, "16 8 2 2 14 6\nFly 1 0 0\n");
    File("weapons/Gun.weapon", "LVL1 Pea\nLVL2 Bean Speed 4 Power 2 Palette 0\nLVL3 Bean Speed 0.5 Power 0 Palette 5 NoWallCollision\n");
    GameObject* hero = Make("Hero", "Player");
    hero->weapons.push_back(LoadWeapon("Gun"));
    GameObject* muzzle = Make("Muzzle", "PlayerFX", 2);
    muzzle->position = Vector2(200.0f, 100.0f);
    // The shooter's weapon, level and direction; the shot (name direction velocity position health power palette dieOnWall).
    const struct { int index, level, direction; const char* shot; } rows[] = {
        {0, 1, 1, "Pea 1 (-0,0) (192,128) 20 1 0 1 "},  // keeps the shot's own values
        {0, 2, -1, "Bean -1 (4,0) (252,128) 2 2 0 1 "},
        {0, 3, 1, "Bean 1 (-0.5,0) (192.5,128) 0 0 0.15625 0 "},
        {0, 0, 1, ""}, {0, -1, 1, ""}, {0, 4, 1, ""}, {-1, 1, 1, ""}, {1, 1, 1, ""}, {INT_MIN, 1, 1, ""}, {0, INT_MAX, 1, ""},
    };
    for (const auto& r : rows) {
        muzzle->weaponIndex = r.index;
        muzzle->weaponLevel = r.level;
        muzzle->direction = r.direction;
        EXPECT_EQ(Shot(FireWeapon(world(), *muzzle)), r.shot) << r.index << " " << r.level;
    }
    world().ClearList("Player");  // the table is the hero's: without a hero there is none
    EXPECT_EQ(FireWeapon(world(), *muzzle), nullptr);
    world().ClearList("PlayerWeapons");

    // Every entry spawns once, when the animation shows its frame (Walk: frame 0 for two updates).
    File("Enemies/Gunner.script", "OnFrame 0 a Dart 3 0\nOnFrame 1 b Pea 2.5 4\nOnFrame 1 c Bolt 1 0");
    File("Enemies/Lefty.script", "OnFrame 0 at Pea 3 0");
    File("Enemies/Puff.script", "KillOnEndAnim");
    for (const char* name : {"Gunner", "Lefty", "Puff"}) Make(name, "Enemies")->position = Vector2(200.0f, 100.0f);
    Objects("Enemies")[1]->direction = -1;
    const char* const updates[] = {"Dart Pea ", "Dart Pea ", "Dart Pea Pea Bolt ", "Dart Pea Pea Bolt dead"};
    for (int update = 0; update < 20; ++update) {
        world().UpdateCategory(Category::Enemies);
        std::string names;
        for (GameObject* s : Objects("PlayerWeapons")) names += s->name + " ";
        EXPECT_EQ(names + (Objects("Enemies")[2]->health == 0.0f ? "dead" : ""), updates[update < 3 ? update : 3]) << update;
    }
    std::string shots;
    for (GameObject* s : Objects("PlayerWeapons")) shots += Shot(s);
    EXPECT_EQ(shots, "Dart 1 (-3,0) (195,128) 20 1 0 1 Pea -1 (3,0) (253,128) 20 1 0 1 "
                     "Pea 1 (-2.5,0) (194.5,128) 20 1 0.125 1 Bolt 1 (-1,0) (193,128) 20 1 0 1 ");
}

}  // namespace
