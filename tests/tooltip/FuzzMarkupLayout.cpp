// Markup parser and layout on arbitrary input: no crash, no hang, and no
// layout larger than the extent limit. The first byte picks the wrap width,
// the hovered link and whether spaces are narrow, as in proportional fonts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tests/tooltip/FakeHtmlPlatform.h"
#include "tooltip/CHtmlLayout.h"
#include "tooltip/HtmlDefaultStyleSheet.h"

using namespace tarvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    FakeHtmlPlatform platform;
    platform.images[1] = {32, 32};
    platform.images[146] = {1000, 1000};
    platform.strings[1] = "text <b>\n";
    platform.spaceAdvance = data[0] % 8 < 4 ? FakeHtmlPlatform::kAdvance : 2;
    // A run with a border, padding and margin of its own.
    static const CHtmlStyleSheet sheet(std::string(kHtmlDefaultStyleSheet) +
                                       "\n.box {border-width:2px; border-style:double; padding:3px; margin:4px; "
                                       "background-color:red}");
    HtmlLayoutOptions options;
    options.maxWidth = data[0] * 4;
    options.hoverLink = data[0] % 4;
    options.imageShadow.offsetX = options.imageShadow.offsetY = 6;
    const std::string_view markup(reinterpret_cast<const char*>(data) + 1, size - 1);
    const HtmlDisplayList list = CHtmlLayout(platform, sheet).Layout(markup, options);
    if (list.size.cx < 0 || list.size.cx > kMaxExtent || list.size.cy < 0 || list.size.cy > kMaxExtent)
        std::abort();
    return 0;
}
