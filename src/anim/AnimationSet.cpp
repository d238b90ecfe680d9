#include "anim/AnimationSet.h"

#include <cctype>
#include <cmath>
#include <sstream>

int Animation::DelayAt(int frame) const {
    if (frame < 0 || frame >= static_cast<int>(delays.size())) return -1;
    return delays[frame];
}

int Animation::PaletteOffsetAt(int frame) const {
    if (frame < 0 || frame >= static_cast<int>(paletteOffsets.size())) return 0;
    return paletteOffsets[frame];
}

CellBox AnimationSet::DrawnBox(AnimFrame cell) const {
    if (!opaqueCells) return CellBox{0, 0, frameWidth, frameHeight};
    return opaqueCells->Drawn(cell.column, cell.row, frameWidth, frameHeight);
}

void AnimationSet::Show(const SheetPicture& picture) {
    texture = picture.texture;
    rectTexture = picture.rectTexture;
    opaqueCells = picture.opaqueCells;
}

AnimFrame Animation::CellAt(int frame) const {
    if (frame < 0 || frame >= static_cast<int>(cells.size())) return AnimFrame();
    return cells[frame];
}

const Animation* AnimationSet::Current() const {
    if (!table || currentAnimation < 0 || currentAnimation >= static_cast<int>(table->animations.size()))
        return nullptr;
    return &table->animations[currentAnimation];
}

const std::vector<Animation>& AnimationSet::Animations() const {
    static const std::vector<Animation> none;
    return table ? table->animations : none;
}

const std::map<std::string, int>& AnimationSet::AnimationIndex() const {
    static const std::map<std::string, int> none;
    return table ? table->index : none;
}

void AnimationSet::ChangeAnimation(const std::string& name) {
    const auto& index = AnimationIndex();
    auto found = index.find(name);
    if (found == index.end() || found->second == currentAnimation) return;
    currentAnimation = found->second;
    currentFrame = 0;
    frameTick = 0;
    loopCount = 0;
}

bool AnimationSet::IsPlaying(const std::string& name) const {
    const auto& index = AnimationIndex();
    auto found = index.find(name);
    return found != index.end() && found->second == currentAnimation;
}

void AnimationSet::Advance() {
    const Animation* animation = Current();
    if (!animation) return;
    int old = frameTick;
    frameTick = old + 1;
    if (old == animation->DelayAt(currentFrame)) {
        currentFrame += 1;
        frameTick = 1;
    }
    if (currentFrame == animation->frameCount) {
        loopCount += 1;
        currentFrame = animation->loopFrame;
    }
}

void AnimationSet::SeekFrame(int n) {
    currentFrame = 0;
    frameTick = 0;
    for (int i = 0; i < n; ++i) Advance();
}

bool AnimationSet::FrameEnding() const {
    const Animation* animation = Current();
    return animation && frameTick == animation->DelayAt(currentFrame);
}

bool AnimationSet::FrameEndingAt(int n) const {
    return FrameEnding() && currentFrame == n;
}

bool AnimationSet::HitFrame(int n) const {
    return frameTick == 1 && static_cast<long long>(currentFrame) == static_cast<long long>(n) - 1;
}

int AnimationSet::PaletteRow() const {
    const double row = paletteIndex * 32.0;
    // A row no palette image has; clamped so the conversion stays defined.
    if (std::isnan(row)) return 0;
    if (row >= 2147483647.0) return 2147483647;
    if (row <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(row);
}

void CopyAnimation(AnimationSet& target, const AnimationSet& source) {
    target.currentAnimation = source.currentAnimation;
    target.frameTick = source.frameTick;
    target.currentFrame = source.currentFrame;
}

namespace {

// More frames than any sheet can hold: a larger count is a broken file.
constexpr int kMaxFrameCount = 4096;

void SkipSpace(std::istream& in) {
    while (std::isspace(in.peek())) in.get();
}

// The list rules shared by delays, palette offsets and points: values are read
// until count values were read or the closing character follows the opening
// character or a value directly; then one character is skipped. Missing values
// repeat the last one read, or the start value when none was.
template <typename T, typename ReadValue>
bool ReadList(std::istream& in, char closing, int count, T startValue, ReadValue readValue,
              std::vector<T>& out) {
    in.get();  // the opening character
    T last = startValue;
    int read = 0;
    while (read < count && in.peek() != closing) {
        T value;
        if (!readValue(in, value)) return false;
        out.push_back(value);
        last = value;
        ++read;
    }
    in.get();
    while (static_cast<int>(out.size()) < count) out.push_back(last);
    return true;
}

bool ReadInt(std::istream& in, int& value) {
    return static_cast<bool>(in >> value);
}

bool ReadPoint(std::istream& in, Vector2& point) {
    if (!(in >> point.x)) return false;
    point.y = 0.0f;
    if (in.peek() == ',') {
        in.get();
        if (!(in >> point.y)) return false;
    }
    return true;
}

}  // namespace

bool ParseAnimationDescription(const std::string& text, int imageWidth, AnimationSet& set) {
    std::istringstream in(text);
    if (!(in >> set.frameWidth >> set.frameHeight >> set.left >> set.top >> set.right >>
          set.bottom))
        return false;
    const int perRow = set.frameWidth > 0 ? imageWidth / set.frameWidth : 1;
    int cell = 0;
    auto table = std::make_shared<AnimationTable>();
    set.table = table;  // filled below; no copy exists yet
    for (;;) {
        std::string name;
        int count = 0;
        if (!(in >> name >> count)) break;
        Animation animation;
        const int frames = count < 0 ? 0 : (count > kMaxFrameCount ? kMaxFrameCount : count);
        animation.frameCount = frames;
        bool complete = true;

        SkipSpace(in);
        if (in.peek() == '[') {
            complete = ReadList(in, ']', frames, -1, ReadInt, animation.delays);
        } else {
            int delay = 0;
            complete = ReadInt(in, delay);
            animation.delays.assign(frames, delay);
        }
        if (complete) {
            SkipSpace(in);
            if (in.peek() == '{')
                complete = ReadList(in, '}', frames, 0, ReadInt, animation.paletteOffsets);
        }
        if (complete) {
            SkipSpace(in);
            if (in.peek() == '<')
                complete = ReadList(in, '>', frames, Vector2(), ReadPoint, animation.points);
        }
        if (complete) complete = ReadInt(in, animation.loopFrame);

        // A record cut short keeps well-formed lists so playback stays in bounds.
        animation.delays.resize(frames, -1);
        animation.paletteOffsets.resize(frames, 0);
        animation.points.resize(frames, Vector2(set.frameWidth / 2.0f, 0.0f));
        for (int i = 0; i < frames; ++i) {
            AnimFrame frame;
            frame.column = perRow > 0 ? cell % perRow : 0;
            frame.row = perRow > 0 ? cell / perRow : cell;
            animation.cells.push_back(frame);
            ++cell;
        }
        table->index[name] = static_cast<int>(table->animations.size());
        table->animations.push_back(animation);
        if (!complete) break;
    }
    return true;
}
