// Parsing and laying out the hover preview of a 32 KB code entry with the
// fixed-metrics platform, against copying the same bytes.
#include <benchmark/benchmark.h>

#include "bench/support/RatioReporter.h"
#include "bench/tooltip/PreviewMarkup.h"
#include "tests/tooltip/FakeHtmlPlatform.h"
#include "tooltip/CHtmlLayout.h"
#include "tooltip/HtmlDefaultStyleSheet.h"

namespace {

// A thousand copies of the preview take well under a millisecond here, so
// within this ratio the preview lays out before the next frame.
constexpr double kLayoutToCopyTarget = 1000.0;

const std::string& Markup() {
    static const std::string markup = PreviewMarkup(PreviewCode());
    return markup;
}

void BM_CopyPreviewBytes(benchmark::State& state) {
    for (auto _ : state) {
        std::string copy = Markup();
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
}

void BM_LayOutPreview(benchmark::State& state) {
    const CHtmlStyleSheet sheet(kHtmlDefaultStyleSheet);
    HtmlLayoutOptions options;
    options.maxWidth = kPreviewWidth;
    for (auto _ : state) {
        FakeHtmlPlatform platform;
        HtmlDisplayList list = CHtmlLayout(platform, sheet).Layout(Markup(), options);
        benchmark::DoNotOptimize(list.items.data());
    }
}

BENCHMARK(BM_CopyPreviewBytes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LayOutPreview)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarksWithRatios(
        argc, argv,
        {{"preview layout / copying its bytes", "BM_LayOutPreview", "BM_CopyPreviewBytes", kLayoutToCopyTarget}});
}
