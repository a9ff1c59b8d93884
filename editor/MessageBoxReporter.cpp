#include "editor/MessageBoxReporter.h"

namespace tarvel {

namespace {

UINT IconStyle(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return MB_ICONERROR;
        case MessageIcon::Exclamation:
            return MB_ICONEXCLAMATION;
        case MessageIcon::Warning:
            return MB_ICONWARNING;
        case MessageIcon::Question:
            return MB_ICONQUESTION;
        case MessageIcon::Information:
            return MB_ICONINFORMATION;
    }
    return MB_ICONERROR;
}

}  // namespace

void MessageBoxReporter::Report(const std::string& text, const std::string& caption, MessageIcon icon) {
    ::MessageBoxA(owner_, text.c_str(), caption.c_str(), MB_OK | IconStyle(icon));
}

bool MessageBoxReporter::Ask(const std::string& text, const std::string& caption, MessageIcon icon) {
    return ::MessageBoxA(owner_, text.c_str(), caption.c_str(), MB_YESNO | IconStyle(icon)) == IDYES;
}

}  // namespace tarvel
