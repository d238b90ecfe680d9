#include "script/ScriptHost.h"

#include <cstdio>
#include <lua.hpp>

#include "core/DataPath.h"
#include "script/ScriptApi.h"

namespace {

// The registry key of the host that owns the state.
const char kHostKey = 0;

ScriptHost* HostOf(lua_State* L) {
    lua_pushlightuserdata(L, const_cast<char*>(&kHostKey));
    lua_rawget(L, LUA_REGISTRYINDEX);
    ScriptHost* host = static_cast<ScriptHost*>(lua_touserdata(L, -1));
    lua_pop(L, 1);
    return host;
}

// Instructions between two counts of the budget.
constexpr int kHookPeriod = 10000;

// The error value as one printable line.
std::string ErrorLine(lua_State* L) {
    std::string message;
    if (const char* text = lua_tostring(L, -1)) {
        message = text;
    } else {
        message = std::string("(error object is a ") + luaL_typename(L, -1) + " value)";
    }
    for (char& c : message) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    return message;
}

// Pushes the global named by the light userdata argument.
int GetGlobal(lua_State* L) {
    lua_getfield(L, LUA_GLOBALSINDEX, static_cast<const char*>(lua_touserdata(L, 1)));
    return 1;
}

}  // namespace

ScriptHost::Budget::Budget(ScriptHost& host) : host_(host) {
    if (host_.depth_++ != 0) return;
    host_.spent_ = 0;
    host_.runaway_.clear();
    lua_sethook(host_.L_, CountInstructions, LUA_MASKCOUNT, kHookPeriod);
}

ScriptHost::Budget::~Budget() {
    if (--host_.depth_ == 0) lua_sethook(host_.L_, nullptr, 0, 0);
}

// Runs every kHookPeriod instructions of any thread: coroutines inherit the
// hook, and a long-lived one spends from each call's budget, not from one of
// its own. Once the budget is spent every further instruction fails too, with
// the same message (printed once), so neither a nested call's handler nor
// the script's own pcall keeps the loop going: the failure reaches the
// outermost call.
void ScriptHost::CountInstructions(lua_State* L, lua_Debug* ar) {
    ScriptHost* host = HostOf(L);
    if (!host) return;
    if (host->runaway_.empty()) {
        host->spent_ += kHookPeriod;
        if (host->spent_ < kInstructionBudget) return;
        lua_getinfo(L, "Sl", ar);
        host->runaway_ = std::string(ar->short_src) + ":" + std::to_string(ar->currentline) +
                         ": stopped after " + std::to_string(kInstructionBudget) +
                         " instructions (an endless loop?)";
        lua_sethook(L, CountInstructions, LUA_MASKCOUNT, 1);
    }
    lua_pushlstring(L, host->runaway_.data(), host->runaway_.size());
    lua_error(L);
}

ScriptHost::ScriptHost() {
    OpenState();
}

void ScriptHost::OpenState() {
    L_ = luaL_newstate();
    luaL_openlibs(L_);
    lua_pushlightuserdata(L_, const_cast<char*>(&kHostKey));
    lua_pushlightuserdata(L_, this);
    lua_rawset(L_, LUA_REGISTRYINDEX);
    if (game_) scriptapi::Register(L_, *game_);
}

void ScriptHost::Reset() {
    if (depth_ != 0) return;
    lua_close(L_);
    reported_ = MessageMemory();
    chunks_.clear();
    OpenState();
}

ScriptHost::~ScriptHost() {
    lua_close(L_);
}

void ScriptHost::RegisterApi(GameState& game) {
    game_ = &game;
    scriptapi::Register(L_, game);
}

void ScriptHost::SetGlobal(const char* name, const std::string& value) {
    lua_pushstring(L_, name);
    lua_pushlstring(L_, value.data(), value.size());
    lua_rawset(L_, LUA_GLOBALSINDEX);
}

std::string ScriptHost::CompileError(const std::string& dataPath) {
    const int status = PushChunk(dataPath);
    if (status == kNoFile) return "";
    const std::string error = status == 0 ? "" : ErrorLine(L_);
    lua_pop(L_, 1);
    return error;
}

