#include "render/PaletteShader.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <type_traits>

#include "core/DataPath.h"
#include "objects/GameObject.h"

namespace {

const char* const kVertexFile = "data/gfx/vPassthrough.cg";
const char* const kFragmentFile = "data/gfx/fPalette.cg";
const char* const kNoGlsl = "The GL driver runs no GLSL programs (OpenGL 2.0 is needed).";
constexpr int kDecalUnit = 0;
constexpr int kPaletteUnit = 1;

// The GL 2.0 entry points, looked up at run time so that a driver without
// them still runs the game (unshaded).
struct GlslEntries {
    PFNGLCREATESHADERPROC CreateShader;
    PFNGLSHADERSOURCEPROC ShaderSource;
    PFNGLCOMPILESHADERPROC CompileShader;
    PFNGLGETSHADERIVPROC GetShaderiv;
    PFNGLGETSHADERINFOLOGPROC GetShaderInfoLog;
    PFNGLCREATEPROGRAMPROC CreateProgram;
    PFNGLATTACHSHADERPROC AttachShader;
    PFNGLLINKPROGRAMPROC LinkProgram;
    PFNGLGETPROGRAMIVPROC GetProgramiv;
    PFNGLGETPROGRAMINFOLOGPROC GetProgramInfoLog;
    PFNGLUSEPROGRAMPROC UseProgram;
    PFNGLGETUNIFORMLOCATIONPROC GetUniformLocation;
    PFNGLUNIFORM1FPROC Uniform1f;
    PFNGLUNIFORM1IPROC Uniform1i;
    PFNGLUNIFORMMATRIX4FVPROC UniformMatrix4fv;
    PFNGLACTIVETEXTUREPROC ActiveTexture;
} gl;

bool LoadGlslEntries() {
    bool all = true;
    auto resolve = [&all](auto& entry, const char* name) {
        entry =
            reinterpret_cast<std::remove_reference_t<decltype(entry)>>(SDL_GL_GetProcAddress(name));
        all = all && entry;
    };
    resolve(gl.CreateShader, "glCreateShader");
    resolve(gl.ShaderSource, "glShaderSource");
    resolve(gl.CompileShader, "glCompileShader");
    resolve(gl.GetShaderiv, "glGetShaderiv");
    resolve(gl.GetShaderInfoLog, "glGetShaderInfoLog");
    resolve(gl.CreateProgram, "glCreateProgram");
    resolve(gl.AttachShader, "glAttachShader");
    resolve(gl.LinkProgram, "glLinkProgram");
    resolve(gl.GetProgramiv, "glGetProgramiv");
    resolve(gl.GetProgramInfoLog, "glGetProgramInfoLog");
    resolve(gl.UseProgram, "glUseProgram");
    resolve(gl.GetUniformLocation, "glGetUniformLocation");
    resolve(gl.Uniform1f, "glUniform1f");
    resolve(gl.Uniform1i, "glUniform1i");
    resolve(gl.UniformMatrix4fv, "glUniformMatrix4fv");
    resolve(gl.ActiveTexture, "glActiveTexture");
    // Entry points can resolve on a driver that does not implement them.
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    return all && version && std::atoi(version) >= 2;
}

// The info log of a shader or program object (their getters share a type).
std::string InfoLog(GLuint object, PFNGLGETSHADERIVPROC getiv, PFNGLGETSHADERINFOLOGPROC getLog) {
    GLint length = 0;
    getiv(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(length > 0 ? length : 0, '\0');
    GLsizei written = 0;
    if (length > 0) getLog(object, length, &written, &log[0]);
    log.resize(written);
    return log;
}

// Drivers start each log line with the source string number ("0:12(5): ..."
// or "0(12) : ..."); the file's name tells a modder more. Blank lines go.
std::string Listing(const std::string& log, const char* file) {
    std::string out;
    size_t start = 0;
    while (start < log.size()) {
        size_t end = log.find('\n', start);
        if (end == std::string::npos) end = log.size();
        std::string line = log.substr(start, end - start);
        if (line.size() > 1 && line[0] == '0' && (line[1] == ':' || line[1] == '('))
            line = file + line.substr(1);
        if (!line.empty()) out += (out.empty() ? "" : "\n") + line;
        start = end + 1;
    }
    return out;
}

}  // namespace

float PaletteRowCoordinate(const GameObject& o) {
    if (o.hitFlash) return kHitFlashPalIndex;
    const Animation* animation = o.anim.Current();
    const int offset = animation ? animation->PaletteOffsetAt(o.anim.currentFrame) : 0;
    return offset / 32.0f + o.anim.paletteIndex;
}

void PaletteShader::CheckCgError(const char* source, const char* situation) {
    if (error_.empty()) return;
    std::printf("%s: %s: %s\n", source, situation, error_.c_str());
    error_.clear();
}

unsigned PaletteShader::Compile(unsigned type, const char* file, const char* entry) {
    std::string source;
    if (!ReadDataFile(file, source)) {
        error_ = "The program file cannot be read.";
        return 0;
    }
    const std::string main = std::string("\nvoid main() { ") + entry + "(); }\n";
    const GLchar* parts[2] = {source.c_str(), main.c_str()};
    const GLuint shader = gl.CreateShader(type);
    gl.ShaderSource(shader, 2, parts, nullptr);
    gl.CompileShader(shader);
    GLint compiled = GL_FALSE;
    gl.GetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled == GL_TRUE) return shader;
    error_ = "The program does not compile.\n" +
             Listing(InfoLog(shader, gl.GetShaderiv, gl.GetShaderInfoLog), file);
    return 0;
}

