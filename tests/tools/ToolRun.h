#pragma once

// autotext-tpl run in this process on the platform's files, as its main runs
// it: its exit code and what it wrote to each stream.
#include <sstream>
#include <string>
#include <vector>

#include "interop/Windows1252CodePage.h"
#include "tests/store/StoreTestSupport.h"
#include "tools/TemplateTool.h"

namespace tarvel {

struct ToolRun {
    int exitCode;
    std::string out;
    std::string err;
};

inline ToolRun RunTool(const std::vector<std::string>& arguments) {
    auto files = storetest::MakePlatformFilePort();
    std::ostringstream out, err;
    const Windows1252CodePage codePage;
    const int exitCode = TemplateTool(*files, codePage, out, err).Run(arguments);
    return {exitCode, out.str(), err.str()};
}

}  // namespace tarvel
