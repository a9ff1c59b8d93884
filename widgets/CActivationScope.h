#pragma once

#include "widgets/CActivationContext.h"

namespace tarvel {

// Keeps an activation context active for the lifetime of the scope; an
// invalid context leaves the caller's context as it is.
class CActivationScope {
public:
    explicit CActivationScope(const CActivationContext& context) noexcept;
    ~CActivationScope();

    CActivationScope(const CActivationScope&) = delete;
    CActivationScope& operator=(const CActivationScope&) = delete;

    bool IsActive() const noexcept { return active_; }

private:
    ULONG_PTR cookie_ = 0;
    bool active_ = false;
};

}  // namespace tarvel
