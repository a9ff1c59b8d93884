#pragma once

#include "editor/EditorSession.h"

namespace tarvel {

// Clears editorSyncEnabled while the dialog fills the code editor, so that the
// code page does not take the filling for an edit, and sets it again however
// the filling ends: an exception while loading the code cannot leave the
// user's later edits unsaved.
class EditorSyncPause {
public:
    explicit EditorSyncPause(EditorSession& session) noexcept : session_(session) {
        session_.editorSyncEnabled = false;
    }
    ~EditorSyncPause() { session_.editorSyncEnabled = true; }
    EditorSyncPause(const EditorSyncPause&) = delete;
    EditorSyncPause& operator=(const EditorSyncPause&) = delete;

private:
    EditorSession& session_;
};

}  // namespace tarvel
