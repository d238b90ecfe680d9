// Building the palette programs: the error lines a modder sees, and sprites
// that still draw when a program does not build.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "app/DataPath.h"
#include "objects/GameObject.h"
#include "render/AnimationSetCache.h"
#include "render/DrawPrimitives.h"
#include "render/PaletteShader.h"
#include "render/RenderScene.h"
#include "render/ShaderRuntime.h"

using scene::PaletteColour;

namespace {

class ShaderTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure()) return;
        root = scene::Write(MakeTempDir("shader"));
        cwd.reset(new ScopedWorkingDirectory(root));
        cache.uploadTextures = true;
    }

    // Creates the shader and returns what it printed.
    std::string Create() {
        testing::internal::CaptureStdout();
        shader.Create();
        return testing::internal::GetCapturedStdout();
    }

    // Draws the solid block at (0, 0) with palette row 6 and returns its colour.
    Rgb DrawBlock() {
        shader.SetPaletteTexture(cache.LoadAnimationSet("Palette").texture);
        GameObject o(Vector2(0, 0), cache.LoadAnimationSet("Test\\Solid"));
        o.anim.SetPaletteRow(6);
        DrawObject(o, &shader);
        return Screenshot::Back().At(3, 3);
    }

    void Replace(const std::string& file, const std::string& text) {
        WriteFile(root + "/data/gfx/" + file, text);
    }

    std::string root;
    std::unique_ptr<ScopedWorkingDirectory> cwd;
    AnimationSetCache cache;
    PaletteShader shader;
};

const char* const kBrokenFragment =
    "#version 120\n"
    "uniform sampler2D decal;\n"
    "void C3E3f_texture()\n"
    "{\n"
    "    gl_FragColor = texture2D(decal, gl_TexCoord[0].st)\n"
    "}\n";

}  // namespace

TEST_F(ShaderTest, TheShippedProgramsBuildSilently) {
    EXPECT_EQ(Create(), "");
    EXPECT_TRUE(shader.Ready());
    EXPECT_EQ(DrawBlock(), PaletteColour(6, 1));
    EXPECT_EQ(shader.Context().CurrentGlProgram(), 0u);  // unbound after the sprite
}

TEST_F(ShaderTest, MissingProgramFilesAreReportedAndSpritesDrawUnshaded) {
    std::remove((root + "/data/gfx/vPassthrough.cg").c_str());
    std::remove((root + "/data/gfx/fPalette.cg").c_str());
    ClearDataPathCache();
    EXPECT_EQ(Create(),
              "data/gfx/vPassthrough.cg: loading vertex program: The program file cannot be read.\n"
              "data/gfx/fPalette.cg: loading fragment program: The program file cannot be read.\n");
    EXPECT_FALSE(shader.Ready());
    EXPECT_EQ(DrawBlock(), (Rgb{16, 0, 0}));
}

TEST_F(ShaderTest, ACompileErrorPrintsTheListingWithTheFileName) {
    Replace("fPalette.cg", kBrokenFragment);
    const std::string out = Create();
    const std::string head =
        "data/gfx/fPalette.cg: loading fragment program: The program does not compile.\n";
    ASSERT_EQ(out.compare(0, head.size(), head), 0) << out;
    const std::string listing = out.substr(head.size());
    EXPECT_EQ(listing.compare(0, 21, "data/gfx/fPalette.cg:"), 0) << listing;
    EXPECT_NE(listing.find("6"), std::string::npos) << listing;  // the line of the fault
    EXPECT_EQ(listing.back(), '\n');
    EXPECT_FALSE(shader.Ready());
    EXPECT_EQ(DrawBlock(), (Rgb{16, 0, 0}));
}

TEST_F(ShaderTest, AProgramWithoutItsEntryFunctionDoesNotBuild) {
    Replace("fPalette.cg", "#version 120\nvoid Other() { gl_FragColor = vec4(1.0); }\n");
    const std::string out = Create();
    EXPECT_EQ(
        out.find("data/gfx/fPalette.cg: loading fragment program: The program does not compile.\n"),
        0u)
        << out;
    EXPECT_NE(out.find("C3E3f_texture"), std::string::npos) << out;
    EXPECT_FALSE(shader.Ready());
}

TEST_F(ShaderTest, AMissingParameterIsNamedAndTheRestStillWorks) {
    // A palette program that ignores palIndex: always row 2.
    Replace("fPalette.cg",
            "#version 120\n"
            "uniform sampler2D decal;\n"
            "uniform sampler2D palette;\n"
            "void C3E3f_texture()\n"
            "{\n"
            "    vec4 texel = texture2D(decal, gl_TexCoord[0].st);\n"
            "    float column = floor(texel.r * 255.0 / 16.0 + 0.5);\n"
            "    gl_FragColor = texture2D(palette, vec2((column + 0.5) / 16.0, 2.5 / 32.0));\n"
            "}\n");
    EXPECT_EQ(Create(),
              "data/gfx/fPalette.cg: loading fragment program2: The program uses no parameter "
              "\"palIndex\".\n");
    EXPECT_TRUE(shader.Ready());
    EXPECT_EQ(DrawBlock(), PaletteColour(2, 1));
}

TEST_F(ShaderTest, TheFragmentProgramRecoloursWithoutTheVertexProgram) {
    Replace("vPassthrough.cg", "#version 120\nvoid C3E2v_varying() { gl_Position = nonsense; }\n");
    const std::string out = Create();
    EXPECT_EQ(
        out.find(
            "data/gfx/vPassthrough.cg: loading vertex program: The program does not compile.\n"),
        0u)
        << out;
    EXPECT_TRUE(shader.Ready());
    EXPECT_EQ(DrawBlock(), PaletteColour(6, 1));
}

TEST_F(GlTest, BadHandlesRecordErrorsAndChangeNothing) {
    ShaderContext context;
    context.Init();
    ShaderError error = ShaderError::None;
    EXPECT_EQ(context.LastErrorString(&error), "");
    EXPECT_EQ(error, ShaderError::None);

    context.BindProgram(7);
    EXPECT_EQ(context.LastErrorString(&error), "The program handle is not a loaded program.");
    EXPECT_EQ(error, ShaderError::InvalidProgram);
    EXPECT_EQ(context.LastErrorString(&error), "");  // read once

    context.SetParameter1f(3, 1.0f);
    context.SetTextureParameter(-1, 5);
    context.EnableTextureParameter(0);
    EXPECT_EQ(context.LastErrorString(&error), "The parameter handle is not valid.");
    EXPECT_EQ(error, ShaderError::InvalidParameter);

    EXPECT_EQ(context.GetNamedParameter(0, "decal"), 0);
    EXPECT_EQ(context.CreateProgramFromFile("data/gfx/none.cg", ShaderProfile::Unknown, "main"), 0);
    EXPECT_EQ(context.LastErrorString(&error), "The profile is not supported.");
    EXPECT_EQ(
        context.CreateProgramFromFile("data/gfx/none.cg", ShaderProfile::GlslFragment, "bad name"),
        0);
    EXPECT_EQ(error, ShaderError::UnsupportedProfile);
    EXPECT_EQ(context.LastErrorString(&error),
              "The entry function name \"bad name\" is not a GLSL identifier.");
    context.EnableProfile(ShaderProfile::GlslFragment);
    EXPECT_EQ(context.CurrentGlProgram(), 0u);
    context.Destroy();
}
