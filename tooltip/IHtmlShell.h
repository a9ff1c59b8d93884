#pragma once

#include <optional>
#include <string>

namespace tarvel {

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

// Only web and mail addresses are opened: a tip must never start a program
// or open a local file. Quotes and control characters are refused too, so
// the address stays one argument of the browser's command line.
bool IsOpenableAddress(const std::string& address);
// Opens through the shell, or else runs the registered browser on it;
// false, touching nothing, for an address that is not openable.
bool OpenHtmlAddress(const std::string& address, IHtmlShell& shell);
// The browser's command line cut at "\"%1\"" or "%1", then the address as
// one quoted argument.
std::string BrowserCommandLine(const std::string& registered, const std::string& address);

}  // namespace tarvel
