// ".anim" descriptions, then every animation played: parsing and the
// playback rules over whatever frames, delays and loops the text gives.
#include "FuzzTarget.h"
#include "anim/AnimationSet.h"

const char* const kSeedEndings[] = {".anim", nullptr};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    AnimationSet set;
    const int imageWidth = size > 0 ? data[0] * 4 : 0;  // narrow sheets, wide ones, none
    if (!ParseAnimationDescription(fuzz::Text(data, size), imageWidth, set)) return 0;
    for (const auto& named : set.AnimationIndex()) {
        set.ChangeAnimation(named.first);
        for (int tick = 0; tick < 40; ++tick) {
            set.Advance();
            set.HitFrame(tick);
            set.FrameEndingAt(tick);
            set.PaletteRow();
            if (const Animation* animation = set.Current()) {
                animation->CellAt(set.currentFrame);
                animation->PaletteOffsetAt(set.currentFrame);
            }
        }
        set.SeekFrame(3);
    }
    return 0;
}
