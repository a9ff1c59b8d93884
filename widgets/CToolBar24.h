#pragma once

#include "widgets/CWindow.h"
#include "handles/UniqueImageList.h"

#include <string>
#include <vector>

namespace tarvel {

// A toolbar built from a toolbar resource (button size and command ids) whose
// images can be replaced by a 24-bit bitmap with a mask colour. A button's
// tip is the part after the line break of its command's string-table entry.
class CToolBar24 : public CWindow {
public:
    static constexpr UINT kFirstBarId = 0xE800;
    static constexpr UINT kLastBarId = 0xE8FF;

    explicit CToolBar24(HINSTANCE module) noexcept : module_(module) {}

    // Flat buttons with tips, along the top of the parent, below every sibling
    // in z-order and clipping them out.
    bool Create(HWND parent, UINT id = kFirstBarId);
    // Adds the buttons of the resource and its own bitmap; false if it is missing.
    bool LoadToolBar(UINT resourceId);
    // Replaces the images by the bitmap cut into images of the given size.
    bool LoadTrueColorImages(UINT bitmapId, COLORREF mask, SIZE imageSize);

    bool EnableButton(UINT commandId, bool enable) const noexcept;
    std::string GetButtonTip(UINT commandId) const;

    // Stretches the bar along the top of its parent, keeping it below its
    // siblings; its height.
    int StretchToParent() const noexcept;

protected:
    bool OnMessage(const Message& message, LRESULT& result) override;

private:
    LRESULT OnNotify(const Message& message);

    HINSTANCE module_;
    UniqueImageList images_;
    std::string tipBuffer_;
    std::wstring wideTipBuffer_;
};

}  // namespace tarvel
