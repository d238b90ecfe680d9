#include "script/ScriptHost.h"

#include <lua.hpp>

// Not built yet: the state exists but runs nothing.
ScriptHost::ScriptHost() : L_(luaL_newstate()) { luaL_openlibs(L_); }
ScriptHost::~ScriptHost() { lua_close(L_); }
void ScriptHost::RegisterApi(Game&) {}
void ScriptHost::RunFile(const std::string&) {}
bool ScriptHost::RunString(const std::string&, const std::string&) { return false; }
void ScriptHost::CallHook(const std::string&, ObjectHandle) {}
void ScriptHost::CallHook(const std::string&, ObjectHandle, ObjectHandle) {}
void ScriptHost::ReportError() {}
