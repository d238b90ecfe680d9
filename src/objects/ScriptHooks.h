// ScriptHooks: how objects reach their scripts without knowing Lua. The
// program's script host is the one implementation; a World without one runs
// no scripts.
#pragma once

#include <string>

#include "objects/ObjectHandle.h"

class ScriptHooks {
public:
    virtual ~ScriptHooks() = default;
    // Loads and runs an object's ".lua" file found by its data path; a
    // missing file runs nothing.
    virtual void RunFile(const std::string& dataPath) = 0;
    // Calls the hook with the object's handle (and the other's, for Collide);
    // a missing hook is no error.
    virtual void CallHook(const std::string& hookName, ObjectHandle self) = 0;
    virtual void CallHook(const std::string& hookName, ObjectHandle self, ObjectHandle other) = 0;
    // Sets a string global the scripts read (the stage's name).
    virtual void SetGlobal(const char* name, const std::string& value) = 0;
    // Why a ".lua" file found by its data path does not compile ("" when it
    // does, or is missing), without running it.
    virtual std::string CompileError(const std::string& dataPath) = 0;
};
