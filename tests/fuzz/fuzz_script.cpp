// The automation script parser on any script text.
#include <string>

#include "platform/automation/automation.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::Scratch scratch;
    std::string error;
    automation::load_script(fuzz::as_text(data, size), scratch.path(""), &error);
    return 0;
}
