#include "store/LegacyTemplateReader.h"

#include <array>
#include <utility>

#include "store/TextRules.h"

namespace tarvel {

using namespace TextRules;

namespace {

// Steps 2 on of the conversion, in the order they are applied.
constexpr std::array<std::pair<std::string_view, std::string_view>, 27> kConversions{{
    {"%0", "$selected$"},
    {"%1", "$1$"},
    {"%2", "$2$"},
    {"%3", "$3$"},
    {"%4", "$4$"},
    {"%5", "$5$"},
    {"%6", "$6$"},
    {"%7", "$7$"},
    {"%8", "$8$"},
    {"%DATE%", "$DATE$"},
    {"%DAY%", "$DAY$"},
    {"%DAY_02%", "$DAY_02$"},
    {"%DAYNAME%", "$DAYNAME$"},
    {"%FILE%", "$FILE$"},
    {"%FILE_BASE%", "$FILE_BASE$"},
    {"%FILE_EXT%", "$FILE_EXT$"},
    {"%FILE_PATH%", "$FILE_PATH$"},
    {"%HOUR%", "$HOUR$"},
    {"%HOUR_02%", "$HOUR_02$"},
    {"%MINUTE%", "$MINUTE$"},
    {"%MONTH%", "$MONTH$"},
    {"%MONTH_02%", "$MONTH_02$"},
    {"%MONTHNAME%", "$MONTHNAME$"},
    {"%SCOPE_LINE%", "$SCOPE_LINE$"},
    {"%SECOND%", "$SECOND$"},
    {"%YEAR%", "$YEAR$"},
    {"%YEAR_02%", "$YEAR_02$"},
}};

// Replaces the marker where a character starts with it, stepping over the
// second byte of every double-byte character.
void ReplaceCharacters(std::string& code, std::string_view marker, std::string_view with,
                       const LeadByteSet& leadBytes) {
    if (code.find(marker) == std::string::npos)
        return;
    std::string result;
    result.reserve(code.size());
    std::string_view rest = code;
    while (!rest.empty()) {
        if (rest.substr(0, marker.size()) == marker) {
            result.append(with);
            rest.remove_prefix(marker.size());
            continue;
        }
        const auto length = leadBytes.CharacterLength(rest);
        result.append(rest.substr(0, length));
        rest.remove_prefix(length);
    }
    code = std::move(result);
}

bool HoldsSpaceAfterFirst(std::string_view name) {
    return name.size() > 1 && name.find(' ', 1) != std::string_view::npos;
}

}  // namespace

// Only the caret marker can be the second byte of a double-byte character:
// the other notations start with "%", which never is.
std::string LegacyTemplateReader::ConvertCode(std::string code, const std::string& caretMarker,
                                              const LeadByteSet& leadBytes) {
    if (leadBytes.Empty())
        ReplaceAll(code, caretMarker, "$end$");
    else if (!caretMarker.empty())
        ReplaceCharacters(code, caretMarker, "$end$", leadBytes);
    for (const auto& [from, to] : kConversions)
        ReplaceAll(code, from, to);
    return code;
}

void LegacyTemplateReader::Read(std::string_view bytes) {
    LineCursor lines(bytes);
    std::string_view line;
    while (lines.Next(line))
        ReadLine(line);
    FlushPendingItem();
}

void LegacyTemplateReader::ReadLine(std::string_view line) {
    if (line.empty()) {
        code_ += "\r\n";
        return;
    }
    if (caretPending_) {
        caretPending_ = false;
        caretMarker_.assign(line.substr(0, leadBytes_.CharacterLength(line)));
        return;
    }
    if (!inBlock_ && line.find(':') != std::string_view::npos) {
        ReadHeader(line);
        return;
    }
    if (IsSeparatorLine(line)) {
        name_.clear();
        mode_ = Mode::Autotext;
        return;
    }
    const auto formFeed = line.find('\f');
    if (formFeed != std::string_view::npos) {
        inBlock_ = false;
        code_.append(line.substr(0, formFeed));
        EndBlock();
        return;
    }
    if (inReadme_ && !itemPending_) {
        code_.clear();
        if (IsOldHeaderText(line)) {
            name_.clear();
            return;
        }
        description_.append(line).append("\r\n");
        name_.clear();
        if (!inBlock_)
            EndBlock();
        return;
    }
    code_.append(line).append("\r\n");
    if (!inBlock_)
        EndBlock();
}

void LegacyTemplateReader::ReadHeader(std::string_view line) {
    inBlock_ = true;
    const auto key = KeyBeforeColon(line);
    if (key.empty())
        return;
    if (key == "readme") {
        name_ = "readme";
        inReadme_ = true;
        mode_ = Mode::Autotext;
    } else if (key == "caretPosChar") {
        caretPending_ = true;
        name_.clear();
        mode_ = Mode::Autotext;
    } else {
        mode_ = HoldsSpaceAfterFirst(key) ? Mode::CodeTemplate : Mode::Autotext;
        name_ = std::string(key);
        BeginPendingItem(name_);
    }
}

void LegacyTemplateReader::EndBlock() {
    if (name_.empty() && code_.empty())
        return;
    if (mode_ != Mode::None && itemPending_)
        CreateEntry();
    code_.clear();
    name_.clear();
}

void LegacyTemplateReader::CreateEntry() {
    auto entry = std::make_unique<AutotextEntry>();
    const auto trimmed = Trim(name_);
    const bool trimmedHoldsSpace = trimmed.find(' ') != std::string::npos;
    if (mode_ == Mode::CodeTemplate) {
        entry->title = trimmed;
        entry->shortcut = trimmedHoldsSpace ? std::string() : trimmed;
    } else {
        entry->shortcut = name_.find(' ') != std::string::npos ? std::string() : trimmed;
    }
    entry->code = ConvertCode(std::move(code_), caretMarker_, leadBytes_);
    // The last line's CR LF is the file's line break before the block's end.
    constexpr std::string_view kLineBreak = "\r\n";
    if (description_.size() >= kLineBreak.size() &&
        description_.compare(description_.size() - kLineBreak.size(), kLineBreak.size(), kLineBreak) == 0)
        description_.resize(description_.size() - kLineBreak.size());
    entry->description = std::move(description_);
    sink_.AppendItem(pendingLabel_, std::move(entry));
    itemPending_ = false;
    pendingLabel_.clear();
    description_.clear();
    inReadme_ = false;
}

void LegacyTemplateReader::BeginPendingItem(std::string label) {
    FlushPendingItem();
    pendingLabel_ = std::move(label);
    itemPending_ = true;
}

// An item whose block created no entry stays in the tree without one.
void LegacyTemplateReader::FlushPendingItem() {
    if (!itemPending_)
        return;
    sink_.AppendItem(pendingLabel_, nullptr);
    itemPending_ = false;
    pendingLabel_.clear();
}

}  // namespace tarvel
