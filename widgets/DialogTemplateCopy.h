#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tarvel {

// A writable copy of a dialog template resource (classic or extended form),
// so that a page can be created as a child whatever its template says.
class DialogTemplateCopy {
public:
    // Empty when the module has no such dialog.
    DialogTemplateCopy(HINSTANCE module, UINT templateId);

    bool IsValid() const noexcept { return !bytes_.empty(); }
    const DLGTEMPLATE* Get() const noexcept { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

    DWORD Style() const noexcept;
    void SetStyle(DWORD style) noexcept;
    DWORD ExStyle() const noexcept;
    void SetExStyle(DWORD exStyle) noexcept;
    // The caption, in the ANSI code page.
    std::string Caption() const;

private:
    bool IsExtended() const noexcept;
    size_t StyleOffset() const noexcept;
    size_t ExStyleOffset() const noexcept;
    size_t HeaderSize() const noexcept;

    std::vector<BYTE> bytes_;
};

}  // namespace tarvel
