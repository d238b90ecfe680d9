// ShaderRuntime: the small GPU-program layer under the palette shader, over
// GLSL 1.20 and OpenGL 2.0.
//
// It keeps the shape of a classic effect runtime: a context, the latest
// profile of each domain, programs created from a source file with a named
// entry function, parameters looked up by name, and separate binding of a
// vertex and a fragment program that are enabled by profile. GLSL knows only
// linked pairs, so the context links each combination of enabled programs
// on first use and keeps it; parameter values live in the context and are
// uploaded to whichever linked program is current.
//
// A program file is GLSL source without main(): the entry function, taking
// no arguments and returning nothing, is called by a main() this layer adds
// after the file, so the compiler's line numbers are the file's own.
//
// Nothing here ever aborts or throws. Every failure records one error (read
// and cleared by LastErrorString) and yields the null handle 0; every
// operation accepts 0 or an unknown handle and then does nothing, so a
// program that failed to build leaves drawing to the fixed-function pipeline.
// The context needs a current GL context from Init on.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

enum class ShaderDomain { Vertex, Fragment };

enum class ShaderProfile { Unknown, GlslVertex, GlslFragment };

enum class ShaderError {
    None,
    UnsupportedProfile,  // the GL driver offers no GLSL for the domain
    FileNotFound,        // the program file cannot be read
    Compiler,            // compile or link failed; see LastListing
    InvalidProgram,      // a handle that is not a loaded program
    InvalidParameter,    // no parameter of that name, or a bad handle
    ParameterType        // the parameter is of another type than the call
};

// Handles: 0 is none.
using ShaderProgram = int;
using ShaderParameter = int;

// What the model-view-projection matrix parameter is set from.
enum class StateMatrix { ModelViewProjection, ModelView, Projection };

struct GlShaderApi;

class ShaderContext {
public:
    ShaderContext();
    ~ShaderContext();
    ShaderContext(const ShaderContext&) = delete;
    ShaderContext& operator=(const ShaderContext&) = delete;

    // Looks up the GL 2.0 entry points of the current GL context. Without
    // them every profile is Unknown.
    void Init();

    ShaderProfile LatestProfile(ShaderDomain domain);
    // Nothing to tune for GLSL; an Unknown profile records an error.
    void SetOptimalOptions(ShaderProfile profile);

    // Reads and compiles the file (a data path) for the profile.
    ShaderProgram CreateProgramFromFile(const std::string& dataPath, ShaderProfile profile,
                                        const std::string& entry);
    // Links the program on its own, which finds its parameters.
    void LoadProgram(ShaderProgram program);
    ShaderParameter GetNamedParameter(ShaderProgram program, const std::string& name);

    // Makes program the bound program of its domain (0 unbinds it).
    void BindProgram(ShaderProgram program);
    void EnableProfile(ShaderProfile profile);
    void DisableProfile(ShaderProfile profile);

    void SetParameter1f(ShaderParameter parameter, float value);
    // Reads the GL matrices now.
    void SetStateMatrixParameter(ShaderParameter parameter, StateMatrix matrix);
    void SetTextureParameter(ShaderParameter parameter, unsigned textureName);
    void EnableTextureParameter(ShaderParameter parameter);
    void DisableTextureParameter(ShaderParameter parameter);

    // The last error since the previous call, then clears it; "" for None.
    std::string LastErrorString(ShaderError* error);
    // The compiler's or linker's log of the last failed build.
    const std::string& LastListing() const { return listing_; }

    // The GL program object in use (0 for fixed function); for tests.
    unsigned CurrentGlProgram() const { return currentGl_; }

    // Deletes every GL object made by the context.
    void Destroy();

private:
    struct Parameter {
        ShaderProgram program = 0;
        std::string name;
        unsigned glType = 0;  // GL_FLOAT, GL_FLOAT_MAT4, GL_SAMPLER_*
        int unit = -1;        // samplers: their texture unit
        unsigned texture = 0;
        bool textureEnabled = false;
        float value[16] = {};
        unsigned version = 0;  // grows with every set
    };
    struct Program {
        std::string path;
        ShaderProfile profile = ShaderProfile::Unknown;
        unsigned shader = 0;
        bool loaded = false;
        std::vector<ShaderParameter> parameters;
    };
    struct Linked {
        unsigned program = 0;
        bool ok = false;
        std::map<ShaderParameter, int> locations;
        std::map<ShaderParameter, unsigned> uploaded;  // parameter version last uploaded
    };

    bool Available() const;
    void Fail(ShaderError error, const std::string& text);
    Program* FindProgram(ShaderProgram program);
    Parameter* FindParameter(ShaderParameter parameter, unsigned glType, bool anySampler);
    Linked& Link(ShaderProgram vertex, ShaderProgram fragment);
    void Sync();
    void BindTexture(const Parameter& p) const;
    std::string Listing(const std::string& log, const std::string& path) const;

    GlShaderApi* gl_;
    std::vector<Program> programs_;
    std::vector<Parameter> parameters_;
    std::map<std::pair<ShaderProgram, ShaderProgram>, Linked> linked_;
    ShaderProgram boundVertex_ = 0;
    ShaderProgram boundFragment_ = 0;
    bool vertexEnabled_ = false;
    bool fragmentEnabled_ = false;
    unsigned currentGl_ = 0;
    int nextUnit_ = 0;
    ShaderError error_ = ShaderError::None;
    std::string errorText_;
    std::string listing_;
};
