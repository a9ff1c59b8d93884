#pragma once

#include <string>
#include <vector>

#include "store/AutotextEntry.h"

// Turns the entries of one language into the text of its template file.
namespace TemplateWriter {

// One chunk per written entry (its readme block and its record) in the form
// the file holds it: the text with LF line breaks as a text-mode write stores
// it, every LF as CR LF. Entries of another kind and entries whose title,
// shortcut and code are all empty are skipped. As a side effect title,
// shortcut and code keep LF line breaks afterwards; the description keeps CR LF.
std::vector<std::string> FormatLanguageRecords(const std::vector<AutotextEntry*>& entries);

// The file's bytes: the chunks in order, nothing between them.
std::string fileBytes(const std::vector<std::string>& chunks);

} // namespace TemplateWriter
