// ".script" files: frame events and the end-of-animation flag.
#include "ObjectFiles.h"

const char* const kSeedEndings[] = {".script", nullptr};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::CreateAndRun("Fuzz.script", data, size);
    return 0;
}
