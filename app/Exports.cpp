// The module's two exports. Nothing here lets an exception or a null record
// from the host reach the host's stack.
#include <windows.h>

#include "app/AutotextEditorRequest.h"

namespace {
constexpr int kPromptCancelled = 2;
constexpr int kEditorNotCreated = -1;
} // namespace

extern "C" int __cdecl ShowAutotextDlg(void* request)
{
    if (request == nullptr)
        return kPromptCancelled;
    return kPromptCancelled;
}

extern "C" int __cdecl ShowAutotextEditor2(AutotextEditorRequest* request)
{
    if (request == nullptr)
        return kEditorNotCreated;
    return kEditorNotCreated;
}
