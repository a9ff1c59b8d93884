#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "store/GatheredText.h"
#include "store/TreeSink.h"

namespace tarvel {

// Reads template files in the current format: readme blocks that carry the
// description of the record after them, and "a:title:shortcut:" records that
// end at the first line holding a form feed.
class TemplateReader {
public:
    TemplateReader(int language, TreeSink& sink) : language_(language), sink_(sink) {}
    // Reads the source's bytes, given to Read or ReadCurrentFormat, into
    // entries that borrow their texts from them instead of copying them.
    TemplateReader(int language, TreeSink& sink, std::shared_ptr<const std::string> source)
        : language_(language), sink_(sink), source_(std::move(source)) {}

    // Appends the entries of the file's bytes to the sink, in file order.
    void Read(std::string_view bytes);
    // Reads as Read does, but gives up and returns false at the first header
    // line that marks the bytes as a legacy file; the sink may then hold items
    // of the lines before it.
    bool ReadCurrentFormat(std::string_view bytes);
    // Whether the bytes held text, other than marker lines and the header
    // texts of older files, that became part of no entry.
    bool DroppedText() const { return droppedText_; }

private:
    bool ReadLines(std::string_view bytes, bool stopAtLegacyHeader);
    void ReadLine(std::string_view line);
    // Whether the line, outside a block, was a header.
    bool ReadHeader(std::string_view line);
    void ReadRecordHeader(std::string_view fields);
    // Takes the code of the record whose header was just read at once, up to
    // its form feed, when the bytes hold it as the lines would gather it.
    void ReadRecordCode(TextRules::LineCursor& lines);
    // Takes the text of the readme block whose header was just read the same way.
    void ReadReadmeText(TextRules::LineCursor& lines);
    // The form feed, in the bytes after the cursor's last line, ends the block.
    void EndBlockAtFormFeedFrom(TextRules::LineCursor& lines, std::size_t formFeed);
    void EndBlockAtFormFeed();
    // Where the line, a view into the bytes being read, holds its first form
    // feed; npos when it holds none.
    std::size_t FormFeedIn(std::string_view line);
    // Appends the line, a view into the bytes being read, and a CR LF.
    void AppendLine(GatheredText& text, std::string_view line) const;
    void EndBlock();
    void CreateEntry();
    void Take(std::string_view text, EntryText& field) const;
    void TakeCode(EntryText& field) const;
    void NoteDropped(std::string_view text);
    void NoteDropped(const GatheredText& text);

    int language_;
    TreeSink& sink_;
    std::shared_ptr<const std::string> source_;
    std::string_view bytes_;
    std::size_t nextFormFeed_ = std::string_view::npos;

    // Views into the bytes being read.
    GatheredText code_;
    GatheredText description_;
    std::string_view title_;
    std::string_view shortcut_;
    bool shortcutHoldsSpace_ = false;
    std::string_view label_;
    std::string_view marker_;
    bool recordCodeFollows_ = false;
    bool readmeTextFollows_ = false;
    // The code is the bytes as they stand, with no "%0" in them.
    bool codeAsRead_ = false;
    bool started_ = false;
    bool inBlock_ = false;
    bool inReadme_ = false;
    // The open block was started by a "readme" or "a" header.
    bool inRecord_ = false;
    // An "a" record is an entry even without shortcut or code, so an entry
    // that holds only a title (and perhaps a description) survives a save and
    // keeps its own description.
    bool recordPending_ = false;
    int entryCount_ = 0;
    bool droppedText_ = false;
};

}  // namespace tarvel
