#pragma once
// One input for the setup-file reader, checked against what a refused file
// must leave alone. Aborts when the program breaks that promise.

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
