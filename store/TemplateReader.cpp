#include "store/TemplateReader.h"

#include "store/TextRules.h"

using namespace TextRules;

void TemplateReader::Read(std::string_view bytes) { ReadLines(bytes, false); }

bool TemplateReader::ReadCurrentFormat(std::string_view bytes) { return ReadLines(bytes, true); }

bool TemplateReader::ReadLines(std::string_view bytes, bool stopAtLegacyHeader) {
    bytes_ = bytes;
    nextFormFeed_ = bytes.find('\f');
    LineCursor lines(bytes);
    std::string_view line;
    while (lines.Next(line)) {
        if (stopAtLegacyHeader && !inBlock_ && IsLegacyHeaderLine(line)) {
            code_.Clear();
            description_.Clear();
            return false;
        }
        ReadLine(line);
    }
    // A record or readme block still open at the end of the file is dropped.
    NoteDropped(code_);
    NoteDropped(description_);
    if (recordPending_) {
        NoteDropped(title_);
        NoteDropped(shortcut_);
    }
    code_.Clear();
    description_.Clear();
    return true;
}

void TemplateReader::ReadLine(std::string_view line) {
    if (line.empty()) {
        AppendLine(inReadme_ ? description_ : code_, line);
        return;
    }
    if (!inBlock_ && line.find(':') != std::string_view::npos) {
        ReadHeader(line);
        return;
    }
    // Inside a record or readme block the marker would change nothing, so the
    // word alone is content there: a code or description line the user typed.
    if (!inRecord_ && IsSeparatorLine(line)) {
        marker_.clear();
        started_ = true;
        return;
    }
    const auto formFeed = FormFeedIn(line);
    if (formFeed != std::string_view::npos)
        NoteDropped(line.substr(formFeed + 1));
    if (formFeed != std::string_view::npos && formFeed > 0) {
        inBlock_ = false;
        inRecord_ = false;
        (inReadme_ ? description_ : code_).AppendPart(line.substr(0, formFeed));
        inReadme_ = false;
        EndBlock();
        return;
    }
    if (formFeed == 0) {
        inBlock_ = false;
        inRecord_ = false;
        inReadme_ = false;
        EndBlock();
        return;
    }
    if (inReadme_) {
        NoteDropped(code_);
        code_.Clear();
        marker_.clear();
        if (IsOldHeaderText(line))
            return;
        AppendLine(description_, line);
        if (!inBlock_)
            EndBlock();
        return;
    }
    AppendLine(code_, line);
    if (!inBlock_)
        EndBlock();
}

// Code and descriptions keep CR LF breaks, so lines the file ends with CR LF
// need no copying until an entry takes them.
void TemplateReader::AppendLine(GatheredText& text, std::string_view line) const {
    const auto end = static_cast<std::size_t>(line.data() - bytes_.data()) + line.size();
    text.AppendLine(line, bytes_.substr(end, 2) == "\r\n");
}

// One search per form feed instead of one per line: a record's lines hold
// none until its last.
std::size_t TemplateReader::FormFeedIn(std::string_view line) {
    const auto start = static_cast<std::size_t>(line.data() - bytes_.data());
    if (nextFormFeed_ != std::string_view::npos && nextFormFeed_ < start)
        nextFormFeed_ = bytes_.find('\f', start);
    return nextFormFeed_ != std::string_view::npos && nextFormFeed_ < start + line.size() ? nextFormFeed_ - start
                                                                                          : std::string_view::npos;
}

void TemplateReader::ReadHeader(std::string_view line) {
    inBlock_ = true;
    const auto key = KeyBeforeColon(line);
    inRecord_ = key == "readme" || key == "a";
    if (!inRecord_)
        NoteDropped(line);
    if (key.empty())
        return;
    if (key == "readme") {
        NoteDropped(line.substr(key.size() + 1));
        marker_.clear();
        inReadme_ = true;
        started_ = true;
    } else if (key == "a") {
        title_.assign(TrimmedView(ColonField(line, 1)));
        shortcut_.assign(TrimmedView(ColonField(line, 2)));
        NoteDroppedAfterFields(line);
        if (shortcut_.find(' ') != std::string::npos)
            NoteDropped(shortcut_);
        label_.assign(shortcut_.empty() ? title_ : shortcut_);
        marker_ = shortcut_;
        recordPending_ = true;
        started_ = true;
    }
}

void TemplateReader::EndBlock() {
    if (marker_.empty() && code_.IsEmpty() && !recordPending_)
        return;
    if (started_)
        CreateEntry();
    else
        NoteDropped(code_);
    title_.clear();
    shortcut_.clear();
    code_.Clear();
    marker_.clear();
    recordPending_ = false;
}

void TemplateReader::CreateEntry() {
    auto entry = std::make_unique<AutotextEntry>();
    entry->ordinal = entryCount_++;
    entry->language = language_;
    entry->title = title_;
    entry->shortcut = shortcut_.find(' ') == std::string::npos ? shortcut_ : std::string();
    code_.CopyTo(entry->code);
    ReplaceAll(entry->code, "%0", "$selected$");
    description_.CopyTo(entry->description);
    sink_.AppendItem(label_, std::move(entry));
    description_.Clear();
    label_.clear();
    inReadme_ = false;
}

void TemplateReader::NoteDropped(std::string_view text) {
    if (!droppedText_ && !TrimmedView(text).empty())
        droppedText_ = true;
}

void TemplateReader::NoteDropped(const GatheredText& text) {
    if (!droppedText_ && text.HoldsText())
        droppedText_ = true;
}

// A record header keeps its title and shortcut; text after its third colon
// is lost.
void TemplateReader::NoteDroppedAfterFields(std::string_view line) {
    auto colon = line.find(':');
    for (int field = 1; field < 3 && colon != std::string_view::npos; ++field)
        colon = line.find(':', colon + 1);
    if (colon != std::string_view::npos)
        NoteDropped(line.substr(colon + 1));
}
