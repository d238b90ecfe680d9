// ScriptHost: the one Lua 5.1 state that every object shares, with all
// standard libraries and the 39 script functions (ScriptApi.h).
//
// Hooks are global functions named after the object and a suffix
// ("WalkerCreate", "WalkerUpdate", "WalkerOnFrame3", "WalkerCollide",
// "WalkerHitGround", "WalkerDeath"); a missing hook is no error. A hook or a
// ".lua" file that fails ends only that call; its message is printed as one
// line, "Script error: <file>:<line>: <message>", the first time it occurs
// (a hook failing every frame prints once), and the game goes on. Every call
// leaves the Lua stack as it found it.
//
// A hook call or file run, with everything it calls (hooks of objects it
// creates included), may run kInstructionBudget Lua instructions; past them
// it is stopped with "Script error: <file>:<line>: ..." like any failure, so
// an endless loop costs a moment, not the game.
#pragma once

#include <string>
#include <unordered_map>

#include "core/Messages.h"
#include "objects/ScriptHooks.h"

struct lua_State;
struct GameState;

class ScriptHost : public ScriptHooks {
public:
    static constexpr int kInstructionBudget = 10000000;

    ScriptHost();
    ~ScriptHost() override;
    ScriptHost(const ScriptHost&) = delete;
    ScriptHost& operator=(const ScriptHost&) = delete;

    // Registers the script functions; they act on this game.
    void RegisterApi(GameState& game);

    // A fresh Lua state, as if the program had just started: every global a
    // script set is gone, the functions are registered again, and messages
    // print again. Not while a script runs (then nothing happens).
    void Reset();

    // Loads and runs a ".lua" file found by its data path; a missing file runs
    // nothing, silently. Messages name the file as found on disk.
    void RunFile(const std::string& dataPath) override;

    // Runs a chunk of Lua source (tests, tools); returns false on an error,
    // which is reported like any other.
    bool RunString(const std::string& source, const std::string& chunkName);

    // Calls the hook with the object's handle (and the other's, for Collide).
    void CallHook(const std::string& hookName, ObjectHandle self) override;
    void CallHook(const std::string& hookName, ObjectHandle self, ObjectHandle other) override;

    // Raw, so that a script's metatable on the globals neither sees nor
    // fails it.
    void SetGlobal(const char* name, const std::string& value) override;

    std::string CompileError(const std::string& dataPath) override;

    lua_State* State() const { return L_; }

    // Prints a line about a script's mistake, once per distinct line (shared
    // with the script errors' memory), through the host that owns L.
    static void Warn(lua_State* L, const std::string& line);

private:
    // Counts the outermost call's instructions while alive; nested calls share it.
    class Budget {
    public:
        explicit Budget(ScriptHost& host);
        ~Budget();
        Budget(const Budget&) = delete;
        Budget& operator=(const Budget&) = delete;

    private:
        ScriptHost& host_;
    };
    static void CountInstructions(lua_State* L, struct lua_Debug* ar);

    void OpenState();
    void CallHookWith(const std::string& hookName, const ObjectHandle* handles, int count);
    bool PushGlobal(const char* name);
    bool Run(int loadStatus);
    // The compiled chunk of an object file on the stack (0), or its load
    // error (a Lua status), or kNoFile with nothing pushed.
    static constexpr int kNoFile = -1;
    int PushChunk(const std::string& dataPath);
    void ReportError();
    // Prints the line unless it was printed before.
    void PrintOnce(const std::string& line);

    lua_State* L_ = nullptr;
    MessageMemory reported_;          // messages already printed
    int depth_ = 0;                   // calls into Lua under way
    GameState* game_ = nullptr;       // the functions' game, for Reset
    int spent_ = 0;                   // instructions the outermost call has run
    std::string runaway_;             // its message once it ran out
    std::unordered_map<std::string, int> chunks_;  // compiled object files: data path -> registry ref
    unsigned chunksGeneration_ = 0;   // of the data-path lookup the chunks were found by
};