unsigned PaletteShader::Link(unsigned vertex, unsigned fragment) {
    const GLuint program = gl.CreateProgram();
    if (vertex) gl.AttachShader(program, vertex);
    gl.AttachShader(program, fragment);
    gl.LinkProgram(program);
    GLint linked = GL_FALSE;
    gl.GetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked == GL_TRUE) return program;
    error_ = "The vertex and fragment programs do not link together.\n" +
             Listing(InfoLog(program, gl.GetProgramiv, gl.GetProgramInfoLog), kFragmentFile);
    return 0;
}

int PaletteShader::Parameter(unsigned program, const char* name) {
    const int location = gl.GetUniformLocation(program, name);
    if (location < 0) error_ = std::string("The program uses no parameter \"") + name + "\".";
    return location;
}

void PaletteShader::Create() {
    if (!LoadGlslEntries()) {
        error_ = kNoGlsl;
        CheckCgError(kVertexFile, "loading vertex program");
        error_ = kNoGlsl;
        CheckCgError(kFragmentFile, "selecting fragment profile");
        return;
    }
    const unsigned vertex = Compile(GL_VERTEX_SHADER, kVertexFile, "C3E2v_varying");
    CheckCgError(kVertexFile, "loading vertex program");
    const unsigned fragment = Compile(GL_FRAGMENT_SHADER, kFragmentFile, "C3E3f_texture");
    CheckCgError(kFragmentFile, "loading fragment program");
    if (!fragment) return;
    const unsigned program = Link(vertex, fragment);
    CheckCgError(kFragmentFile, "linking the programs");
    if (!program) return;

    if (vertex) modelViewProj_ = Parameter(program, "ModelViewProj");
    CheckCgError(kVertexFile, "loading vertex program");
    decal_ = Parameter(program, "decal");
    CheckCgError(kFragmentFile, "loading fragment program2");
    palette_ = Parameter(program, "palette");
    CheckCgError(kFragmentFile, "loading fragment program2");
    palIndex_ = Parameter(program, "palIndex");
    CheckCgError(kFragmentFile, "loading fragment program2");
    // Without its two samplers the program cannot recolour.
    if (decal_ < 0 || palette_ < 0) return;
    gl.UseProgram(program);
    gl.Uniform1i(decal_, kDecalUnit);
    gl.Uniform1i(palette_, kPaletteUnit);
    gl.UseProgram(0);
    program_ = program;
}

void PaletteShader::Begin() {
    if (!program_) return;
    gl.UseProgram(program_);
    // The current projection times the camera translation, column-major.
    float modelView[16], projection[16], product[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += projection[k * 4 + row] * modelView[column * 4 + k];
            product[column * 4 + row] = sum;
        }
    }
    gl.UniformMatrix4fv(modelViewProj_, 1, GL_FALSE, product);
    gl.ActiveTexture(GL_TEXTURE0 + kPaletteUnit);
    glBindTexture(GL_TEXTURE_2D, paletteTexture_);
    gl.ActiveTexture(GL_TEXTURE0 + kDecalUnit);
}

void PaletteShader::SetRow(float palIndex) {
    if (program_) gl.Uniform1f(palIndex_, palIndex);
}

void PaletteShader::End() {
    if (program_) gl.UseProgram(0);
}
