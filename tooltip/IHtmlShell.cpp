#include "tooltip/IHtmlShell.h"

#include <algorithm>
#include <cctype>

namespace tarvel {

namespace {

constexpr const char* kOpenableSchemes[] = {"http://", "https://", "mailto:"};

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

}  // namespace

bool IsOpenableAddress(const std::string& address) {
    const bool plain = std::none_of(address.begin(), address.end(), [](char c) {
        return c == '"' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    return plain && std::any_of(std::begin(kOpenableSchemes), std::end(kOpenableSchemes), [&](const char* scheme) {
               return StartsWithNoCase(address, scheme) && address.size() > std::char_traits<char>::length(scheme);
           });
}

std::string BrowserCommandLine(const std::string& registered, const std::string& address) {
    std::size_t cut = registered.find("\"%1\"");
    if (cut == std::string::npos)
        cut = registered.find("%1");
    std::string command = registered.substr(0, cut);
    return command + " \"" + address + "\"";
}

bool OpenHtmlAddress(const std::string& address, IHtmlShell& shell) {
    if (!IsOpenableAddress(address))
        return false;
    if (shell.Open(address))
        return true;
    const auto command = shell.RegisteredBrowserCommand();
    return command && shell.Run(BrowserCommandLine(*command, address));
}

}  // namespace tarvel
