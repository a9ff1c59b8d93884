// The module's two exports. Neither lets an exception or a null record from
// the host reach the host's stack.
#include <windows.h>

#include "app/AutotextEditorRequest.h"
#include "app/CallingThread.h"
#include "app/CTarvelApp.h"
#include "editor/CQnTempDlg.h"
#include "editor/EditorTexts.h"
#include "prompt/AutotextDlgRequest.h"
#include "prompt/CAutoCompleteDlg.h"
#include "prompt/PromptRequestSlot.h"
#include "widgets/CActivationScope.h"
#include "widgets/CWindow.h"

namespace tarvel {
namespace {
constexpr int kPromptCancelled = 2;
constexpr int kEditorNotCreated = -1;

int ShowPromptDialog(AutotextDlgRequest* request) {
    // One prompt dialog at a time: a second one (from a host timer inside the
    // first one's loop) would take over the request slot that the first
    // one's menus read.
    const CallingThread caller;
    if (request == nullptr || !caller.Admitted() || PromptRequestSlot::IsTaken())
        return kPromptCancelled;
    try {
        CTarvelApp& app = theApp();
        CActivationScope scope(app.ActivationContext());
        CWindow parent;
        const HWND owner = CallingThread::OwnWindow(request->parentWindow);
        parent.Attach(owner ? owner : CallingThread::OwnWindow(::GetActiveWindow()));
        INT_PTR result = kPromptCancelled;
        {
            CAutoCompleteDlg dialog(app.Module(), *request, {app.Profile(), EditorTexts::kProfileSection});
            result = dialog.DoModal(parent.GetHwnd());
        }
        parent.Detach();
        // Only OK wrote the values back; anything else leaves the record alone.
        return result == IDOK ? IDOK : kPromptCancelled;
    } catch (...) {
        return kPromptCancelled;
    }
}

int ShowEditorDialog(AutotextEditorRequest* request) {
    const CallingThread caller;
    if (request == nullptr || !caller.Admitted())
        return kEditorNotCreated;
    CTarvelApp& app = theApp();
    // The pages and the tree share one editor state: a second editor opened
    // from inside the first one's loop (a host timer, say) would take it over
    // and leave the first one writing its edits nowhere.
    if (app.editor.editorDialog != nullptr)
        return kEditorNotCreated;
    try {
        CActivationScope scope(app.ActivationContext());
        // The host's window is only borrowed: detached again before it goes.
        CWindow parent;
        // A handle that is no window of this thread (the host's window
        // already gone, say) is taken as none: the editor then runs without
        // an owner.
        parent.Attach(CallingThread::OwnWindow(request->parentWindow));
        const char* directory = request->templateDirectory != nullptr ? request->templateDirectory : "";
        INT_PTR result = kEditorNotCreated;
        {
            Final<CQnTempDlg> dialog(app.Module(), app.Profile(), app.editor, directory, parent.GetHwnd());
            app.editor.editorDialog = &dialog;
            result = dialog.DoModal();
            app.editor.editorDialog = nullptr;
        }
        parent.Detach();
        return static_cast<int>(result);
    } catch (...) {
        app.editor.editorDialog = nullptr;
        app.editor.currentEntry = nullptr;
        return kEditorNotCreated;
    }
}

}  // namespace
}  // namespace tarvel

extern "C" int __cdecl ShowAutotextDlg(tarvel::AutotextDlgRequest* request) {
    return tarvel::ShowPromptDialog(request);
}

extern "C" int __cdecl ShowAutotextEditor2(tarvel::AutotextEditorRequest* request) {
    return tarvel::ShowEditorDialog(request);
}
