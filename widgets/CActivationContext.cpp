#include "widgets/CActivationContext.h"

#include "handles/ModuleFile.h"

namespace tarvel {

CActivationContext::CActivationContext(HMODULE module, UINT manifestId) noexcept {
    // Wide: a folder the ANSI code page cannot spell, or a path longer than
    // MAX_PATH, would name no file.
    std::wstring modulePath;
    try {
        modulePath = ModuleFileName(module);
    } catch (...) {
        return;
    }
    ACTCTXW request = {};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.hModule = module;
    request.lpSource = modulePath.c_str();
    request.lpResourceName = MAKEINTRESOURCEW(manifestId);
    context_.reset(::CreateActCtxW(&request));
}

}  // namespace tarvel
