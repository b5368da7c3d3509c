// libFuzzer entry: the frame decoder and sorter against the reference model.
#include "decodercheck.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string error = checkDecoder(data, size);
    if (!error.empty()) {
        std::fprintf(stderr, "decoder fault: %s\n", error.c_str());
        std::abort();
    }
    return 0;
}
