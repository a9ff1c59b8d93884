#pragma once

#include "widgets/CWindow.h"
#include "handles/UniqueHandle.h"

#include <string>
#include <vector>

namespace tarvel {

// A static control that shows one of a list of tips, on a single line or
// wrapped onto as many as it needs, and fades each newly shown text in from a
// start colour to the text colour.
// The window text follows the shown text.
class CTipStatic : public CWindow {
public:
    enum Alignment { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };

    static constexpr size_t kMaxTexts = 30;
    static constexpr COLORREF kTextColor = 0x3C0000;

    CTipStatic() = default;

    // False when the list is full.
    bool AddText(const std::string& text);
    int GetCount() const noexcept { return static_cast<int>(texts_.size()); }
    int GetCurrentIndex() const noexcept { return current_; }

    // Shows a text, fading from startColor to the text colour in fadeSteps steps of 10 ms.
    void ShowText(const std::string& text, int fadeSteps, COLORREF startColor);
    // As ShowText, after the system's exclamation icon: a warning, not a tip.
    void ShowWarning(const std::string& text, int fadeSteps, COLORREF startColor);
    // Shows the listed text at index (which becomes current).
    bool ShowTip(int index, int fadeSteps, COLORREF startColor);
    // Step to the previous or next listed text, wrapping around, and show it
    // fading from the background colour; the new index.
    int ShowPrevious(int fadeSteps);
    int ShowNext(int fadeSteps);

    void SetBackgroundColor(COLORREF color);
    COLORREF GetBackgroundColor() const noexcept { return background_; }
    void SetAlignment(int alignment);
    void SetEngraved(bool engraved);
    // A text too long for one line goes on at word breaks, vertically centred.
    void SetWordWrap(bool wrap);
    bool IsEngraved() const noexcept { return engraved_; }
    // The colour the text is drawn in now.
    COLORREF GetCurrentTextColor() const noexcept;
    bool IsFading() const noexcept { return ticksLeft_ > 0; }

protected:
    bool OnMessage(const Message& message, LRESULT& result) override;

private:
    static constexpr UINT_PTR kFadeTimer = 1;
    static constexpr UINT kFadeInterval = 10;
    static constexpr int kRepaintTicks = 100;  // one second of 10 ms repaints after a change

    LRESULT OnPaint(const Message& message);
    LRESULT OnEraseBackground(const Message& message);
    LRESULT OnTimer(const Message& message);
    LRESULT OnDestroy(const Message& message);
    void Repaint() const noexcept;
    void Draw(HDC dc);
    void DrawEngraved(HDC dc, RECT rect, UINT format) const;
    HFONT TipFont();
    UINT TextFormat() const noexcept;
    // The rectangle's text block moved down to its vertical middle.
    RECT CenteredBlock(HDC dc, RECT rect, UINT format) const;
    // Draws the exclamation icon at the left, vertically centred; the rectangle left for the text.
    RECT DrawWarningIcon(HDC dc, RECT rect) const;
    void Show(const std::string& text, int fadeSteps, COLORREF startColor, bool warning);

    std::vector<std::string> texts_;
    int current_ = 0;
    std::string shown_;
    bool warning_ = false;
    COLORREF background_ = ::GetSysColor(COLOR_BTNFACE);
    COLORREF startColor_ = background_;
    int alignment_ = kAlignLeft;
    bool engraved_ = false;
    bool wordWrap_ = false;
    int fadeSteps_ = 0;
    int stepsDone_ = 0;
    int ticksLeft_ = 0;
    UniqueFont font_;
};

}  // namespace tarvel
