// Style-sheet parser on arbitrary input, then its rules applied by a markup
// that uses every kind of selector: no crash, no hang, sizes in bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tests/tooltip/FakeHtmlPlatform.h"
#include "tooltip/CHtmlLayout.h"

using namespace tarvel;

namespace {

constexpr std::string_view kMarkup =
    "<body><h1>a<h2>b<h3>c<h4>d<h5>e<h6>f</h6></h5></h4></h3></h2></h1><p>g<pre>h<code>i</code></pre>"
    "<big>j<small>k<sub>l<sup>m</sup></sub></small></big><span class=x>n</span><span class=cpp-comment>o</span>"
    "<a href=u>p</a><a msg=v>q</a><table><tr><td>r</td></tr></table></body>";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const CHtmlStyleSheet sheet(text);
    FakeHtmlPlatform platform;
    HtmlLayoutOptions options;
    options.maxWidth = 300;
    options.hoverLink = 1;
    const HtmlDisplayList list = CHtmlLayout(platform, sheet).Layout(kMarkup, options);
    for (const HtmlStyle& style : list.styles)
        if (style.size < 0 || style.size > kMaxLength || style.weight < 100 || style.weight > 900)
            std::abort();
    return 0;
}
