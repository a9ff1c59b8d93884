#include "tests/editor/TemplateText.h"

namespace tarvel::uitest {
namespace {

std::string WithCrLf(const std::string& text) {
    std::string result;
    for (char c : text) {
        if (c == '\n') {
            result += '\r';
        }
        result += c;
    }
    return result;
}

}  // namespace

std::string TemplateRecord(const std::string& title, const std::string& shortcut, const std::string& code,
                           const std::string& description) {
    std::string record;
    if (!description.empty()) {
        record += "readme:\r\n" + WithCrLf(description) + "\r\n\f\r\n";
    }
    return record + "a:" + title + ":" + shortcut + ":\r\n" + WithCrLf(code) + "\f\r\n";
}

}  // namespace tarvel::uitest
