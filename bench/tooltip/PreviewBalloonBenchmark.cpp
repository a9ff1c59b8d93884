// The tree's hover preview of a 32 KB code entry, whole and capped to the
// lines that fit in half the work area, from the expiry of the initial delay
// to the painted balloon (layout, placement, shaping, the screen below
// captured, shadow and paint), against a bare popup of the balloon's size
// that measures the whole text in the same font and draws the lines that
// show. Both are timed to their first idle moment; hiding is not timed.
#include <windows.h>

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <string>

#include "bench/support/Comparison.h"
#include "bench/support/Win32Bench.h"
#include "widgets/CPPToolTip.h"
#include "tooltip/HelpTipMarkup.h"
#include "widgets/SharedTipLook.h"

using namespace tarvel;
using namespace tarvel::bench;

namespace {

constexpr double kTarget = 2.0;
constexpr std::size_t kCodeBytes = 32 * 1024;
constexpr UINT kPreviewStyleSheet = 110;
// The preview's body text, as the style sheet gives it.
constexpr char kFace[] = "Lucida Console";
constexpr int kPoints = 10;
constexpr UINT kFloorFormat = DT_EXPANDTABS | DT_NOPREFIX;
constexpr char kFloorClass[] = "PreviewFloor";
constexpr char kOwnerClass[] = "PreviewBenchOwner";

std::string PreviewCode() {
    static const char* const kLines[] = {
        "#include <vector>",
        "template <typename T> class $ClassName$ : public $Base$<T> {",
        "public:",
        "\texplicit $ClassName$(std::size_t count) : items_(count) {}",
        "\tfor (std::size_t i = 0; i < items_.size(); ++i) {",
        "\t\tif (items_[i] < limit && (flags & kVisible) != 0)",
        "\t\t\ttotal += items_[i] << 2; // scaled by four",
        "\t}",
        "\treturn total > 0 ? total : -1;",
        "private:",
        "\tstd::vector<T> items_; /* $selected$ */",
        "};",
        "",
    };
    std::string code;
    for (std::size_t i = 0; code.size() < kCodeBytes; ++i)
        code += std::string(kLines[i % 13]) + "\r\n";
    return code;
}

int CountLines(const std::string& text) {
    int lines = 1;
    for (char c : text)
        lines += c == '\n' ? 1 : 0;
    return lines;
}

// The first lines of the code and what the preview says of the rest.
std::string Capped(const std::string& code, int lines) {
    std::size_t end = 0;
    for (int line = 0; line < lines && end != std::string::npos; ++line)
        end = code.find('\n', end + (line > 0 ? 1 : 0));
    if (end == std::string::npos)
        return code;
    return code.substr(0, end + 1) + "... " + std::to_string(CountLines(code) - lines) + " more lines";
}

HFONT PreviewFont(HDC dc) {
    const int height = -::MulDiv(kPoints, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
    return ::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH, kFace);
}

// As many lines as fit in half the work area's height.
int LinesInHalfWorkArea() {
    RECT area{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const HDC dc = ::GetDC(nullptr);
    const HFONT font = PreviewFont(dc);
    const HGDIOBJ old = ::SelectObject(dc, font);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    ::SelectObject(dc, old);
    ::DeleteObject(font);
    ::ReleaseDC(nullptr, dc);
    return (area.bottom - area.top) / 2 / metrics.tmHeight;
}

// The floor: a popup that shows the lines of a text that fit in it.
class BarePopup {
public:
    BarePopup() {
        WNDCLASSA type{};
        type.lpfnWndProc = Procedure;
        type.hInstance = ::GetModuleHandleA(nullptr);
        type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
        type.lpszClassName = kFloorClass;
        ::RegisterClassA(&type);
        window_ = ::CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kFloorClass, "", WS_POPUP | WS_BORDER, 0, 0, 10,
                                    10, nullptr, nullptr, type.hInstance, this);
        const HDC dc = ::GetDC(window_);
        font_ = PreviewFont(dc);
        ::ReleaseDC(window_, dc);
    }
    ~BarePopup() {
        ::DestroyWindow(window_);
        ::DeleteObject(font_);
    }
    BarePopup(const BarePopup&) = delete;
    BarePopup& operator=(const BarePopup&) = delete;

    // Measures the whole text, then shows the popup at the balloon's size
    // and paints what shows; milliseconds to the first idle moment.
    double Show(const std::string& text, SIZE balloon) {
        const Stopwatch watch;
        const HDC dc = ::GetDC(window_);
        const HGDIOBJ old = ::SelectObject(dc, font_);
        RECT needed{0, 0, 0, 0};
        ::DrawTextA(dc, text.data(), static_cast<int>(text.size()), &needed, kFloorFormat | DT_CALCRECT);
        TEXTMETRICA metrics{};
        ::GetTextMetricsA(dc, &metrics);
        ::SelectObject(dc, old);
        ::ReleaseDC(window_, dc);
        text_ = &text;
        shownBytes_ = BytesOfLines(text, balloon.cy / metrics.tmHeight + 1);
        ::SetWindowPos(window_, HWND_TOPMOST, 100, 100, std::min<LONG>(needed.right, balloon.cx),
                       std::min<LONG>(needed.bottom, balloon.cy), SWP_SHOWWINDOW | SWP_NOACTIVATE);
        RunUntilIdle();
        const double elapsed = watch.Milliseconds();
        ::ShowWindow(window_, SW_HIDE);
        RunUntilIdle();
        return elapsed;
    }

private:
    static std::size_t BytesOfLines(const std::string& text, int lines) {
        std::size_t at = 0;
        for (int line = 0; line < lines; ++line) {
            const auto* lf = static_cast<const char*>(std::memchr(text.data() + at, '\n', text.size() - at));
            if (lf == nullptr)
                return text.size();
            at = static_cast<std::size_t>(lf - text.data()) + 1;
        }
        return at;
    }

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE)
            ::SetWindowLongPtrA(window, GWLP_USERDATA,
                                reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<BarePopup*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_PAINT && self != nullptr) {
            self->Paint();
            return 0;
        }
        return ::DefWindowProcA(window, message, wParam, lParam);
    }

    void Paint() const {
        PAINTSTRUCT paint;
        const HDC dc = ::BeginPaint(window_, &paint);
        const HGDIOBJ old = ::SelectObject(dc, font_);
        ::SetBkMode(dc, TRANSPARENT);
        RECT client{};
        ::GetClientRect(window_, &client);
        if (text_ != nullptr)
            ::DrawTextA(dc, text_->data(), static_cast<int>(shownBytes_), &client, kFloorFormat);
        ::SelectObject(dc, old);
        ::EndPaint(window_, &paint);
    }

    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    const std::string* text_ = nullptr;
    std::size_t shownBytes_ = 0;
};

