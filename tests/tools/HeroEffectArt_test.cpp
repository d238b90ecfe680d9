// The sheets and descriptions of the stage opening's objects: what the
// stage flow relies on, and a teleport that ends looking like the hero.
#include <gtest/gtest.h>

#include "SheetBuilder.h"
#include "SynthText.h"
#include "render/AnimationSet.h"
#include "support/TestSupport.h"

namespace {

std::string GameFile(const std::string& relative) {
    std::string text;
    EXPECT_TRUE(ReadTextFile(GameDir() + "/" + relative, text)) << relative;
    return text;
}

}  // namespace

TEST(HeroEffectArt, OpeningSetsHaveTheAnimationsTheStageFlowUses) {
    const struct {
        const char* set;
        int width, height;
        std::vector<std::string> animations;
    } sets[] = {{"Effects/Streak", 176, 16, {"Screen", "Small", "Medium", "Large"}},
                {"Effects/Ready", 192, 30, {"Stand"}},
                {"Player/Rook Teleport", 64, 64, {"Stand", "Appear"}}};
    for (const auto& s : sets) {
        SCOPED_TRACE(s.set);
        AnimationSet set;
        ASSERT_TRUE(ParseAnimationDescription(
            GameFile(std::string("data/objects/") + s.set + ".anim"), 1 << 20, set));
        EXPECT_EQ(s.width, set.frameWidth);
        EXPECT_EQ(s.height, set.frameHeight);
        ASSERT_EQ(s.animations.size(), set.animations.size());
        for (size_t i = 0; i < s.animations.size(); ++i)
            EXPECT_EQ(i, static_cast<size_t>(set.animationIndex.at(s.animations[i])));
    }
    // The teleport lands like the hero: the same hit box.
    AnimationSet beam, rook;
    ASSERT_TRUE(ParseAnimationDescription(GameFile("data/objects/Player/Rook Teleport.anim"),
                                          1 << 20, beam));
    ASSERT_TRUE(
        ParseAnimationDescription(GameFile("data/objects/Player/Rook.anim"), 1 << 20, rook));
    EXPECT_EQ(rook.left, beam.left);
    EXPECT_EQ(rook.right, beam.right);
    EXPECT_EQ(rook.top, beam.top);
    EXPECT_EQ(rook.bottom, beam.bottom);
}

TEST(HeroEffectArt, TheTeleportEndsOnTheHerosStandFrame) {
    // When "Appear" ends the beam is hidden and the hero shown in its place:
    // its last frame must be his first "Stand" frame, pixel for pixel
    // (run tools/art/fx_hero.py again when the hero's sheet changes).
    SpriteSheet beam, rook;
    SourceError error;
    const std::string beamPath = GameDir() + "/art/fx-hero/Rook Teleport.sprite";
    const std::string rookPath = GameDir() + "/art/Player/Rook.sprite";
    ASSERT_TRUE(ParseSprite(beamPath, GameFile("art/fx-hero/Rook Teleport.sprite"), beam, error))
        << error.Text();
    ASSERT_TRUE(ParseSprite(rookPath, GameFile("art/Player/Rook.sprite"), rook, error))
        << error.Text();
    AnimationSet set;
    ASSERT_TRUE(ParseAnimationDescription(GameFile("data/objects/Player/Rook Teleport.anim"),
                                          beam.image.width, set));
    const Animation& appear = set.animations[set.animationIndex.at("Appear")];
    const AnimFrame last = appear.cells.back();
    int drawn = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const Rgba a = beam.image.Get(last.column * 64 + x, last.row * 64 + y);
            const Rgba b = rook.image.Get(x, y);
            ASSERT_TRUE(a == b) << "pixel " << x << ", " << y;
            drawn += b.a != 0;
        }
    }
    EXPECT_GT(drawn, 200);
}
