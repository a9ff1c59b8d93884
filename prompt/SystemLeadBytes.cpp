#include "prompt/SystemLeadBytes.h"

#include <windows.h>

namespace tarvel {

LeadBytes SystemLeadBytes() {
    return LeadBytes::Where([](unsigned char byte) { return ::IsDBCSLeadByte(byte) != FALSE; });
}

}  // namespace tarvel
