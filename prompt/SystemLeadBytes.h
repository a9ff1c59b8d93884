#pragma once

#include "prompt/LeadBytes.h"

namespace tarvel {

// The lead bytes of the system's ANSI code page.
LeadBytes SystemLeadBytes();

}  // namespace tarvel
