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

AnimationSet Description(const std::string& set, int imageWidth = 1 << 20) {
    AnimationSet parsed;
    EXPECT_TRUE(ParseAnimationDescription(GameFile("data/objects/" + set + ".anim"), imageWidth,
                                          parsed))
        << set;
    return parsed;
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
        const AnimationSet set = Description(s.set);
        EXPECT_EQ(s.width, set.frameWidth) << s.set;
        EXPECT_EQ(s.height, set.frameHeight) << s.set;
        ASSERT_EQ(s.animations.size(), set.animations.size()) << s.set;
        for (size_t i = 0; i < s.animations.size(); ++i)
            EXPECT_EQ(i, static_cast<size_t>(set.animationIndex.at(s.animations[i]))) << s.set;
    }
    // The teleport lands like the hero: the same hit box.
    const AnimationSet beam = Description("Player/Rook Teleport");
    const AnimationSet rook = Description("Player/Rook");
    EXPECT_EQ(std::vector<int>({rook.left, rook.top, rook.right, rook.bottom}),
              std::vector<int>({beam.left, beam.top, beam.right, beam.bottom}));
}

TEST(HeroEffectArt, TheTeleportEndsOnTheHerosStandFrame) {
    // When "Appear" ends the beam is hidden and the hero shown in its place:
    // its last frame must be his first "Stand" frame, pixel for pixel
    // (run tools/art/fx_hero.py again when the hero's sheet changes).
    SpriteSheet beam, rook;
    SourceError error;
    ASSERT_TRUE(ParseSprite("beam", GameFile("art/fx-hero/Rook Teleport.sprite"), beam, error))
        << error.Text();
    ASSERT_TRUE(ParseSprite("rook", GameFile("art/Player/Rook.sprite"), rook, error))
        << error.Text();
    const AnimationSet set = Description("Player/Rook Teleport", beam.image.width);
    const AnimFrame last = set.animations[set.animationIndex.at("Appear")].cells.back();
    int drawn = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const Rgba b = rook.image.Get(x, y);
            ASSERT_TRUE(beam.image.Get(last.column * 64 + x, last.row * 64 + y) == b)
                << "pixel " << x << ", " << y;
            drawn += b.a != 0;
        }
    }
    EXPECT_GT(drawn, 200);
}
