#pragma once

#include <windows.h>

#include <string>

namespace tarvel {
struct AutotextDlgRequest;
}

namespace tarvel::uitest {

// The tests' host: Tarvel.dll loaded once per program from the program's own
// folder, as the host editor loads it, and its editor export called with a
// request record; the prompt export likewise.
class EditorHost {
public:
    // What ShowAutotextEditor returns when the library could not be loaded.
    static constexpr int kNotLoaded = -100;

    // The directory is passed verbatim (no separator added).
    static int ShowAutotextEditor(const std::string& templateDirectory, HWND parent = nullptr);
    // The prompt export with the test's record.
    static int ShowAutotextDlg(AutotextDlgRequest& request);
    static HMODULE Module();
};

}  // namespace tarvel::uitest
