#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tests/tooltip/FakeHtmlPlatform.h"
#include "tooltip/CHtmlLayout.h"
#include "tooltip/HtmlDefaultStyleSheet.h"

namespace tarvel {

// Body text of the default sheet on the fake platform: 10pt at 96 dpi.
constexpr int kBodySize = 13;
constexpr int kBodyAscent = kBodySize * 3 / 4;
constexpr int kAdvance = FakeHtmlPlatform::kAdvance;

HtmlDisplayList LayOut(FakeHtmlPlatform& platform, std::string_view markup, int maxWidth = 0, int hoverLink = -1,
                       std::string_view sheet = kHtmlDefaultStyleSheet);

template <typename T>
std::vector<const T*> ItemsOf(const HtmlDisplayList& list) {
    std::vector<const T*> found;
    for (const HtmlDisplayItem& item : list.items)
        if (const T* t = std::get_if<T>(&item))
            found.push_back(t);
    return found;
}

// The first run with exactly that text; a test failure when there is none.
const HtmlTextRun& RunWithText(const HtmlDisplayList& list, std::string_view text);
const HtmlStyle& StyleOf(const HtmlDisplayList& list, std::string_view runText);
std::vector<std::string> RunTexts(const HtmlDisplayList& list);

}  // namespace tarvel
