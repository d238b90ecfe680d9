// SoundOutput: how objects and the hero's rules reach the sound effects
// without knowing the mixer. The program's sound cache is the one
// implementation; a World without one plays nothing.
#pragma once

#include <string>

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Plays name on channel (-1: any free one) with loops repeats (-1: until
    // stopped); returns the channel used, or -1 when nothing plays.
    virtual int PlaySound(const std::string& name, int channel, int loops) = 0;
    virtual void SetChannelMute(int channel, bool mute) = 0;
    virtual bool ChannelPlaying(int channel) const = 0;
};
