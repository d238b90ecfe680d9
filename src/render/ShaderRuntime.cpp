#include "render/ShaderRuntime.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/DataPath.h"

// The GL 2.0 entry points, looked up at run time so that a driver without
// them still runs the game (unshaded).
struct GlShaderApi {
    PFNGLCREATESHADERPROC CreateShader = nullptr;
    PFNGLSHADERSOURCEPROC ShaderSource = nullptr;
    PFNGLCOMPILESHADERPROC CompileShader = nullptr;
    PFNGLGETSHADERIVPROC GetShaderiv = nullptr;
    PFNGLGETSHADERINFOLOGPROC GetShaderInfoLog = nullptr;
    PFNGLDELETESHADERPROC DeleteShader = nullptr;
    PFNGLCREATEPROGRAMPROC CreateProgram = nullptr;
    PFNGLATTACHSHADERPROC AttachShader = nullptr;
    PFNGLLINKPROGRAMPROC LinkProgram = nullptr;
    PFNGLGETPROGRAMIVPROC GetProgramiv = nullptr;
    PFNGLGETPROGRAMINFOLOGPROC GetProgramInfoLog = nullptr;
    PFNGLDELETEPROGRAMPROC DeleteProgram = nullptr;
    PFNGLUSEPROGRAMPROC UseProgram = nullptr;
    PFNGLGETACTIVEUNIFORMPROC GetActiveUniform = nullptr;
    PFNGLGETUNIFORMLOCATIONPROC GetUniformLocation = nullptr;
    PFNGLUNIFORM1FPROC Uniform1f = nullptr;
    PFNGLUNIFORM1IPROC Uniform1i = nullptr;
    PFNGLUNIFORMMATRIX4FVPROC UniformMatrix4fv = nullptr;
    PFNGLACTIVETEXTUREPROC ActiveTexture = nullptr;
    bool complete = false;
};

namespace {

template <typename T>
bool Resolve(T& entry, const char* name) {
    entry = reinterpret_cast<T>(SDL_GL_GetProcAddress(name));
    return entry != nullptr;
}

bool IsIdentifier(const std::string& s) {
    if (s.empty() || std::isdigit(static_cast<unsigned char>(s[0]))) return false;
    for (char c : s) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    }
    return true;
}

bool IsSampler(unsigned glType) {
    return glType == GL_SAMPLER_1D || glType == GL_SAMPLER_2D || glType == GL_SAMPLER_2D_RECT_ARB;
}

GLenum SamplerTarget(unsigned glType) {
    if (glType == GL_SAMPLER_1D) return GL_TEXTURE_1D;
    if (glType == GL_SAMPLER_2D_RECT_ARB) return GL_TEXTURE_RECTANGLE_ARB;
    return GL_TEXTURE_2D;
}

bool ReadFile(const std::string& dataPath, std::string& text) {
    std::FILE* file = OpenDataFile(dataPath, "rb");
    if (!file) return false;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    std::fclose(file);
    return true;
}

}  // namespace

ShaderContext::ShaderContext() : gl_(new GlShaderApi) {}

// GL objects are left to the GL context: at process exit it may already be
// gone. Destroy releases them while it is current.
ShaderContext::~ShaderContext() {
    delete gl_;
}

