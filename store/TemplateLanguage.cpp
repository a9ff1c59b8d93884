#include "store/TemplateLanguage.h"

namespace tarvel {

const std::array<TemplateLanguage, TemplateLanguage::kCount>& TemplateLanguage::All() {
    static const std::array<TemplateLanguage, kCount> languages{{
        {"C++", "cpp.tpl"},
        {"C#", "cs.tpl"},
        {"HTML", "html.tpl"},
        {"Java", "java.tpl"},
        {"JavaScript", "js.tpl"},
        {"Perl", "perl.tpl"},
        {"Text", "txt.tpl"},
        {"VB", "vb.tpl"},
    }};
    return languages;
}

}  // namespace tarvel
