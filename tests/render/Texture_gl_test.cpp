// Texture creation: two targets with the image's pixels, nearest filtering,
// clear pixels as transparent black; and textures made once per set name.
#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "render/AnimationSetCache.h"
#include "render/Texture.h"
#include "support/GlTestContext.h"
#include "support/TestImage.h"
#include "support/TestSupport.h"

namespace {

std::vector<uint32_t> TexturePixels(GLenum target, unsigned name, int w, int h) {
    std::vector<unsigned char> bytes(w * h * 4);
    glBindTexture(target, name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(target, 0, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    std::vector<uint32_t> pixels;
    for (int i = 0; i < w * h; ++i) {
        const unsigned char* p = &bytes[i * 4];
        pixels.push_back((uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) |
                         p[3]);
    }
    return pixels;
}

GLint Parameter(GLenum target, unsigned name, GLenum what) {
    GLint value = 0;
    glBindTexture(target, name);
    if (what == GL_TEXTURE_WIDTH || what == GL_TEXTURE_HEIGHT)
        glGetTexLevelParameteriv(target, 0, what, &value);
    else
        glGetTexParameteriv(target, what, &value);
    return value;
}

// An SDL surface with the test image's pixels in RGBA byte order.
SDL_Surface* Surface(const TestImage& image) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, image.width, image.height,
                                          32, 0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF);
    for (int y = 0; y < image.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<char*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < image.width; ++x) row[x] = image.pixels[y * image.width + x];
    }
    return s;
}

}  // namespace

TEST_F(GlTest, TexturesHoldTheImageOnBothTargets) {
    TestImage image(3, 2, 0x11223344u);
    image.At(0, 0) = 0xFF000080u;  // half transparent red
    image.At(2, 1) = 0xFFFFFF00u;  // clear, white underneath
    SDL_Surface* surface = Surface(image);
    TextureNames names = CreateTextures(surface);
    SDL_FreeSurface(surface);

    ASSERT_NE(names.texture, 0u);
    ASSERT_NE(names.rectTexture, 0u);
    EXPECT_NE(names.texture, names.rectTexture);
    std::vector<uint32_t> expected = image.pixels;
    expected[5] = 0;
    EXPECT_EQ(TexturePixels(GL_TEXTURE_2D, names.texture, 3, 2), expected);
    EXPECT_EQ(TexturePixels(GL_TEXTURE_RECTANGLE_ARB, names.rectTexture, 3, 2), expected);
    for (GLenum target : {GL_TEXTURE_2D, GL_TEXTURE_RECTANGLE_ARB}) {
        const unsigned name = target == GL_TEXTURE_2D ? names.texture : names.rectTexture;
        EXPECT_EQ(Parameter(target, name, GL_TEXTURE_WIDTH), 3);  // no padding
        EXPECT_EQ(Parameter(target, name, GL_TEXTURE_MIN_FILTER), GL_NEAREST);
        EXPECT_EQ(Parameter(target, name, GL_TEXTURE_MAG_FILTER), GL_NEAREST);
    }
    // The rectangle target would take over 2D drawing if it stayed enabled.
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_RECTANGLE_ARB));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // An image without alpha is opaque.
    SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 1, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(rgb, nullptr, SDL_MapRGB(rgb->format, 10, 20, 30));
    TextureNames opaque = CreateTextures(rgb);
    SDL_FreeSurface(rgb);
    EXPECT_EQ(TexturePixels(GL_TEXTURE_2D, opaque.texture, 2, 1),
              std::vector<uint32_t>({0x0A141EFFu, 0x0A141EFFu}));

    EXPECT_EQ(CreateTextures(nullptr).texture, 0u);
}

TEST_F(GlTest, ASetNameGetsItsTexturesOnce) {
    const std::string root = MakeTempDir("textures");
    for (const char* name : {"Gem", "Orb"}) {
        WritePng(root + "/data/img/Items/" + name + ".png", TestImage(8, 8, 0x00FF00FFu));
        WriteFile(root + "/data/objects/Items/" + name + ".anim", "8 8 0 0 8 8 Spin 1 0 0\n");
    }
    ScopedWorkingDirectory cwd(root);
    AnimationSetCache cache;
    cache.uploadTextures = true;
    AnimationSet first = cache.LoadAnimationSet("Items\\Gem");
    AnimationSet second = cache.LoadAnimationSet("Items\\Gem");
    ASSERT_NE(first.texture, 0u);
    EXPECT_EQ(first.texture, second.texture);
    EXPECT_EQ(first.rectTexture, second.rectTexture);
    EXPECT_NE(cache.LoadAnimationSet("Items\\Orb").texture, first.texture);
    EXPECT_EQ(TexturePixels(GL_TEXTURE_2D, first.texture, 8, 8)[63], 0x00FF00FFu);
    EXPECT_EQ(cache.LoadAnimationSet("Items\\Missing").texture, 0u);
}
