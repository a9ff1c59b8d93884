// The prompt dialog's open: the time from the ShowAutotextDlg call to the
// dialog's first idle moment, and with closing, against the editor opened on
// an empty template directory in the same run. Both close through Cancel, so
// the constant teardown of a top-level window under Wine is on both sides.
#include <windows.h>

#include "bench/editor/IdleCancel.h"
#include "bench/support/ModuleUnderTest.h"
#include "bench/support/RunTiming.h"
#include "host/HostPromptRequest.h"
#include "host/TarvelLibrary.h"
#include "tests/editor/ProfileKey.h"
#include "tests/editor/TemplateFolder.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace tarvel;
using namespace tarvel::bench;

constexpr int kRepetitions = 7;
constexpr char kTitle[] = "counting loop";

struct Timing {
    double toFirstIdle = 0;
    double total = 0;
};

template <class Call>
Timing TimeOpen(const char* caption, Call call) {
    tarvel::bench::IdleCancel idle(caption);
    const LONGLONG start = Now();
    call();
    const LONGLONG end = Now();
    if (!idle.Cancelled()) {
        return {};
    }
    return {Milliseconds(idle.FirstIdleTicks() - start), Milliseconds(end - start)};
}

void Print(const char* what, const std::vector<double>& values) {
    const Spread spread = SpreadOf(values);
    std::printf("%-34s %8.1f ms (%.1f .. %.1f)\n", what, spread.median, spread.low, spread.high);
}

}  // namespace

int main() {
    const auto library = LoadModuleUnderTest("bench_prompt_open");
    if (!library)
        return kSetupError;
    uitest::TemplateFolder empty;
    std::vector<double> promptIdle, promptTotal, editorIdle, editorTotal;
    for (int run = 0; run < kRepetitions; ++run) {
        host::HostPromptRequest request(kTitle, "for (int $i$ = 0; $i$ < $count$; ++$i$) {\r\n    $end$\r\n}",
                                        {"i", "count"}, {"recent text"});
        const Timing prompt = TimeOpen(kTitle, [&] { library->ShowAutotextDlg(request.Record()); });
        uitest::ProfileKey::DeleteModuleKey();
        const Timing editor = TimeOpen(tarvel::bench::IdleCancel::kEditorCaption,
                                       [&] { library->ShowAutotextEditor(nullptr, empty.Path().c_str()); });
        if (prompt.total == 0 || editor.total == 0) {
            std::fprintf(stderr, "bench_prompt_open: a dialog did not open\n");
            return kSetupError;
        }
        promptIdle.push_back(prompt.toFirstIdle);
        promptTotal.push_back(prompt.total);
        editorIdle.push_back(editor.toFirstIdle);
        editorTotal.push_back(editor.total);
    }
    uitest::ProfileKey::DeleteModuleKey();
    std::printf("median (fastest .. slowest) of %d runs\n", kRepetitions);
    Print("prompt dialog, call to first idle:", promptIdle);
    Print("editor, empty, call to first idle:", editorIdle);
    Print("prompt dialog, with closing:", promptTotal);
    Print("editor, empty, with closing:", editorTotal);
    std::printf("ratio prompt / editor to the first idle: %.2f\n",
                SpreadOf(promptIdle).median / SpreadOf(editorIdle).median);
    return 0;
}
