#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// The records whose address the host passes to ShowAutotextDlg. Their layout
// is fixed by the host interface: 32-bit pointers and integers, packed.
#pragma pack(push, 1)

namespace tarvel {

// One value of the host: fixed global memory (GlobalAlloc, GMEM_FIXED) that
// the host frees after the call, whatever data then holds.
struct HostTextBuffer {
    char* data;             // zero-terminated text, or null for an empty value
    std::int32_t capacity;  // bytes at data, terminator included; 0 for null data
    std::int32_t length;    // written by the module: bytes of the text
};

struct AutotextDlgRequest {
    static constexpr std::size_t kRows = 8;

    const char* title;                   // the caption, shown whole; null is empty
    const char* code;                    // shown read-only; null is empty
    HWND parentWindow;                   // the host window under the dialog
    const char* promptNames[kRows];      // null or empty: the row is hidden
    HostTextBuffer values[kRows];        // initial values in, the user's values out on OK
    const char* recentClipboard[kRows];  // empty (or null): an empty history slot
};

#pragma pack(pop)

static_assert(sizeof(void*) != 4 || sizeof(HostTextBuffer) == 12, "a host value slot is 12 bytes");
static_assert(sizeof(void*) != 4 ||
                  (offsetof(AutotextDlgRequest, parentWindow) == 8 && offsetof(AutotextDlgRequest, promptNames) == 12 &&
                   offsetof(AutotextDlgRequest, values) == 44 && offsetof(AutotextDlgRequest, recentClipboard) == 140 &&
                   sizeof(AutotextDlgRequest) == 172),
              "the host passes a 172-byte record");

}  // namespace tarvel
