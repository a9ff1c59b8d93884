#pragma once

#include <string>

namespace tarvel::host {

// The folder of the running program, with its trailing backslash.
std::string ProgramFolder();

// A directory as a host passes it to the module: the module appends file
// names directly, so the string must end with a separator. The empty string
// (the current directory) stays empty.
std::string WithTrailingSeparator(std::string directory);

}  // namespace tarvel::host
