// Markup parser and layout on arbitrary input: no crash, no hang, and no
// layout larger than the extent limit. The first byte picks the wrap width
// and the hovered link.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tests/tooltip/FakeHtmlPlatform.h"
#include "tooltip/CHtmlLayout.h"
#include "tooltip/HtmlDefaultStyleSheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    FakeHtmlPlatform platform;
    platform.images[1] = {32, 32};
    platform.images[146] = {1000, 1000};
    platform.strings[1] = "text <b>\n";
    static const CHtmlStyleSheet sheet(kHtmlDefaultStyleSheet);
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
