#include "tests/editor/XPointer.h"

#include <cstdlib>
#include <vector>

namespace tarvel::uitest {
namespace {

constexpr char kDefaultProgram[] = "/usr/bin/xdotool";
constexpr char kShell[] = "/bin/sh";
constexpr char kMarkerFolderOnUnix[] = "/tmp/";
// Wine's drive Z: is the Unix root.
constexpr char kMarkerFolderOnWindows[] = "Z:\\tmp\\";
constexpr DWORD kPollInterval = 10;

std::string Program() {
    const char* chosen = std::getenv("TARVEL_XDOTOOL");
    return chosen != nullptr && *chosen != '\0' ? chosen : kDefaultProgram;
}

}  // namespace

bool XPointer::MoveTo(POINT screen) {
    return Run("mousemove " + std::to_string(screen.x) + " " + std::to_string(screen.y));
}

bool XPointer::Press(int button) { return Run("mousedown " + std::to_string(button)); }

bool XPointer::Release(int button) { return Run("mouseup " + std::to_string(button)); }

bool XPointer::Click(int button) { return Run("click " + std::to_string(button)); }

// Wine starts a Unix program without handles to wait on, so the shell
// leaves a marker file when xdotool has succeeded.
bool XPointer::Run(const std::string& arguments) {
    static int calls = 0;
    const std::string marker =
        "tarvel-xpointer-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++calls);
    const std::string markerOnWindows = kMarkerFolderOnWindows + marker;
    std::string line = std::string(kShell) + " -c \"" + Program() + " " + arguments + " && touch " +
                       kMarkerFolderOnUnix + marker + "\"";
    std::vector<char> command(line.begin(), line.end());
    command.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return false;
    }
    for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < kTimeout; ::Sleep(kPollInterval)) {
        if (::GetFileAttributesA(markerOnWindows.c_str()) != INVALID_FILE_ATTRIBUTES) {
            ::DeleteFileA(markerOnWindows.c_str());
            return true;
        }
    }
    return false;
}

}  // namespace tarvel::uitest
