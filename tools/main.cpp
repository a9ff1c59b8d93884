#include <iostream>
#include <string>
#include <vector>

#include "tools/TemplateTool.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include "interop/Win32CodePage.h"
#include "store/Win32FilePort.h"
#else
#include "interop/Windows1252CodePage.h"
#include "store/PosixFilePort.h"
#endif

using namespace tarvel;

namespace {
#ifdef _WIN32
using PlatformFilePort = Win32FilePort;
using PlatformCodePage = Win32CodePage;
#else
using PlatformFilePort = PosixFilePort;
using PlatformCodePage = Windows1252CodePage;
#endif
}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // JSON Lines end in LF on every platform.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    PlatformFilePort files;
    PlatformCodePage codePage;
    TemplateTool tool(files, codePage, std::cout, std::cerr);
    try {
        return tool.Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        std::cerr << "autotext-tpl: " << error.what() << '\n';
        return TemplateTool::kUsage;
    }
}
