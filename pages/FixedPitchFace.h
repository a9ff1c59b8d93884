#pragma once

#include <string>

namespace tarvel {

// The face the code views show code in: the first of the usual fixed-pitch
// faces that the system has, else any fixed-pitch face it has. Asked for a
// face it does not have, Scintilla would get a proportional one, and the
// columns of code and the edge at column 80 would no longer line up.
const std::string& FixedPitchFace();

}  // namespace tarvel
