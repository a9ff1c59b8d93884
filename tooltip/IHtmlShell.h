#pragma once

#include <optional>
#include <string>

// The system calls that open a link's address.
class IHtmlShell {
public:
    virtual ~IHtmlShell() = default;
    // Asks the shell to "open" the address; false when it could not.
    virtual bool Open(const std::string& address) = 0;
    // The command line of the browser registered for ".htm", if any.
    virtual std::optional<std::string> RegisteredBrowserCommand() = 0;
    virtual bool Run(const std::string& commandLine) = 0;
};

// Opens through the shell, or else runs the registered browser on it.
bool OpenHtmlAddress(const std::string& address, IHtmlShell& shell);
// The browser's command line cut at "\"%1\"" or "%1", then the address.
std::string BrowserCommandLine(const std::string& registered, const std::string& address);
