#pragma once

#include <windows.h>

#include <memory>

#include "editor/EditorSession.h"
#include "widgets/CActivationContext.h"
#include "widgets/CProfile.h"
#include "handles/UniqueHandle.h"

namespace tarvel {

// The module's one application object: the common-controls set-up inside the
// module's own activation context, the registry root of the per-user settings,
// and the editor state that the dialog, its pages and its tree share while the
// editor runs.
class CTarvelApp {
public:
    static constexpr const char* kCompanyPath = "Ambergrove\\Quillon X";
    // Fixed rather than taken from the module's file name, so that a renamed
    // DLL keeps its settings.
    static constexpr const char* kApplicationName = "Tarvel";

    bool InitInstance(HINSTANCE module);
    void ExitInstance();

    HINSTANCE Module() const { return module_; }
    // The module manifest's context, with the common controls it selects
    // initialised; set up by the first export call.
    const CActivationContext& ActivationContext();
    const CProfile& Profile() const { return profile_; }

    // Shared editor state, valid while an editor call runs.
    EditorSession editor;

private:
    void InitCommonControlsOfManifest();

    HINSTANCE module_ = nullptr;
    std::unique_ptr<CActivationContext> activationContext_;
    UniqueModule commonControls_;
    CProfile profile_{kCompanyPath, kApplicationName};
};

CTarvelApp& theApp();

}  // namespace tarvel
