#include "render/PaletteShader.h"

#include <GL/gl.h>

#include <cstdio>

#include "objects/GameObject.h"

namespace {

const char* const kVertexFile = "data/gfx/vPassthrough.cg";
const char* const kFragmentFile = "data/gfx/fPalette.cg";

}  // namespace

float PaletteRowCoordinate(const GameObject& o) {
    if (o.hitFlash) return kHitFlashPalIndex;
    const Animation* animation = o.anim.Current();
    const int offset = animation ? animation->PaletteOffsetAt(o.anim.currentFrame) : 0;
    return offset / 32.0f + o.anim.paletteIndex;
}

void PaletteShader::CheckCgError(const std::string& source, const char* situation) {
    ShaderError error = ShaderError::None;
    std::string text = context_.LastErrorString(&error);
    if (error == ShaderError::None) return;
    std::printf("%s: %s: %s\n", source.c_str(), situation, text.c_str());
    if (error == ShaderError::Compiler) std::printf("%s\n", context_.LastListing().c_str());
}

void PaletteShader::Create() {
    context_.Init();

    vertexProfile_ = context_.LatestProfile(ShaderDomain::Vertex);
    context_.SetOptimalOptions(vertexProfile_);
    CheckCgError(kVertexFile, "loading vertex program");
    vertexProgram_ = context_.CreateProgramFromFile(kVertexFile, vertexProfile_, "C3E2v_varying");
    CheckCgError(kVertexFile, "loading vertex program");
    if (vertexProgram_) context_.LoadProgram(vertexProgram_);
    CheckCgError(kVertexFile, "loading vertex program");
    if (vertexProgram_)
        modelViewProj_ = context_.GetNamedParameter(vertexProgram_, "ModelViewProj");
    CheckCgError(kVertexFile, "loading vertex program");

    fragmentProfile_ = context_.LatestProfile(ShaderDomain::Fragment);
    context_.SetOptimalOptions(fragmentProfile_);
    CheckCgError(kFragmentFile, "selecting fragment profile");
    fragmentProgram_ =
        context_.CreateProgramFromFile(kFragmentFile, fragmentProfile_, "C3E3f_texture");
    if (fragmentProgram_) context_.LoadProgram(fragmentProgram_);
    CheckCgError(kFragmentFile, "loading fragment program");
    if (fragmentProgram_) {
        decal_ = context_.GetNamedParameter(fragmentProgram_, "decal");
        CheckCgError(kFragmentFile, "loading fragment program2");
        palette_ = context_.GetNamedParameter(fragmentProgram_, "palette");
        CheckCgError(kFragmentFile, "loading fragment program2");
        palIndex_ = context_.GetNamedParameter(fragmentProgram_, "palIndex");
        CheckCgError(kFragmentFile, "loading fragment program2");
    }

    // One trial bind links the pair now, so a mismatch shows at start-up. The
    // fragment program alone can recolour (fixed-function vertices); without
    // its two samplers it cannot.
    if (fragmentProgram_ && decal_ && palette_) {
        context_.BindProgram(vertexProgram_);
        context_.BindProgram(fragmentProgram_);
        context_.EnableProfile(vertexProfile_);
        context_.EnableProfile(fragmentProfile_);
        ready_ = context_.CurrentGlProgram() != 0;
        context_.DisableProfile(vertexProfile_);
        context_.DisableProfile(fragmentProfile_);
        CheckCgError(kFragmentFile, "linking the programs");
    }
}

void PaletteShader::SetPaletteTexture(unsigned textureName) {
    if (palette_) context_.SetTextureParameter(palette_, textureName);
}

void PaletteShader::BindForObject(const GameObject& o) {
    if (!ready_) {
        // Unshaded: the sheet as stored.
        glBindTexture(GL_TEXTURE_2D, o.anim.texture);
        return;
    }
    if (modelViewProj_)
        context_.SetStateMatrixParameter(modelViewProj_, StateMatrix::ModelViewProjection);
    context_.BindProgram(vertexProgram_);
    context_.EnableProfile(vertexProfile_);
    context_.SetTextureParameter(decal_, o.anim.texture);
    context_.BindProgram(fragmentProgram_);
    context_.EnableProfile(fragmentProfile_);
    context_.EnableTextureParameter(decal_);
    context_.EnableTextureParameter(palette_);
    if (palIndex_) context_.SetParameter1f(palIndex_, PaletteRowCoordinate(o));
    bound_ = true;
}

void PaletteShader::Unbind() {
    if (!bound_) return;
    context_.DisableProfile(vertexProfile_);
    context_.DisableProfile(fragmentProfile_);
    context_.DisableTextureParameter(decal_);
    context_.DisableTextureParameter(palette_);
    bound_ = false;
}
