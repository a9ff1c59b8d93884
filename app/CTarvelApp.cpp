#include "app/CTarvelApp.h"

#include "widgets/CActivationScope.h"
#include "widgets/CWindow.h"

namespace tarvel {

CTarvelApp& theApp() {
    static CTarvelApp app;
    return app;
}

bool CTarvelApp::InitInstance(HINSTANCE module) {
    module_ = module;
    return true;
}

// At the first call rather than at library load: loading comctl32 while the
// system holds its loader lock can deadlock the host.
const CActivationContext& CTarvelApp::ActivationContext() {
    if (!activationContext_) {
        activationContext_ = std::make_unique<CActivationContext>(module_);
        InitCommonControlsOfManifest();
    }
    return *activationContext_;
}

void CTarvelApp::ExitInstance() {
    // Entries belong to the editor dialog, which frees them when it closes.
    editor.currentEntry = nullptr;
    editor.editorDialog = nullptr;
    CWindow::UnregisterClasses(module_);
    commonControls_.reset();
    activationContext_.reset();
}

// Looked up by name and called inside the module's activation context, so that
// the module's manifest, not the host's, picks the common-controls version.
void CTarvelApp::InitCommonControlsOfManifest() {
    CActivationScope scope(*activationContext_);
    commonControls_.reset(::LoadLibraryA("comctl32.dll"));
    if (!commonControls_)
        return;
    using InitCommonControlsFn = void(WINAPI*)();
    auto init = reinterpret_cast<InitCommonControlsFn>(
        reinterpret_cast<void (*)()>(::GetProcAddress(commonControls_.get(), "InitCommonControls")));
    if (init != nullptr)
        init();
}

}  // namespace tarvel
