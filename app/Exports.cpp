// The module's two exports. Neither lets an exception or a null record from
// the host reach the host's stack.
#include <windows.h>

#include "app/AutotextEditorRequest.h"
#include "app/CTarvelApp.h"
#include "editor/CQnTempDlg.h"
#include "widgets/CActivationScope.h"
#include "widgets/CWindow.h"

namespace {
constexpr int kPromptCancelled = 2;
constexpr int kEditorNotCreated = -1;
}  // namespace

extern "C" int __cdecl ShowAutotextDlg(void* request) {
    // The prompt dialog is not part of this build yet: every request is cancelled.
    (void)request;
    return kPromptCancelled;
}

extern "C" int __cdecl ShowAutotextEditor2(AutotextEditorRequest* request) {
    if (request == nullptr)
        return kEditorNotCreated;
    CTarvelApp& app = theApp();
    // The pages and the tree share one editor state: a second editor opened
    // from inside the first one's loop (a host timer, say) would take it over
    // and leave the first one writing its edits nowhere.
    if (app.editorDialog != nullptr)
        return kEditorNotCreated;
    try {
        tarvel::CActivationScope scope(app.ActivationContext());
        // The host's window is only borrowed: detached again before it goes.
        tarvel::CWindow parent;
        // A handle that is no window (the host's window already gone) is
        // taken as none: the editor then runs without an owner.
        parent.Attach(::IsWindow(request->parentWindow) ? request->parentWindow : nullptr);
        const char* directory = request->templateDirectory != nullptr ? request->templateDirectory : "";
        INT_PTR result = kEditorNotCreated;
        {
            tarvel::Final<CQnTempDlg> dialog(directory, parent.GetHwnd());
            app.editorDialog = &dialog;
            result = dialog.DoModal();
            app.editorDialog = nullptr;
        }
        parent.Detach();
        return static_cast<int>(result);
    } catch (...) {
        app.editorDialog = nullptr;
        app.currentEntry = nullptr;
        return kEditorNotCreated;
    }
}
