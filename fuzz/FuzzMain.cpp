// One libFuzzer program per entry; HARDLENS_FUZZ_ENTRY names the entry of this one.
#include "FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return hl::fuzz::HARDLENS_FUZZ_ENTRY(data, size);
}