void ShaderContext::Init() {
    GlShaderApi& gl = *gl_;
    bool all = true;
    all &= Resolve(gl.CreateShader, "glCreateShader");
    all &= Resolve(gl.ShaderSource, "glShaderSource");
    all &= Resolve(gl.CompileShader, "glCompileShader");
    all &= Resolve(gl.GetShaderiv, "glGetShaderiv");
    all &= Resolve(gl.GetShaderInfoLog, "glGetShaderInfoLog");
    all &= Resolve(gl.DeleteShader, "glDeleteShader");
    all &= Resolve(gl.CreateProgram, "glCreateProgram");
    all &= Resolve(gl.AttachShader, "glAttachShader");
    all &= Resolve(gl.LinkProgram, "glLinkProgram");
    all &= Resolve(gl.GetProgramiv, "glGetProgramiv");
    all &= Resolve(gl.GetProgramInfoLog, "glGetProgramInfoLog");
    all &= Resolve(gl.DeleteProgram, "glDeleteProgram");
    all &= Resolve(gl.UseProgram, "glUseProgram");
    all &= Resolve(gl.GetActiveUniform, "glGetActiveUniform");
    all &= Resolve(gl.GetUniformLocation, "glGetUniformLocation");
    all &= Resolve(gl.Uniform1f, "glUniform1f");
    all &= Resolve(gl.Uniform1i, "glUniform1i");
    all &= Resolve(gl.UniformMatrix4fv, "glUniformMatrix4fv");
    all &= Resolve(gl.ActiveTexture, "glActiveTexture");
    // Entry points can resolve on a driver that does not implement them.
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    gl.complete = all && version && std::atoi(version) >= 2;
}

bool ShaderContext::Available() const {
    return gl_->complete;
}

void ShaderContext::Fail(ShaderError error, const std::string& text) {
    error_ = error;
    errorText_ = text;
}

std::string ShaderContext::LastErrorString(ShaderError* error) {
    if (error) *error = error_;
    std::string text = error_ == ShaderError::None ? std::string() : errorText_;
    error_ = ShaderError::None;
    errorText_.clear();
    return text;
}

ShaderProfile ShaderContext::LatestProfile(ShaderDomain domain) {
    if (!Available()) {
        Fail(ShaderError::UnsupportedProfile,
             "The GL driver runs no GLSL programs (OpenGL 2.0 is needed).");
        return ShaderProfile::Unknown;
    }
    return domain == ShaderDomain::Vertex ? ShaderProfile::GlslVertex : ShaderProfile::GlslFragment;
}

void ShaderContext::SetOptimalOptions(ShaderProfile profile) {
    if (profile == ShaderProfile::Unknown)
        Fail(ShaderError::UnsupportedProfile, "The profile is not supported.");
}

// Drivers start each log line with the source string number ("0:12(5): ..."
// or "0(12) : ..."); the file's name tells a modder more.
std::string ShaderContext::Listing(const std::string& log, const std::string& path) const {
    std::string out;
    size_t start = 0;
    while (start < log.size()) {
        size_t end = log.find('\n', start);
        if (end == std::string::npos) end = log.size();
        std::string line = log.substr(start, end - start);
        if (line.size() > 1 && line[0] == '0' && (line[1] == ':' || line[1] == '('))
            line = path + line.substr(1);
        if (!line.empty()) {
            if (!out.empty()) out += '\n';
            out += line;
        }
        start = end + 1;
    }
    return out;
}

ShaderProgram ShaderContext::CreateProgramFromFile(const std::string& dataPath,
                                                   ShaderProfile profile,
                                                   const std::string& entry) {
    if (profile == ShaderProfile::Unknown || !Available()) {
        Fail(ShaderError::UnsupportedProfile, "The profile is not supported.");
        return 0;
    }
    if (!IsIdentifier(entry)) {
        Fail(ShaderError::InvalidProgram,
             "The entry function name \"" + entry + "\" is not a GLSL identifier.");
        return 0;
    }
    std::string source;
    if (!ReadFile(dataPath, source)) {
        Fail(ShaderError::FileNotFound, "The program file cannot be read.");
        return 0;
    }
    const GlShaderApi& gl = *gl_;
    const std::string main = "\nvoid main() { " + entry + "(); }\n";
    const GLchar* parts[2] = {source.c_str(), main.c_str()};
    GLuint shader = gl.CreateShader(profile == ShaderProfile::GlslVertex ? GL_VERTEX_SHADER
                                                                         : GL_FRAGMENT_SHADER);
    gl.ShaderSource(shader, 2, parts, nullptr);
    gl.CompileShader(shader);
    GLint compiled = GL_FALSE;
    gl.GetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        GLint length = 0;
        gl.GetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
        std::string log(length > 0 ? length : 0, '\0');
        if (length > 0) gl.GetShaderInfoLog(shader, length, nullptr, &log[0]);
        log.resize(log.find('\0') == std::string::npos ? log.size() : log.find('\0'));
        listing_ = Listing(log, dataPath);
        gl.DeleteShader(shader);
        Fail(ShaderError::Compiler, "The program does not compile.");
        return 0;
    }
    Program program;
    program.path = dataPath;
    program.profile = profile;
    program.shader = shader;
    programs_.push_back(program);
    return static_cast<ShaderProgram>(programs_.size());
}

