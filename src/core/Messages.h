// Messages: the game's diagnostics are single lines on standard output. A
// MessageMemory prints each distinct line once, so a mistake met every frame
// or at every creation of an object is said once; past 4096 lines it forgets
// them all, so ever-new lines cannot grow it without end.
#pragma once

#include <algorithm>
#include <set>
#include <string>

class MessageMemory {
public:
    // Prints the line (flushed) unless this memory printed it before; true
    // when it printed.
    bool SayOnce(const std::string& line);

private:
    std::set<std::string> said_;
};

// The line of a text an offset falls on, counted from 1.
inline int LineAt(const std::string& text, size_t offset) {
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(std::min(offset, text.size())), '\n'));
}
