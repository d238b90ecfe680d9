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

    // Creates a fresh shader and returns what it printed.
    std::string Create() {
        shader.reset(new PaletteShader);
        testing::internal::CaptureStdout();
        shader->Create();
        return testing::internal::GetCapturedStdout();
    }

    // Draws the solid block at (0, 0) with palette row 6 and returns its colour.
    Rgb DrawBlock() {
        shader->SetPaletteTexture(cache.LoadAnimationSet("Palette").texture);
        GameObject o(Vector2(0, 0), cache.LoadAnimationSet("Test\\Solid"));
        o.anim.SetPaletteRow(6);
        DrawObject(o, shader.get());
        return Screenshot::Back().At(3, 3);
    }

    void Replace(const std::string& file, const std::string& text) {
        WriteFile(root + "/data/gfx/" + file, text);
    }

    std::string root;
    std::unique_ptr<ScopedWorkingDirectory> cwd;
    AnimationSetCache cache;
    std::unique_ptr<PaletteShader> shader;
};

// True when text starts with head.
::testing::AssertionResult StartsWith(const std::string& text, const std::string& head) {
    if (text.compare(0, head.size(), head) == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << text;
}

const Rgb kRaw{16, 0, 0};  // the sheet's column code, unshaded

}  // namespace

TEST_F(ShaderTest, TheShippedProgramsBuildSilently) {
    EXPECT_EQ(Create(), "");
    EXPECT_TRUE(shader->Ready());
    EXPECT_EQ(DrawBlock(), PaletteColour(6, 1));
    EXPECT_EQ(shader->Context().CurrentGlProgram(), 0u);  // unbound after the sprite
}

TEST_F(ShaderTest, MissingProgramFilesAreReportedAndSpritesDrawUnshaded) {
    std::remove((root + "/data/gfx/vPassthrough.cg").c_str());
    std::remove((root + "/data/gfx/fPalette.cg").c_str());
    ClearDataPathCache();
    EXPECT_EQ(Create(),
              "data/gfx/vPassthrough.cg: loading vertex program: The program file cannot be read.\n"
              "data/gfx/fPalette.cg: loading fragment program: The program file cannot be read.\n");
    EXPECT_FALSE(shader->Ready());
    EXPECT_EQ(DrawBlock(), kRaw);
}

TEST_F(ShaderTest, FragmentProgramsThatDoNotBuildPrintTheListing) {
    const std::string head =
        "data/gfx/fPalette.cg: loading fragment program: The program does not compile.\n";
    Replace("fPalette.cg",
            "#version 120\nuniform sampler2D decal;\nvoid C3E3f_texture()\n{\n"
            "    gl_FragColor = texture2D(decal, gl_TexCoord[0].st)\n}\n");
    std::string out = Create();
    ASSERT_TRUE(StartsWith(out, head));
    const std::string listing = out.substr(head.size());
    EXPECT_TRUE(StartsWith(listing, "data/gfx/fPalette.cg:"));
    EXPECT_NE(listing.find("6"), std::string::npos) << listing;  // the line of the fault
    EXPECT_EQ(listing.back(), '\n');
    EXPECT_FALSE(shader->Ready());
    EXPECT_EQ(DrawBlock(), kRaw);

    // Without its entry function.
    Replace("fPalette.cg", "#version 120\nvoid Other() { gl_FragColor = vec4(1.0); }\n");
    out = Create();
    EXPECT_TRUE(StartsWith(out, head));
    EXPECT_NE(out.find("C3E3f_texture"), std::string::npos) << out;
    EXPECT_FALSE(shader->Ready());
}

TEST_F(ShaderTest, AMissingParameterOrVertexProgramLeavesTheRestWorking) {
    // A palette program that ignores palIndex: always row 2.
    Replace("fPalette.cg",
            "#version 120\nuniform sampler2D decal;\nuniform sampler2D palette;\n"
            "void C3E3f_texture()\n{\n"
            "    vec4 texel = texture2D(decal, gl_TexCoord[0].st);\n"
            "    float column = floor(texel.r * 255.0 / 16.0 + 0.5);\n"
            "    gl_FragColor = texture2D(palette, vec2((column + 0.5) / 16.0, 2.5 / 32.0));\n"
            "}\n");
    EXPECT_EQ(Create(),
              "data/gfx/fPalette.cg: loading fragment program2: The program uses no parameter "
              "\"palIndex\".\n");
    EXPECT_TRUE(shader->Ready());
    EXPECT_EQ(DrawBlock(), PaletteColour(2, 1));

    // The fragment program recolours without the vertex program.
    Replace("fPalette.cg", scene::ReadSource(SourceDir() + "/game/data/gfx/fPalette.cg"));
    Replace("vPassthrough.cg", "#version 120\nvoid C3E2v_varying() { gl_Position = nonsense; }\n");
    EXPECT_TRUE(StartsWith(
        Create(), "data/gfx/vPassthrough.cg: loading vertex program: The program does not compile.\n"));
    EXPECT_TRUE(shader->Ready());
    EXPECT_EQ(DrawBlock(), PaletteColour(6, 1));
}

TEST_F(GlTest, BadHandlesRecordErrorsAndChangeNothing) {
    ShaderContext context;
    context.Init();
    ShaderError error = ShaderError::None;
    context.BindProgram(7);
    EXPECT_EQ(context.LastErrorString(&error), "The program handle is not a loaded program.");
    EXPECT_EQ(error, ShaderError::InvalidProgram);
    EXPECT_EQ(context.LastErrorString(&error), "");  // read once
    EXPECT_EQ(error, ShaderError::None);

    context.SetParameter1f(3, 1.0f);
    context.SetTextureParameter(-1, 5);
    context.EnableTextureParameter(0);
    EXPECT_EQ(context.LastErrorString(&error), "The parameter handle is not valid.");
    EXPECT_EQ(error, ShaderError::InvalidParameter);
    EXPECT_EQ(context.GetNamedParameter(0, "decal"), 0);
    EXPECT_EQ(context.CreateProgramFromFile("data/gfx/none.cg", ShaderProfile::Unknown, "main"), 0);
    EXPECT_EQ(context.LastErrorString(&error), "The profile is not supported.");
    EXPECT_EQ(error, ShaderError::UnsupportedProfile);
    EXPECT_EQ(
        context.CreateProgramFromFile("data/gfx/none.cg", ShaderProfile::GlslFragment, "bad name"),
        0);
    EXPECT_EQ(context.LastErrorString(&error),
              "The entry function name \"bad name\" is not a GLSL identifier.");
    context.EnableProfile(ShaderProfile::GlslFragment);
    EXPECT_EQ(context.CurrentGlProgram(), 0u);
    context.Destroy();
}
