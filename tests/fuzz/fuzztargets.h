#pragma once

#include <cstddef>
#include <cstdint>

// Feeds one input to both PDU decoders (also reading the header of a long
// message) and checks that every field they
// filled is a terminated string within its bounds. An input that starts with
// a NUL byte is taken as octets, turned into hexadecimal text (so the fuzzer
// explores the PDU's structure); any other input is the text itself (so it
// explores the reading of the text: case, stray characters, odd lengths).
void fuzzPduDecoders(const uint8_t* data, size_t size);