// An object's file runs at every creation of the object: compiled once (by
// the stage's check or the first creation), then the compiled chunk runs
// again. Chunks are kept in the registry by data path.
int ScriptHost::PushChunk(const std::string& dataPath) {
    if (chunksGeneration_ != DataPathGeneration()) {
        for (const auto& chunk : chunks_) luaL_unref(L_, LUA_REGISTRYINDEX, chunk.second);
        chunks_.clear();
        chunksGeneration_ = DataPathGeneration();
    }
    auto known = chunks_.find(dataPath);
    if (known == chunks_.end()) {
        const std::string path = ResolveDataPath(dataPath);
        if (path.empty()) {
            chunks_.emplace(dataPath, LUA_NOREF);
            return kNoFile;
        }
        // luaL_loadfile names the chunk "@" + path, so messages point at the file.
        const int status = luaL_loadfile(L_, path.c_str());
        if (status != 0) return status;  // not kept: tried again next time
        lua_pushvalue(L_, -1);
        chunks_.emplace(dataPath, luaL_ref(L_, LUA_REGISTRYINDEX));
        return 0;
    }
    if (known->second == LUA_NOREF) return kNoFile;
    lua_rawgeti(L_, LUA_REGISTRYINDEX, known->second);
    return 0;
}

void ScriptHost::RunFile(const std::string& dataPath) {
    const int status = PushChunk(dataPath);
    if (status != kNoFile) Run(status);
}

bool ScriptHost::RunString(const std::string& source, const std::string& chunkName) {
    return Run(luaL_loadbuffer(L_, source.data(), source.size(), chunkName.c_str()));
}

// Runs the chunk that a load left on the stack, or reports the load error.
bool ScriptHost::Run(int loadStatus) {
    const Budget budget(*this);
    if (loadStatus != 0 || lua_pcall(L_, 0, 0, 0) != 0) {
        ReportError();
        return false;
    }
    return true;
}

void ScriptHost::CallHook(const std::string& hookName, ObjectHandle self) {
    CallHookWith(hookName, &self, 1);
}

void ScriptHost::CallHook(const std::string& hookName, ObjectHandle self, ObjectHandle other) {
    const ObjectHandle handles[2] = {self, other};
    CallHookWith(hookName, handles, 2);
}

void ScriptHost::CallHookWith(const std::string& hookName, const ObjectHandle* handles, int count) {
    const Budget budget(*this);  // a globals metatable's __index runs code too
    if (!PushGlobal(hookName.c_str())) return;
    if (lua_type(L_, -1) != LUA_TFUNCTION) {
        lua_pop(L_, 1);
        return;
    }
    for (int i = 0; i < count; ++i) lua_pushinteger(L_, static_cast<lua_Integer>(handles[i]));
    if (lua_pcall(L_, count, 0, 0) != 0) ReportError();
}

// A plain globals table is read directly. A script may give it a metatable
// whose __index runs code and fails; then the read is protected so that the
// failure is reported like any script error instead of ending the program.
bool ScriptHost::PushGlobal(const char* name) {
    if (!lua_getmetatable(L_, LUA_GLOBALSINDEX)) {
        lua_getfield(L_, LUA_GLOBALSINDEX, name);
        return true;
    }
    lua_pop(L_, 1);
    lua_pushcfunction(L_, GetGlobal);
    lua_pushlightuserdata(L_, const_cast<char*>(name));
    if (lua_pcall(L_, 1, 1, 0) != 0) {
        ReportError();
        return false;
    }
    return true;
}

void ScriptHost::ReportError() {
    const std::string line = ErrorLine(L_);
    lua_pop(L_, 1);
    PrintOnce("Script error: " + line);
}

void ScriptHost::PrintOnce(const std::string& line) {
    reported_.SayOnce(line);
}

void ScriptHost::Warn(lua_State* L, const std::string& line) {
    ScriptHost* host = HostOf(L);
    if (host) host->PrintOnce(line);
}
