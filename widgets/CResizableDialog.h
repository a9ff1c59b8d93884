#pragma once

#include "widgets/CDialog.h"
#include "widgets/CProfile.h"
#include "widgets/CResizable.h"

#include <optional>
#include <string>

namespace tarvel {

// A dialog with a sizing border, a size grip, anchored controls, a minimum
// tracking size and, when enabled, its placement kept in the profile.
class CResizableDialog : public CResizable<CDialog> {
public:
    using CResizable::CResizable;

    void SetMinTrackSize(SIZE size) noexcept { minTrackSize_ = size; }
    SIZE GetMinTrackSize() const noexcept { return minTrackSize_; }

    static constexpr char kPlacementEntry[] = "WindowPlacement";

    // Restores the placement stored in the section's entry now and stores it
    // when the window is destroyed. A value that does not parse is ignored;
    // false when there was none to restore.
    bool EnableSaveRestore(const CProfile& profile, const std::string& section,
                           const std::string& entry = kPlacementEntry);

protected:
    // Base initialisation, then the sizing border (keeping the client size) and the grip.
    BOOL OnInitDialog() override;
    bool OnMessage(const Message& message, LRESULT& result) override;

    // Handlers a derived class calls when it handles the same message itself.
    void OnSize(UINT kind, SIZE size);
    LRESULT OnGetMinMaxInfo(const Message& message);
    LRESULT OnDestroy(const Message& message);

private:
    void MakeResizable() noexcept;
    void CreateSizeGrip() noexcept;
    bool RestorePlacement() noexcept;
    void SavePlacement() noexcept;

    SIZE minTrackSize_{0, 0};
    HWND sizeGrip_ = nullptr;
    std::optional<CProfile> profile_;
    std::string placementSection_;
    std::string placementEntry_;
};

}  // namespace tarvel
