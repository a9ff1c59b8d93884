#pragma once

#include "prompt/LeadBytes.h"

namespace tarvel {

// The lead bytes of code page 932 (Shift-JIS).
inline LeadBytes ShiftJisLeadBytes() {
    return LeadBytes::Where([](unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); });
}

}  // namespace tarvel
