#include "support/InputHarness.h"

#include <gtest/gtest.h>

#include <algorithm>


#include "app/Game.h"
#include "app/GameFrame.h"
#include "core/Random.h"

::testing::AssertionResult Shows(const FrameState& s, const std::string& expect) {
    const std::string mismatch = StateMismatch(s, expect);
    if (mismatch.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << mismatch << " in \"" << expect << "\" not shown by\n"
                                         << FormatFrameState(s);
}

InputHarness::InputHarness(Game& game) : game_(game), previousLog_(game.sounds.log) {
    SeedRandom(1);
    game_.sounds.log = &log_;
}

InputHarness::~InputHarness() {
    game_.sounds.log = previousLog_;
}

FrameState InputHarness::Step(const std::string& extra) {
    const int next = game_.frameCounter + 1;
    InputScript one;
    for (size_t start = 0; start < extra.size();) {
        const size_t end = std::min(extra.find(", ", start), extra.size());
        ScriptedEvent event;
        std::string error;
        if (ParseScriptedEvent(extra.substr(start, end - start), event, error))
            one.events[next].push_back(event);
        else
            ADD_FAILURE() << "frame " << next << ": " << error;
        start = end + 2;
    }
    QueueFrameEvents(one, next, game_.bindings, events);
    Flush();
    log_.clear();
    counted_ = 0;
    const bool running = RunGameFrame(game_, events);
    Flush();
    FrameState state = CaptureFrameState(game_, log_);
    state.running = running;
    return state;
}

void InputHarness::Play(const std::vector<Beat>& beats) {
    for (size_t b = 0; b < beats.size(); ++b) {
        FrameState state;
        for (int i = 0; i < beats[b].frames; ++i) state = Step(i == 0 ? beats[b].events : "");
        EXPECT_TRUE(Shows(state, beats[b].expect)) << "beat " << b + 1;
    }
}

void InputHarness::Flush() {
    if (all_) all_->insert(all_->end(), log_.begin() + counted_, log_.end());
    counted_ = log_.size();
}
