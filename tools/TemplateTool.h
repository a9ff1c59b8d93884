#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "interop/CodePage.h"
#include "store/FilePort.h"

namespace tarvel {

// autotext-tpl: the template store from the command line.
//   dump DIR    every entry of the eight files as JSON Lines
//   resave DIR  read and write back all eight files as the editor's Save does
//   check DIR   what the format cannot keep or what will surprise the user
//   import DIR FILE... [--language NAME] [--dry-run]
//               add other editors' snippets, saved as the editor's Save does;
//               the report of what did not carry over on standard error
//   export DIR OUT [--format vscode]
//               VS Code's snippets: one file per language into the folder
//               OUT, or all languages into OUT when it ends in .code-snippets
class TemplateTool {
public:
    enum ExitCode { kOk = 0, kReported = 1, kUsage = 2 };

    TemplateTool(FilePort& files, const CodePage& codePage, std::ostream& out, std::ostream& err)
        : files_(files), codePage_(codePage), out_(out), err_(err) {}

    int Run(const std::vector<std::string>& arguments);

private:
    int Dump(const std::string& directory);
    int Resave(const std::string& directory);
    int Check(const std::string& directory);
    int Import(const std::string& directory, const std::vector<std::string>& arguments);
    int Export(const std::string& directory, const std::vector<std::string>& arguments);
    bool WriteExport(const std::string& path, const std::string& text);
    int Usage();
    int WithOutputChecked(int exitCode);

    FilePort& files_;
    const CodePage& codePage_;
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace tarvel
