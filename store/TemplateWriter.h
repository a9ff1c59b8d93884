#pragma once

#include <string>
#include <vector>

#include "store/AutotextEntry.h"
#include "store/TextBuffer.h"

// Turns the entries of one language into the text of its template file.
namespace tarvel::TemplateWriter {

// The text of one language's template file, as a text-mode write of the
// records with LF line breaks stores it (every LF as CR LF): for each written
// entry its readme block, if it has a description, and its record. Entries of
// another kind and entries whose title, shortcut and code are all empty are
// skipped. As a side effect title, shortcut and code keep LF line breaks
// afterwards; the description keeps CR LF.
std::string FormatLanguageRecords(const std::vector<AutotextEntry*>& entries);
// The same into the buffer, emptied first, which keeps the room it has: a
// save of several languages fills one buffer in turn, with no new room and
// no bytes cleared for each.
void FormatLanguageRecords(const std::vector<AutotextEntry*>& entries, TextBuffer& text);
// The text FormatLanguageRecords writes, leaving the entries as they are: what
// a file of them would hold, to read back before they are taken in.
std::string RecordsAsWritten(const std::vector<const AutotextEntry*>& entries);

}  // namespace tarvel::TemplateWriter
