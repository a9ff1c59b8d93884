#include "widgets/CActivationScope.h"

namespace tarvel {

CActivationScope::CActivationScope(const CActivationContext& context) noexcept {
    active_ = context.IsValid() && ::ActivateActCtx(context.Get(), &cookie_);
}

CActivationScope::~CActivationScope() {
    if (active_) {
        ::DeactivateActCtx(0, cookie_);
    }
}

}  // namespace tarvel
