#pragma once

#include "handles/UniqueHandle.h"

namespace tarvel {

// The activation context of a library's own manifest (resource 2), so that
// the library gets the control versions it asks for whatever the host uses.
class CActivationContext {
public:
    explicit CActivationContext(HMODULE module, UINT manifestId = 2 /* ISOLATIONAWARE_MANIFEST_RESOURCE_ID */) noexcept;

    bool IsValid() const noexcept { return static_cast<bool>(context_); }
    HANDLE Get() const noexcept { return context_.get(); }

private:
    UniqueActCtx context_;
};

}  // namespace tarvel