// The product: the module's tooltip with the tree preview's look, on a
// tool window of its owner, which supplies the preview's markup when the
// balloon is about to show, as the editor does.
class PreviewBalloon {
public:
    PreviewBalloon() {
        WNDCLASSA owner{};
        owner.lpfnWndProc = OwnerProcedure;
        owner.hInstance = ::GetModuleHandleA(nullptr);
        owner.lpszClassName = kOwnerClass;
        ::RegisterClassA(&owner);
        owner_ = ::CreateWindowExA(0, kOwnerClass, "", WS_POPUP | WS_VISIBLE, 0, 600, 400, 300, nullptr, nullptr,
                                   owner.hInstance, nullptr);
        ::SetWindowLongPtrA(owner_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        tool_ = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 0, 0, 400, 300, owner_,
                                  nullptr, nullptr, nullptr);
        created_ = owner_ != nullptr && tool_ != nullptr && tip_.Create(owner_);
        if (!created_)
            return;
        tip_.SetBehaviour(kTooltipMultipleShow);
        ApplySharedTipLook(tip_, kPreviewStyleSheet);
        tip_.AddTool(tool_, "");
        RunUntilIdle();
    }
    ~PreviewBalloon() {
        tip_.DestroyWindow();
        ::DestroyWindow(owner_);
    }
    PreviewBalloon(const PreviewBalloon&) = delete;
    PreviewBalloon& operator=(const PreviewBalloon&) = delete;

    bool Created() const { return created_; }
    void SetCode(const std::string& code) { code_ = &code; }

    // Milliseconds from the delay's expiry to the first idle moment after
    // it, negative when no balloon showed; the balloon's size in size.
    double Show(int round, SIZE& size) {
        const POINT client{20 + round % 50, 20};
        POINT screen = client;
        ::ClientToScreen(tool_, &screen);
        ::SetCursorPos(screen.x, screen.y);
        tip_.RelayEvent(MSG{tool_, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y), 0, {}});
        const Stopwatch watch;
        ::SendMessageA(tip_.GetSafeHwnd(), WM_TIMER, kTimerShow, 0);
        RunUntilIdle();
        const double elapsed = watch.Milliseconds();
        if (!tip_.IsVisible())
            return -1;
        RECT shown{};
        ::GetWindowRect(tip_.GetSafeHwnd(), &shown);
        size = {shown.right - shown.left, shown.bottom - shown.top};
        tip_.Pop();
        RunUntilIdle();
        return elapsed;
    }

private:
    static LRESULT CALLBACK OwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<PreviewBalloon*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_NOTIFY && self != nullptr && self->code_ != nullptr &&
            reinterpret_cast<NMHDR*>(lParam)->code == kTooltipDisplayNotification) {
            reinterpret_cast<TooltipDisplayNotify*>(lParam)->info->text = CodePreviewMarkup(*self->code_);
            return 0;
        }
        return ::DefWindowProcA(window, message, wParam, lParam);
    }

    HWND owner_ = nullptr;
    HWND tool_ = nullptr;
    const std::string* code_ = nullptr;
    CPPToolTip tip_;
    bool created_ = false;
};

bool Compare(PreviewBalloon& balloon, BarePopup& popup, const std::string& figure, const std::string& code,
             int rounds) {
    balloon.SetCode(code);
    SIZE size{};
    int round = 0;
    // The popup takes the size the balloon last showed at.
    if (balloon.Show(round, size) < 0)
        return false;
    Comparison comparison(figure, kTarget);
    if (!Interleave(comparison, rounds, [&] { return balloon.Show(++round, size); },
                    [&] { return popup.Show(code, size); }))
        return false;
    comparison.Print();
    std::printf("%42s balloon %ld x %ld, %d lines of text\n", "", size.cx, size.cy, CountLines(code));
    return true;
}

}  // namespace

int main() {
    const int rounds = Rounds();
    PrintHeader("bench_tooltip_balloon (delay expiry to first idle)", rounds);
    PreviewBalloon balloon;
    BarePopup popup;
    if (!balloon.Created()) {
        std::fprintf(stderr, "bench_tooltip_balloon: could not create the windows\n");
        return 2;
    }
    const std::string code = PreviewCode();
    const std::string capped = Capped(code, LinesInHalfWorkArea());
    if (!Compare(balloon, popup, "hover preview, 32 KB", code, rounds) ||
        !Compare(balloon, popup, "hover preview, capped", capped, rounds)) {
        std::fprintf(stderr, "bench_tooltip_balloon: the balloon did not show\n");
        return 2;
    }
    return 0;
}
