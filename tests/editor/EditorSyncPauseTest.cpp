// The dialog's filling of the code editor is not taken for an edit, and the
// edits after it are, even when the filling failed.
#include <gtest/gtest.h>

#include "editor/EditorSyncPause.h"

#include <stdexcept>

using namespace tarvel;

TEST(EditorSyncPause, SyncIsOffWhileTheCodeIsFilledAndOnAfterAFailedFilling) {
    EditorSession session;
    try {
        const EditorSyncPause pause(session);
        EXPECT_FALSE(session.editorSyncEnabled);
        throw std::runtime_error("loading the code failed");
    } catch (const std::runtime_error&) {}
    EXPECT_TRUE(session.editorSyncEnabled);
}
