#pragma once

#include <windows.h>

#include <string>

namespace tarvel {

class CPPToolTip;

// The help tips of the title page's three fields: a balloon each, with the
// field's help text, a "More..." link to the support page and a picture.
namespace TitleHelpTips {

// The support page for one `option` value.
std::string SupportAddress(const char* option);

// Creates the tooltip over the page and adds the fields' tips.
bool SetUp(CPPToolTip& tips, HWND page);

}  // namespace TitleHelpTips

}  // namespace tarvel