ShaderContext::Program* ShaderContext::FindProgram(ShaderProgram program) {
    if (program < 1 || program > static_cast<int>(programs_.size())) return nullptr;
    return &programs_[program - 1];
}

ShaderContext::Parameter* ShaderContext::FindParameter(ShaderParameter parameter, unsigned glType,
                                                       bool anySampler) {
    if (parameter < 1 || parameter > static_cast<int>(parameters_.size())) {
        Fail(ShaderError::InvalidParameter, "The parameter handle is not valid.");
        return nullptr;
    }
    Parameter& p = parameters_[parameter - 1];
    if (anySampler ? !IsSampler(p.glType) : p.glType != glType) {
        Fail(ShaderError::ParameterType, "The parameter \"" + p.name + "\" is of another type.");
        return nullptr;
    }
    return &p;
}

// Links the given shader objects; 0 and the listing on failure.
static GLuint LinkShaders(const GlShaderApi& gl, GLuint a, GLuint b, std::string& log) {
    GLuint program = gl.CreateProgram();
    if (a) gl.AttachShader(program, a);
    if (b) gl.AttachShader(program, b);
    gl.LinkProgram(program);
    GLint linked = GL_FALSE;
    gl.GetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked == GL_TRUE) return program;
    GLint length = 0;
    gl.GetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    log.assign(length > 0 ? length : 0, '\0');
    if (length > 0) gl.GetProgramInfoLog(program, length, nullptr, &log[0]);
    log.resize(log.find('\0') == std::string::npos ? log.size() : log.find('\0'));
    gl.DeleteProgram(program);
    return 0;
}

void ShaderContext::LoadProgram(ShaderProgram handle) {
    Program* program = FindProgram(handle);
    if (!program) {
        Fail(ShaderError::InvalidProgram, "The program handle is not valid.");
        return;
    }
    if (program->loaded) return;
    const GlShaderApi& gl = *gl_;
    std::string log;
    GLuint linked = LinkShaders(gl, program->shader, 0, log);
    if (!linked) {
        listing_ = Listing(log, program->path);
        Fail(ShaderError::Compiler, "The program does not link.");
        return;
    }
    // The program's parameters are its active uniforms.
    GLint count = 0;
    gl.GetProgramiv(linked, GL_ACTIVE_UNIFORMS, &count);
    for (GLint i = 0; i < count; ++i) {
        GLchar name[256];
        GLsizei length = 0;
        GLint size = 0;
        GLenum type = 0;
        gl.GetActiveUniform(linked, i, sizeof name, &length, &size, &type, name);
        std::string uniform(name, length > 0 ? length : 0);
        if (uniform.compare(0, 3, "gl_") == 0) continue;
        size_t bracket = uniform.find('[');
        if (bracket != std::string::npos) uniform.resize(bracket);
        Parameter p;
        p.program = handle;
        p.name = uniform;
        p.glType = type;
        if (IsSampler(type)) p.unit = nextUnit_++;
        parameters_.push_back(p);
        program->parameters.push_back(static_cast<ShaderParameter>(parameters_.size()));
    }
    program->loaded = true;
    // The program alone is the pair in use while only its profile is enabled.
    const bool vertex = program->profile == ShaderProfile::GlslVertex;
    Linked& alone = linked_[vertex ? std::make_pair(handle, 0) : std::make_pair(0, handle)];
    alone.program = linked;
    alone.ok = true;
    gl.UseProgram(linked);
    for (ShaderParameter id : program->parameters) {
        const Parameter& p = parameters_[id - 1];
        int location = gl.GetUniformLocation(linked, p.name.c_str());
        alone.locations[id] = location;
        if (p.unit >= 0) gl.Uniform1i(location, p.unit);
    }
    gl.UseProgram(currentGl_);
}

