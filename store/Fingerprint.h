#pragma once

#include <cstdint>
#include <string_view>

namespace tarvel {

// A 64-bit fingerprint of a file's bytes, to tell whether they changed. Each
// step is one-to-one in the word it takes, so two texts of one length that
// differ in a single word always differ here. Not for anything hostile.
// Journals on disk keep it: its values never change.
std::uint64_t FingerprintOf(std::string_view bytes);
// A fingerprint of the same kind taken in four chains side by side, which
// the processor runs at once, two to a vector: many times as fast, for what
// only the running program compares.
std::uint64_t LaneFingerprintOf(std::string_view bytes);

}  // namespace tarvel
