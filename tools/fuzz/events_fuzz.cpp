// ".events" files: the names an object's death announces.
#include "ObjectFiles.h"

const char* const kSeedEndings[] = {".events", nullptr};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::CreateAndRun("Fuzz.events", data, size);
    return 0;
}
