#include "widgets/WindowMoves.h"

namespace tarvel {
namespace {

constexpr UINT kMoveFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOREDRAW;

// False when the system could not keep the pass; nothing has moved then.
bool MoveInOnePass(const std::vector<WindowMove>& moves) noexcept {
    HDWP pass = ::BeginDeferWindowPos(static_cast<int>(moves.size()));
    for (const WindowMove& move : moves) {
        if (pass && ::IsWindow(move.window)) {
            const RECT& r = move.rect;
            pass = ::DeferWindowPos(pass, move.window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                    kMoveFlags);
        }
    }
    return pass && ::EndDeferWindowPos(pass);
}

}  // namespace

void MoveWindowsTogether(const std::vector<WindowMove>& moves) noexcept {
    if (MoveInOnePass(moves)) {
        return;
    }
    for (const WindowMove& move : moves) {
        if (::IsWindow(move.window)) {
            const RECT& r = move.rect;
            ::SetWindowPos(move.window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, kMoveFlags);
        }
    }
}

}  // namespace tarvel
