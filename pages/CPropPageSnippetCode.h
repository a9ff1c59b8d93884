#pragma once

#include "widgets/CResizablePage.h"

// The lower page of the editor, which holds the code editor.
class CPropPageSnippetCode : public tarvel::CResizablePage {
public:
    explicit CPropPageSnippetCode(HINSTANCE module);

protected:
    BOOL OnInitDialog() override;
};
