// ".sprite" and ".palette" sources: each input is read as both, and what
// parses is drawn as the preview tool draws it.
#include "FuzzTarget.h"
#include "SheetBuilder.h"

const char* const kSeedEndings[] = {".sprite", ".palette", nullptr};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = fuzz::Text(data, size);
    SourceError error;
    PaletteSheet palette;
    const bool hasPalette = ParsePalette("Fuzz.palette", text, palette, error);
    SpriteSheet sheet;
    if (ParseSprite("Fuzz.sprite", text, sheet, error) &&
        static_cast<long long>(sheet.image.width) * sheet.image.height <= 1 << 20)
        RenderPreview(sheet, hasPalette ? &palette : nullptr, size % 40 - 4, 1, Rgba{1, 2, 3, 255});
    return 0;
}
