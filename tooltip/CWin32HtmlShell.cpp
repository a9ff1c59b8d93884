#include "tooltip/CWin32HtmlShell.h"

#include <windows.h>
#include <shellapi.h>

namespace tarvel {

namespace {

constexpr INT_PTR kLastShellError = 32;
constexpr UINT kLastExecError = 31;

std::optional<std::string> ClassesValue(const std::string& key) {
    LONG size = 0;
    if (::RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, &size) != ERROR_SUCCESS || size <= 1)
        return std::nullopt;
    std::string value(static_cast<std::size_t>(size), '\0');
    if (::RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), value.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.resize(value.find('\0') == std::string::npos ? value.size() : value.find('\0'));
    return value;
}

}  // namespace

bool CWin32HtmlShell::Open(const std::string& address) {
    const auto result =
        reinterpret_cast<INT_PTR>(::ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOW));
    return result > kLastShellError;
}

std::optional<std::string> CWin32HtmlShell::RegisteredBrowserCommand() {
    const auto documentClass = ClassesValue(".htm");
    if (!documentClass)
        return std::nullopt;
    return ClassesValue(*documentClass + "\\shell\\open\\command");
}

bool CWin32HtmlShell::Run(const std::string& commandLine) {
    return ::WinExec(commandLine.c_str(), SW_SHOW) > kLastExecError;
}

}  // namespace tarvel
