#pragma once

#include <string>
#include <string_view>

#include "store/LeadByteSet.h"
#include "store/TreeSink.h"

namespace tarvel {

// Reads template files of the older layout, with a "caretPosChar:" block and
// one name per entry, and converts the older variable notations to the
// current reserved variables.
class LegacyTemplateReader {
public:
    // Under a double-byte code page the caret marker is a whole character,
    // never the second byte of one: the lead bytes tell where characters start.
    explicit LegacyTemplateReader(TreeSink& sink, const LeadByteSet& leadBytes = LeadByteSet())
        : sink_(sink), leadBytes_(leadBytes) {}

    // Appends the file's items and entries to the sink, in file order.
    void Read(std::string_view bytes);

    // The older notations in code become the current ones: the caret marker
    // "$end$", "%0" to "%8" "$selected$" and "$1$" to "$8$", the percent-sign
    // variables the dollar-sign ones.
    static std::string ConvertCode(std::string code, const std::string& caretMarker,
                                   const LeadByteSet& leadBytes = LeadByteSet());

private:
    enum class Mode { None, Autotext, CodeTemplate };

    void ReadLine(std::string_view line);
    void ReadHeader(std::string_view line);
    void EndBlock();
    void CreateEntry();
    void BeginPendingItem(std::string label);
    void FlushPendingItem();

    TreeSink& sink_;
    LeadByteSet leadBytes_;

    std::string code_;
    std::string description_;
    std::string name_;
    std::string caretMarker_;
    Mode mode_ = Mode::None;
    bool inBlock_ = false;
    bool inReadme_ = false;
    bool caretPending_ = false;
    // The item inserted for the last entry header, until its entry is created.
    bool itemPending_ = false;
    std::string pendingLabel_;
};

}  // namespace tarvel
