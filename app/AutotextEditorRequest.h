#pragma once

#include <windows.h>

namespace tarvel {

// The record whose address the host passes to ShowAutotextEditor2. Its layout
// is fixed by the host interface; the module only reads it during the call.
struct AutotextEditorRequest {
    HWND parentWindow;              // owner of the modal editor; may be null
    const char* templateDirectory;  // ends with a path separator; null means ""
};
static_assert(sizeof(void*) != 4 || sizeof(AutotextEditorRequest) == 8,
              "the host passes a 32-bit record of two 4-byte fields");

}  // namespace tarvel
