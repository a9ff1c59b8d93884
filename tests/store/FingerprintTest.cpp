#include <gtest/gtest.h>

#include <string>

#include "store/Fingerprint.h"

using namespace tarvel;

// Texts of one length that differ in one byte, wherever it stands (in each
// of the lanes' words, in the words and bytes after them), have different
// fingerprints, and so do texts that differ only in length.
TEST(Fingerprint, OneChangedByteOrLengthShows) {
    for (const std::size_t size : {1, 7, 8, 31, 32, 33, 64, 100}) {
        std::string text;
        for (std::size_t at = 0; at < size; ++at)
            text += static_cast<char>('a' + at % 26);
        const auto fingerprint = LaneFingerprintOf(text);
        EXPECT_EQ(LaneFingerprintOf(std::string(text)), fingerprint);
        EXPECT_NE(LaneFingerprintOf(text + '\0'), fingerprint) << "size " << size;
        for (std::size_t place = 0; place < size; ++place) {
            std::string changed = text;
            changed[place] = '\xE9';
            EXPECT_NE(LaneFingerprintOf(changed), fingerprint) << "size " << size << ", place " << place;
        }
    }
}
