#include <gtest/gtest.h>

#include <vector>

#include "tooltip/IHtmlShell.h"

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
    EXPECT_EQ(BrowserCommandLine("\"C:\\b.exe\" -nohome \"%1\"", "http://x"), "\"C:\\b.exe\" -nohome  http://x");
    EXPECT_EQ(BrowserCommandLine("b.exe %1 -x", "u"), "b.exe  u");
    EXPECT_EQ(BrowserCommandLine("b.exe", "u"), "b.exe u");
}

TEST(HtmlShell, ShellOpenFirstThenTheRegisteredBrowser) {
    RecordingShell shell;
    EXPECT_TRUE(OpenHtmlAddress("http://x", shell));
    EXPECT_TRUE(shell.ran.empty());
    shell.openWorks = false;
    shell.command = "b.exe \"%1\"";
    EXPECT_TRUE(OpenHtmlAddress("http://y", shell));
    EXPECT_EQ(shell.ran, std::vector<std::string>{"b.exe  http://y"});
    shell.command.reset();
    EXPECT_FALSE(OpenHtmlAddress("http://z", shell));
    EXPECT_FALSE(OpenHtmlAddress("", shell));
    EXPECT_EQ(shell.opened.size(), 3u);
}

}  // namespace
