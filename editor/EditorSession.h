#pragma once

namespace tarvel {

struct AutotextEntry;
class CQnTempDlg;

// What the editor dialog, its pages and its tree share while one editor call
// runs. The module owns it, so that a second call from inside the first
// one's loop finds the editor open; the export hands it to the dialog.
struct EditorSession {
    AutotextEntry* currentEntry = nullptr;
    // Cleared while the dialog itself fills the code editor (EditorSyncPause).
    bool editorSyncEnabled = false;
    bool dragInProgress = false;
    CQnTempDlg* editorDialog = nullptr;
};

}  // namespace tarvel
