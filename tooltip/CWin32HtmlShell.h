#pragma once

#include "tooltip/IHtmlShell.h"

namespace tarvel {

// ShellExecute "open", the ".htm" class's open command, and WinExec.
class CWin32HtmlShell : public IHtmlShell {
public:
    bool Open(const std::string& address) override;
    std::optional<std::string> RegisteredBrowserCommand() override;
    bool Run(const std::string& commandLine) override;
};

}  // namespace tarvel
