#pragma once

#include <string>
#include <vector>

#include "interop/SnippetLoss.h"

// A snippet's body as an entry's code (still in the source's encoding), and
// what of it the code does not hold.
struct ConvertedBody {
    std::string code;
    std::vector<SnippetLoss> losses;
};