ShaderParameter ShaderContext::GetNamedParameter(ShaderProgram handle, const std::string& name) {
    Program* program = FindProgram(handle);
    if (!program || !program->loaded) {
        Fail(ShaderError::InvalidProgram, "The program handle is not a loaded program.");
        return 0;
    }
    for (ShaderParameter id : program->parameters) {
        if (parameters_[id - 1].name == name) return id;
    }
    Fail(ShaderError::InvalidParameter, "The program uses no parameter \"" + name + "\".");
    return 0;
}

ShaderContext::Linked& ShaderContext::Link(ShaderProgram vertex, ShaderProgram fragment) {
    auto key = std::make_pair(vertex, fragment);
    auto found = linked_.find(key);
    if (found != linked_.end()) return found->second;
    Linked& pair = linked_[key];
    const GlShaderApi& gl = *gl_;
    Program* v = FindProgram(vertex);
    Program* f = FindProgram(fragment);
    std::string log;
    pair.program = LinkShaders(gl, v ? v->shader : 0, f ? f->shader : 0, log);
    if (!pair.program) {
        listing_ = Listing(log, (v ? v->path : "") + (v && f ? " + " : "") + (f ? f->path : ""));
        Fail(ShaderError::Compiler, "The vertex and fragment programs do not link together.");
        return pair;
    }
    pair.ok = true;
    gl.UseProgram(pair.program);
    for (Program* stage : {v, f}) {
        if (!stage) continue;
        for (ShaderParameter id : stage->parameters) {
            const Parameter& p = parameters_[id - 1];
            int location = gl.GetUniformLocation(pair.program, p.name.c_str());
            pair.locations[id] = location;
            if (p.unit >= 0) gl.Uniform1i(location, p.unit);
        }
    }
    gl.UseProgram(currentGl_);
    return pair;
}

// Puts the GL program of the enabled, bound programs in use and uploads the
// parameter values it has not seen yet.
void ShaderContext::Sync() {
    if (!Available()) return;
    const GlShaderApi& gl = *gl_;
    auto usable = [this](ShaderProgram handle, bool enabled) {
        Program* program = FindProgram(handle);
        return enabled && program && program->loaded ? handle : 0;
    };
    const ShaderProgram vertex = usable(boundVertex_, vertexEnabled_);
    const ShaderProgram fragment = usable(boundFragment_, fragmentEnabled_);
    Linked* pair = vertex || fragment ? &Link(vertex, fragment) : nullptr;
    const unsigned wanted = pair && pair->ok ? pair->program : 0;
    if (wanted != currentGl_) {
        gl.UseProgram(wanted);
        currentGl_ = wanted;
    }
    if (!wanted) return;
    for (auto& entry : pair->locations) {
        const Parameter& p = parameters_[entry.first - 1];
        unsigned& seen = pair->uploaded[entry.first];
        if (seen == p.version || entry.second < 0) continue;
        seen = p.version;
        if (p.glType == GL_FLOAT) gl.Uniform1f(entry.second, p.value[0]);
        if (p.glType == GL_FLOAT_MAT4) gl.UniformMatrix4fv(entry.second, 1, GL_FALSE, p.value);
    }
}

