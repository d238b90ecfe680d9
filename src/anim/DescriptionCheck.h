// DescriptionCheck: an ".anim" text walked by the loader's own token and list
// rules, stopping at the first token the loader would not take as meant. The
// loader goes on quietly with what it read (AnimationSet.h); the game and the
// sheet builder use this to say where the text went wrong.
#pragma once

#include <string>

struct DescriptionFault {
    int line = 0;         // counted from 1
    std::string message;  // e.g. "Charge's delays: more than 4 values, or ']' not right after the last one"
};

// True when the whole text reads as meant; else the first fault.
bool CheckDescription(const std::string& text, DescriptionFault& fault);
