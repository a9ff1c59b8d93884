#pragma once

#include <cstdint>
#include <string_view>

// A 64-bit fingerprint of a file's bytes, to tell whether they changed. Each
// step is one-to-one in the word it takes, so two texts of one length that
// differ in a single word always differ here. Not for anything hostile.
std::uint64_t FingerprintOf(std::string_view bytes);
