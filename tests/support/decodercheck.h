#ifndef DECODERCHECK_H
#define DECODERCHECK_H

#include <cstddef>
#include <cstdint>
#include <string>

// Runs the frame decoder and sorter over `data` and checks them against the
// reference model. The first byte does not go on the wire: it chooses how the
// rest is cut into read blocks, so block boundaries vary too. Returns what went
// wrong, or an empty string.
std::string checkDecoder(const std::uint8_t *data, std::size_t size);

#endif
