// input.cfg, then a press and a release of every key and button it bound,
// through the event pump.
#include "FuzzTarget.h"
#include "app/EventPump.h"
#include "app/Game.h"

const char* const kSeedEndings[] = {"input.cfg", nullptr};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Put("input.cfg", fuzz::Text(data, size));
    Game game;
    game.bindings.ReadInputConfig("input.cfg");
    EventSource events = EventSource::Queue();
    for (const auto& key : game.bindings.keys) {
        events.PushKey(key.first, true);
        events.PushKey(key.first, false);
    }
    for (const auto& button : game.bindings.joystickButtons) {
        events.PushJoystickButton(button.first, true);
        events.PushJoystickButton(button.first, false);
    }
    while (!events.queued.empty()) ProcessEvents(game, events);
    return 0;
}
