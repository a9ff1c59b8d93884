#pragma once

// Entries like a user's, for the benchmarks that read, save or export many:
// a title, usually a shortcut, a few lines of code with variables and
// prompts, and now and then a description.
#include <random>
#include <string>

#include "store/AutotextEntry.h"

namespace tarvel::bench {

inline AutotextEntry RealisticEntry(std::mt19937& random, int index) {
    static const char* kLines[] = {
        "for (int $i$ = 0; $i$ < $count$; ++$i$) {",
        "    $end$",
        "}",
        "if ($condition$) {",
        "    return $selected$;",
        "// $FILE$ $DATE$",
        "std::vector<$Type$> $name$;",
        "    printf(\"%d\\n\", $value$);",
        "",
        "class $ClassName$ : public $Base$ {",
    };
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    AutotextEntry entry;
    entry.title = "snippet number " + std::to_string(index);
    if (pick(4) != 0)
        entry.shortcut = "sn" + std::to_string(index);
    for (int line = 3 + pick(8); line > 0; --line)
        entry.code += std::string(kLines[pick(10)]) + (line > 1 ? "\r\n" : "");
    if (pick(3) == 0)
        entry.description = "Inserts snippet " + std::to_string(index) + ".\r\nSee the manual.";
    return entry;
}

}  // namespace tarvel::bench
