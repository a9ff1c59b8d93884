#include "tooltip/IHtmlShell.h"

std::string BrowserCommandLine(const std::string& registered, const std::string& address) {
    std::size_t cut = registered.find("\"%1\"");
    if (cut == std::string::npos)
        cut = registered.find("%1");
    std::string command = registered.substr(0, cut);
    return command + " " + address;
}

bool OpenHtmlAddress(const std::string& address, IHtmlShell& shell) {
    if (address.empty())
        return false;
    if (shell.Open(address))
        return true;
    const auto command = shell.RegisteredBrowserCommand();
    return command && shell.Run(BrowserCommandLine(*command, address));
}
