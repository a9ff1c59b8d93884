#pragma once

#include "prompt/LeadBytes.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// The text rules of the prompt dialog: how a text becomes one line, how it is
// shortened for a label or a menu item, and where an insertion at the caret goes.
namespace tarvel {

// Labels and menu items show at most this many bytes of a text, then the mark.
constexpr std::size_t kDisplayLength = 35;
constexpr std::string_view kShortenedMark = "...";

// Tabs become spaces, carriage returns and line feeds are dropped (lines are
// joined without a separator), white space is trimmed at both ends.
std::string OneLine(std::string_view text);

// OneLine, cut to at most kDisplayLength bytes followed by the mark when
// longer; the cut falls between two characters of the code page.
std::string ShortenForDisplay(std::string_view text, const LeadBytes& leadBytes = {});

// Pasted text as one line: tabs become spaces, each run of line breaks one
// blank, white space is trimmed at both ends.
std::string JoinLines(std::string_view text);

// The text whole when it is no wider than width, else its longest start
// (cut between characters) that fits with the mark after it.
using TextWidth = std::function<long(std::string_view)>;
std::string FitToWidth(std::string_view text, long width, const TextWidth& widthOf, const LeadBytes& leadBytes = {});

// Character positions in an edit control, as EM_GETSEL gives them.
struct EditRange {
    std::size_t start;
    std::size_t end;
    bool operator==(const EditRange& other) const noexcept { return start == other.start && end == other.end; }
};

// Where InsertAtCaret puts its text: a selection is replaced; without one the
// text goes in at the caret, which is first scrolled into view.
struct CaretInsertion {
    EditRange replaced;
    bool scrollCaretIntoView;
};
CaretInsertion PlanInsertAtCaret(EditRange selection) noexcept;

}  // namespace tarvel