void ShaderContext::BindProgram(ShaderProgram handle) {
    if (handle == 0) return;
    Program* program = FindProgram(handle);
    if (!program || !program->loaded) {
        Fail(ShaderError::InvalidProgram, "The program handle is not a loaded program.");
        return;
    }
    if (program->profile == ShaderProfile::GlslVertex)
        boundVertex_ = handle;
    else
        boundFragment_ = handle;
    Sync();
}

void ShaderContext::EnableProfile(ShaderProfile profile) {
    if (profile == ShaderProfile::GlslVertex) vertexEnabled_ = true;
    if (profile == ShaderProfile::GlslFragment) fragmentEnabled_ = true;
    Sync();
}

void ShaderContext::DisableProfile(ShaderProfile profile) {
    if (profile == ShaderProfile::GlslVertex) vertexEnabled_ = false;
    if (profile == ShaderProfile::GlslFragment) fragmentEnabled_ = false;
    Sync();
}

void ShaderContext::SetParameter1f(ShaderParameter parameter, float value) {
    Parameter* p = FindParameter(parameter, GL_FLOAT, false);
    if (!p) return;
    if (p->value[0] != value) {
        p->value[0] = value;
        ++p->version;
    }
    Sync();
}

void ShaderContext::SetStateMatrixParameter(ShaderParameter parameter, StateMatrix matrix) {
    Parameter* p = FindParameter(parameter, GL_FLOAT_MAT4, false);
    if (!p) return;
    float modelView[16];
    float projection[16];
    float value[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    if (matrix == StateMatrix::ModelView) {
        std::memcpy(value, modelView, sizeof value);
    } else if (matrix == StateMatrix::Projection) {
        std::memcpy(value, projection, sizeof value);
    } else {
        // Column-major product projection x model-view.
        for (int column = 0; column < 4; ++column) {
            for (int row = 0; row < 4; ++row) {
                float sum = 0.0f;
                for (int k = 0; k < 4; ++k)
                    sum += projection[k * 4 + row] * modelView[column * 4 + k];
                value[column * 4 + row] = sum;
            }
        }
    }
    // Most sprites of a frame share the camera: upload only a change.
    if (std::memcmp(value, p->value, sizeof value) != 0) {
        std::memcpy(p->value, value, sizeof value);
        ++p->version;
    }
    Sync();
}

void ShaderContext::BindTexture(const Parameter& p) const {
    if (!Available() || p.unit < 0) return;
    gl_->ActiveTexture(GL_TEXTURE0 + p.unit);
    glBindTexture(SamplerTarget(p.glType), p.texture);
    gl_->ActiveTexture(GL_TEXTURE0);
}

void ShaderContext::SetTextureParameter(ShaderParameter parameter, unsigned textureName) {
    Parameter* p = FindParameter(parameter, 0, true);
    if (!p) return;
    p->texture = textureName;
    if (p->textureEnabled) BindTexture(*p);
}

void ShaderContext::EnableTextureParameter(ShaderParameter parameter) {
    Parameter* p = FindParameter(parameter, 0, true);
    if (!p) return;
    p->textureEnabled = true;
    BindTexture(*p);
}

void ShaderContext::DisableTextureParameter(ShaderParameter parameter) {
    Parameter* p = FindParameter(parameter, 0, true);
    if (p) p->textureEnabled = false;
}

void ShaderContext::Destroy() {
    if (Available()) {
        gl_->UseProgram(0);
        for (auto& entry : linked_) {
            if (entry.second.program) gl_->DeleteProgram(entry.second.program);
        }
        for (const Program& program : programs_) gl_->DeleteShader(program.shader);
    }
    linked_.clear();
    programs_.clear();
    parameters_.clear();
    boundVertex_ = boundFragment_ = 0;
    vertexEnabled_ = fragmentEnabled_ = false;
    currentGl_ = 0;
    nextUnit_ = 0;
}
