#pragma once

#include <array>

namespace tarvel {

// The fixed set of languages: the index is the language's number everywhere
// (root item data, AutotextEntry::language, order of loading and saving).
struct TemplateLanguage {
    const char* rootLabel;
    const char* fileName;

    static constexpr int kCount = 8;
    static const std::array<TemplateLanguage, kCount>& All();
    static const TemplateLanguage& At(int index) { return All()[index]; }
};

}  // namespace tarvel
