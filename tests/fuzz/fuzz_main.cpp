// libFuzzer entry for the PDU decoders.

#include "tests/fuzz/pdufuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzPduDecoders(data, size);
    return 0;
}
