#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "store/FilePort.h"

// autotext-tpl: the template store from the command line.
//   dump DIR    every entry of the eight files as JSON Lines
//   resave DIR  read and write back all eight files as the editor's Save does
//   check DIR   what the format cannot keep or what will surprise the user
class TemplateTool {
public:
    enum ExitCode { kOk = 0, kReported = 1, kUsage = 2 };

    TemplateTool(FilePort& files, std::ostream& out, std::ostream& err) : files_(files), out_(out), err_(err) {}

    int Run(const std::vector<std::string>& arguments);

private:
    int Dump(const std::string& directory);
    int Resave(const std::string& directory);
    int Check(const std::string& directory);
    int WithOutputChecked(int exitCode);

    FilePort& files_;
    std::ostream& out_;
    std::ostream& err_;
};
