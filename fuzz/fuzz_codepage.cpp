// The code-page 932 decoder on any bytes, and the encoder on what it gives.
#include "core/codepage.h"
#include "fuzz_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text = core::decodeCp932(asText(data, size));
    if (auto bytes = core::encodeCp932(text)) require(core::decodeCp932(*bytes) == text);
    (void)core::isStorableText(asText(data, size));
    return 0;
}
