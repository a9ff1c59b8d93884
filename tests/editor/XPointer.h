#pragma once

#include <windows.h>

#include <string>

namespace tarvel::uitest {

// The X pointer of the virtual display, moved and pressed by xdotool: Wine
// takes its motion and buttons as real mouse input, which a drag in a tree
// control needs. Each call waits until xdotool is done; false when it could
// not run or failed. TARVEL_XDOTOOL names another xdotool program.
class XPointer {
public:
    static constexpr int kLeftButton = 1;
    static constexpr int kRightButton = 3;

    static bool MoveTo(POINT screen);
    static bool Press(int button);
    static bool Release(int button);
    static bool Click(int button);

private:
    static constexpr DWORD kTimeout = 10000;
    static bool Run(const std::string& arguments);
};

}  // namespace tarvel::uitest
