#include "anim/DescriptionCheck.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

bool Blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Walks an ".anim" text by the loader's token and list rules and stops at the
// first token the loader would not take as meant. The loader itself goes on
// quietly with what it read; a build should say where the text went wrong.
class DescriptionChecker {
public:
    DescriptionChecker(const std::string& text, DescriptionFault& fault) : text_(text), fault_(fault) {}

    bool Run() {
        static const char* const kHeaderNames[] = {"frameWidth", "frameHeight", "left",
                                                   "top",        "right",       "bottom"};
        int header[6] = {};
        for (int i = 0; i < 6; ++i) {
            if (!Int(header[i]))
                return Fail(std::string("the header needs ") + kHeaderNames[i] +
                            " (six numbers: "
                            "frameWidth frameHeight left top right bottom)");
        }
        const size_t headerEnd = at_;
        SkipSpace();
        // Animations of frames without area show nothing; a hit box alone
        // (a set a script replaces) needs no frames.
        if (at_ != text_.size() && (header[0] <= 0 || header[1] <= 0)) {
            at_ = headerEnd;
            return Fail("frames of " + std::to_string(header[0]) + " x " + std::to_string(header[1]) +
                        " pixels show nothing: frameWidth and frameHeight must be above 0");
        }
        for (;;) {
            SkipSpace();
            if (at_ == text_.size()) return true;
            if (!Record()) return false;
        }
    }

private:
    bool Fail(const std::string& message) {
        fault_.line = 1 + static_cast<int>(std::count(text_.begin(), text_.begin() + static_cast<long>(at_), '\n'));
        fault_.message = message;
        return false;
    }

    void SkipSpace() {
        while (at_ < text_.size() && Blank(text_[at_])) ++at_;
    }

    bool EndOfToken(size_t end, char closing) const {
        return end == text_.size() || Blank(text_[end]) ||
               (closing != 0 && text_[end] == closing);
    }

    bool Int(int& value, char closing = 0) {
        SkipSpace();
        const char* start = text_.c_str() + at_;
        char* end = nullptr;
        errno = 0;
        const long parsed = std::strtol(start, &end, 10);
        const size_t stop = at_ + static_cast<size_t>(end - start);
        if (end == start || errno != 0 || parsed < INT_MIN || parsed > INT_MAX ||
            !EndOfToken(stop, closing))
            return false;
        value = static_cast<int>(parsed);
        at_ = stop;
        return true;
    }

    bool Float(char closing, bool commaMayFollow) {
        const char* start = text_.c_str() + at_;
        char* end = nullptr;
        std::strtod(start, &end);
        const size_t stop = at_ + static_cast<size_t>(end - start);
        if (end == start || Blank(*start)) return false;
        if (!EndOfToken(stop, closing) && !(commaMayFollow && text_[stop] == ',')) return false;
        at_ = stop;
        return true;
    }

    // One list of count values after its opening character, read as the
    // loader reads it: the closing character must follow the opening one or a
    // value directly.
    bool List(const std::string& what, char closing, int count, bool points) {
        ++at_;
        int read = 0;
        while (read < count && at_ < text_.size() && text_[at_] != closing) {
            bool ok = false;
            if (points) {
                SkipSpace();
                ok = Float(closing, true);
                if (ok && at_ < text_.size() && text_[at_] == ',') {
                    ++at_;
                    ok = Float(closing, false);
                }
            } else {
                int value = 0;
                ok = Int(value, closing);
            }
            if (!ok) {
                SkipSpace();
                if (at_ < text_.size() && text_[at_] == closing)
                    return Fail(what + ": '" + std::string(1, closing) +
                                "' must follow the last value directly");
                return Fail(what + ": a value or '" + std::string(1, closing) + "' was expected");
            }
            ++read;
        }
        if (at_ == text_.size() || text_[at_] != closing) {
            return Fail(what + ": more than " + std::to_string(count) + " values, or '" +
                        std::string(1, closing) + "' not right after the last one");
        }
        ++at_;
        return true;
    }

    bool Record() {
        const size_t start = at_;
        while (at_ < text_.size() && !Blank(text_[at_])) ++at_;
        const std::string name = text_.substr(start, at_ - start);
        int count = 0;
        if (!Int(count)) return Fail(name + ": the frame count was expected");
        if (count < 1 || count > 4096)
            return Fail(name + ": a frame count from 1 to 4096 was expected");
        SkipSpace();
        if (at_ < text_.size() && text_[at_] == '[') {
            if (!List(name + "'s delays", ']', count, false)) return false;
        } else {
            int delay = 0;
            if (!Int(delay)) return Fail(name + ": a delay or a '[' delay list was expected");
        }
        SkipSpace();
        if (at_ < text_.size() && text_[at_] == '{' &&
            !List(name + "'s palette offsets", '}', count, false))
            return false;
        SkipSpace();
        if (at_ < text_.size() && text_[at_] == '<' && !List(name + "'s points", '>', count, true))
            return false;
        int loop = 0;
        if (!Int(loop)) return Fail(name + ": the loop frame was expected");
        if (loop < 0 || loop >= count) {
            return Fail(name + ": loop frame " + std::to_string(loop) + " is outside its " +
                        std::to_string(count) + " frames");
        }
        return true;
    }

    const std::string& text_;
    DescriptionFault& fault_;
    size_t at_ = 0;
};

}  // namespace

bool CheckDescription(const std::string& text, DescriptionFault& fault) {
    return DescriptionChecker(text, fault).Run();
}
