#include "store/TemplateReader.h"

#include "store/TextRules.h"

using namespace TextRules;

void TemplateReader::read(std::string_view bytes) {
    LineCursor lines(bytes);
    std::string_view line;
    while (lines.next(line))
        readLine(line);
    // A record or readme block still open at the end of the file is dropped.
}

void TemplateReader::readLine(std::string_view line) {
    if (line.empty()) {
        (inReadme_ ? description_ : code_) += "\r\n";
        return;
    }
    if (!inBlock_ && line.find(':') != std::string_view::npos) {
        readHeader(line);
        return;
    }
    if (isSeparatorLine(line)) {
        marker_.clear();
        started_ = true;
        return;
    }
    const auto formFeed = line.find('\f');
    if (formFeed != std::string_view::npos && formFeed > 0) {
        inBlock_ = false;
        (inReadme_ ? description_ : code_).append(line.substr(0, formFeed));
        inReadme_ = false;
        endBlock();
        return;
    }
    if (formFeed == 0) {
        inBlock_ = false;
        inReadme_ = false;
        endBlock();
        return;
    }
    if (inReadme_) {
        code_.clear();
        marker_.clear();
        if (isOldHeaderText(line))
            return;
        description_.append(line).append("\r\n");
        if (!inBlock_)
            endBlock();
        return;
    }
    code_.append(line).append("\r\n");
    if (!inBlock_)
        endBlock();
}

void TemplateReader::readHeader(std::string_view line) {
    inBlock_ = true;
    const auto key = keyBeforeColon(line);
    if (key.empty())
        return;
    if (key == "readme") {
        marker_.clear();
        inReadme_ = true;
        started_ = true;
    } else if (key == "a") {
        title_.assign(trimmedView(colonField(line, 1)));
        shortcut_.assign(trimmedView(colonField(line, 2)));
        label_.assign(shortcut_.empty() ? title_ : shortcut_);
        marker_ = shortcut_;
        recordPending_ = true;
        started_ = true;
    }
}

void TemplateReader::endBlock() {
    if (marker_.empty() && code_.empty() && !recordPending_)
        return;
    if (started_)
        createEntry();
    title_.clear();
    shortcut_.clear();
    code_.clear();
    marker_.clear();
    recordPending_ = false;
}

void TemplateReader::createEntry() {
    auto entry = std::make_unique<AutotextEntry>();
    entry->ordinal = entryCount_++;
    entry->language = language_;
    entry->title = title_;
    entry->shortcut = shortcut_.find(' ') == std::string::npos ? shortcut_ : std::string();
    // Copies keep the buffers' capacity for the next record.
    entry->code = code_;
    replaceAll(entry->code, "%0", "$selected$");
    entry->description = description_;
    sink_.appendItem(label_, std::move(entry));
    description_.clear();
    label_.clear();
    inReadme_ = false;
}
