#include "tests/tooltip/LayoutTestSupport.h"

#include <gtest/gtest.h>

namespace tarvel {

HtmlDisplayList LayOut(FakeHtmlPlatform& platform, std::string_view markup, int maxWidth, int hoverLink,
                       std::string_view sheet) {
    const CHtmlStyleSheet styles(sheet);
    HtmlLayoutOptions options;
    options.maxWidth = maxWidth;
    options.hoverLink = hoverLink;
    return CHtmlLayout(platform, styles).Layout(markup, options);
}

const HtmlTextRun& RunWithText(const HtmlDisplayList& list, std::string_view text) {
    for (const HtmlTextRun* run : ItemsOf<HtmlTextRun>(list))
        if (run->text == text)
            return *run;
    ADD_FAILURE() << "no run \"" << text << "\"";
    static const HtmlTextRun none;
    return none;
}

const HtmlStyle& StyleOf(const HtmlDisplayList& list, std::string_view runText) {
    const HtmlTextRun& run = RunWithText(list, runText);
    static const HtmlStyle none;
    return run.style < static_cast<int>(list.styles.size()) ? list.styles[run.style] : none;
}

std::vector<std::string> RunTexts(const HtmlDisplayList& list) {
    std::vector<std::string> texts;
    for (const HtmlTextRun* run : ItemsOf<HtmlTextRun>(list))
        texts.push_back(run->text);
    return texts;
}

}  // namespace tarvel
