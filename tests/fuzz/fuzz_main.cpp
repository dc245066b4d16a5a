// The libFuzzer entry of one target: FUZZ_TARGET names it in kFuzzTargets.

#include "tests/fuzz/fuzztargets.h"

#include <QCoreApplication>
#include <cstring>

namespace {

FuzzFunction target = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    for (const FuzzTarget& t : kFuzzTargets) {
        if (std::strcmp(t.name, FUZZ_TARGET) == 0)
            target = t.run;
    }
    require(target != nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    target(data, size);
    return 0;
}
