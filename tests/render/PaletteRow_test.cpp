// The palette row coordinate a sprite is drawn with.
#include <gtest/gtest.h>

#include "objects/GameObject.h"
#include "render/PaletteShader.h"

TEST(PaletteRowCoordinate, AddsTheFrameOffsetAndLetsTheFlashWin) {
    GameObject o;
    ParseAnimationDescription("8 8 0 0 8 8 Blink 2 [1 1] {0 2} 0", 16, o.anim);
    o.anim.SetPaletteRow(5);
    EXPECT_EQ(PaletteRowCoordinate(o), 0.15625f);
    o.anim.Advance();
    o.anim.Advance();
    ASSERT_EQ(o.anim.currentFrame, 1);
    EXPECT_EQ(PaletteRowCoordinate(o), 0.21875f);  // row 7

    o.hitFlash = true;
    EXPECT_EQ(PaletteRowCoordinate(o), 0.3125f);  // row 10 whatever the palette
    o.anim.SetPaletteRow(30);
    EXPECT_EQ(PaletteRowCoordinate(o), 0.3125f);

    GameObject bare;
    bare.anim.SetPaletteRow(3);
    EXPECT_EQ(PaletteRowCoordinate(bare), 3.0f / 32.0f);
}
