#pragma once

#include "widgets/CPropertyPage.h"
#include "widgets/CResizable.h"

namespace tarvel {

// A page whose controls follow their anchors when the frame resizes it.
class CResizablePage : public CResizable<CPropertyPage> {
public:
    using CResizable::CResizable;
};

}  // namespace tarvel
