#include "widgets/CActivationContext.h"

namespace tarvel {

CActivationContext::CActivationContext(HMODULE module, UINT manifestId) noexcept {
    char modulePath[MAX_PATH] = {};
    ::GetModuleFileNameA(module, modulePath, MAX_PATH);
    ACTCTXA request = {};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.hModule = module;
    request.lpSource = modulePath;
    request.lpResourceName = MAKEINTRESOURCEA(manifestId);
    context_.reset(::CreateActCtxA(&request));
}

}  // namespace tarvel
