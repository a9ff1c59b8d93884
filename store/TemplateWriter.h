#pragma once

#include <string>
#include <vector>

#include "store/AutotextEntry.h"

// Turns the entries of one language into the text of its template file.
namespace TemplateWriter {

// One chunk per written entry (its readme block and its record), with LF line
// breaks. Entries of another kind and entries whose title, shortcut and code
// are all empty are skipped. As a side effect title, shortcut and code keep LF
// line breaks afterwards; the description returns to CR LF.
std::vector<std::string> FormatLanguageRecords(const std::vector<AutotextEntry*>& entries);

// The file's bytes: the chunks in order with every LF written as CR LF, as a
// text-mode write would.
std::string fileBytes(const std::vector<std::string>& chunks);

} // namespace TemplateWriter
