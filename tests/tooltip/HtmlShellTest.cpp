#include <gtest/gtest.h>

#include <vector>

#include "tooltip/IHtmlShell.h"

using namespace tarvel;

namespace {

struct RecordingShell : IHtmlShell {
    bool Open(const std::string& address) override {
        opened.push_back(address);
        return openWorks;
    }
    std::optional<std::string> RegisteredBrowserCommand() override { return command; }
    bool Run(const std::string& commandLine) override {
        ran.push_back(commandLine);
        return true;
    }
    bool openWorks = true;
    std::optional<std::string> command;
    std::vector<std::string> opened, ran;
};

TEST(HtmlShell, BrowserCommandIsCutAtThePlaceholder) {
    EXPECT_EQ(BrowserCommandLine("\"C:\\b.exe\" -nohome \"%1\"", "http://x"),
              "\"C:\\b.exe\" -nohome  \"http://x\"");
    EXPECT_EQ(BrowserCommandLine("b.exe %1 -x", "http://u v"), "b.exe  \"http://u v\"");
    EXPECT_EQ(BrowserCommandLine("b.exe", "mailto:u"), "b.exe \"mailto:u\"");
}

TEST(HtmlShell, ShellOpenFirstThenTheRegisteredBrowser) {
    RecordingShell shell;
    EXPECT_TRUE(OpenHtmlAddress("http://x", shell));
    EXPECT_TRUE(shell.ran.empty());
    shell.openWorks = false;
    shell.command = "b.exe \"%1\"";
    EXPECT_TRUE(OpenHtmlAddress("http://y", shell));
    EXPECT_EQ(shell.ran, std::vector<std::string>{"b.exe  \"http://y\""});
    shell.command.reset();
    EXPECT_FALSE(OpenHtmlAddress("http://z", shell));
    EXPECT_FALSE(OpenHtmlAddress("", shell));
    EXPECT_EQ(shell.opened.size(), 3u);
}

TEST(HtmlShell, OnlyWebAndMailAddressesAreOpened) {
    const struct {
        const char* address;
        bool openable;
    } cases[] = {
        {"http://example.org/support/tooltip.html?option=x", true},
        {"HTTPS://example.org", true},
        {"mailto:help@example.org", true},
        {"C:\\Windows\\system32\\calc.exe", false},
        {"calc.exe", false},
        {"file:///etc/passwd", false},
        {"ftp://example.org", false},
        {"javascript:alert(1)", false},
        {"\\\\server\\share\\run.bat", false},
        {"http://", false},
        {"http://x\" -silent \"C:\\evil.exe", false},
        {"http://x\nnext", false},
        {"", false},
    };
    for (const auto& c : cases) {
        RecordingShell shell;
        shell.openWorks = false;
        shell.command = "b.exe \"%1\"";
        EXPECT_EQ(OpenHtmlAddress(c.address, shell), c.openable) << c.address;
        EXPECT_EQ(shell.opened.empty(), !c.openable) << c.address;
        EXPECT_EQ(shell.ran.empty(), !c.openable) << c.address;
    }
}

}  // namespace
