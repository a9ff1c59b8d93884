#pragma once

#include "prompt/LeadBytes.h"

#include <windows.h>

#include <array>
#include <string>

namespace tarvel {

// The labels of the prompt rows as one column: each shows its prompt's name
// literally; the column is as wide as its template until the page is widened,
// then grows up to the longest name; a name that still does not fit ends in
// "..." and shows whole in a tooltip.
class PromptLabelColumn {
public:
    static constexpr std::size_t kRows = 8;

    // Remembers where the template put the labels; the page's client width
    // then is the template's.
    void Attach(HWND page, const std::array<HWND, kRows>& labels);
    void SetName(std::size_t row, const std::string& name);
    // Lays the labels out for the page's client width; the width the column
    // gained over the template's.
    int LayOut(int clientWidth);

private:
    long WidthOf(HDC dc, const std::string& text) const;
    void ShowWhole(std::size_t row, bool clipped);

    HWND page_ = nullptr;
    HWND tooltip_ = nullptr;
    std::array<HWND, kRows> labels_{};
    std::array<std::string, kRows> whole_;
    std::array<std::string, kRows> shortened_;
    std::array<bool, kRows> hasTip_{};
    int templateClientWidth_ = 0;
    int templateLabelWidth_ = 0;
    LeadBytes leadBytes_;
};

}  // namespace tarvel
