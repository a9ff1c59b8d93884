#include "store/SafeFileWriter.h"

#include <atomic>
#include <memory>
#include <string_view>

#include "store/SaveJournal.h"

namespace tarvel {

namespace {
std::atomic<unsigned long> attempts{0};
constexpr int kTakenNamesPassedOver = 1000;

// Removes the decimal number at the start of the text; false when none is there.
bool SkipNumber(std::string_view& text) {
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    text.remove_prefix(digits);
    return digits > 0;
}

bool SkipText(std::string_view& text, std::string_view prefix) {
    if (text.substr(0, prefix.size()) != prefix)
        return false;
    text.remove_prefix(prefix.size());
    return true;
}
}  // namespace

bool SafeFileWriter::IsTemporaryNameFor(std::string_view name, std::string_view targetName) {
    return SkipText(name, targetName) && SkipText(name, ".") && SkipNumber(name) && SkipText(name, "-") &&
           SkipNumber(name) && name == kTemporarySuffix;
}

// A crashed process whose id the system has given to this one may have left
// the names this process makes; those are passed over. Past the limit the
// name is tried anyway, and a refusal writes in place.
std::string SafeFileWriter::TemporaryNameFor(const std::string& target) {
    const auto prefix = target + "." + std::to_string(files_.ProcessId()) + "-";
    std::string name;
    for (int tried = 0; tried < kTakenNamesPassedOver; ++tried) {
        name = prefix + std::to_string(++attempts) + kTemporarySuffix;
        if (!files_.Exists(name))
            break;
    }
    return name;
}

SafeFileWriter::Result SafeFileWriter::Write(const std::string& path, std::string_view bytes) {
    const auto [target, links] = files_.TargetOf(path);
    // A link to a file that cannot be named here: written through the link.
    if (target.empty())
        return WriteInPlace(path, bytes);
    // A new file in its place would part the names of a hard-linked file.
    if (links > 1)
        return WriteInPlace(target, bytes);
    const std::string temporary = TemporaryNameFor(target);
    std::unique_ptr<WritableFile> file;
    // The new file takes the old one's attributes and permissions.
    if (files_.CreateNew(temporary, target, file) != 0)
        return WriteInPlace(target, bytes);
    // The file is closed before it is removed: an open file cannot be deleted.
    const auto fail = [&](Stage stage, unsigned long error) {
        file.reset();
        files_.Remove(temporary);
        return Result{stage, error};
    };
    if (const auto error = file->Write(bytes))
        return fail(Stage::Write, error);
    if (const auto error = file->Flush())
        return fail(Stage::Flush, error);
    if (const auto error = file->Close())
        return fail(Stage::Close, error);
    file.reset();
    if (files_.Replace(temporary, target) != 0) {
        files_.Remove(temporary);
        return WriteInPlace(target, bytes);
    }
    // A journal left by an earlier write in place no longer describes the file.
    SaveJournal(files_).DiscardBeside(target);
    return {};
}

// Nothing is written in place without the old bytes kept in a journal: a
// crash half way would leave a file that is neither text.
SafeFileWriter::Result SafeFileWriter::WriteInPlace(const std::string& target, std::string_view bytes) {
    std::string old;
    {
        std::unique_ptr<WritableFile> file;
        if (const auto error = files_.OpenExisting(target, file))
            return {Stage::OpenInPlace, error};
        if (const auto error = file->ReadAll(old))
            return {Stage::ReadInPlace, error};
    }
    SaveJournal journal(files_);
    if (const auto kept = journal.Keep(target, old, bytes); !kept.Succeeded())
        return kept;
    const auto result = Overwrite(target, bytes);
    // Once the file is open its bytes or length may have changed: they are
    // put back, and if that fails too the journal stays for the next opening.
    if (!result.Succeeded() && result.failedAt != Stage::OpenInPlace && !Overwrite(target, old).Succeeded())
        return result;
    journal.Discard(target);
    return result;
}

// The room for the new text is taken before its first byte is written, so
// that a full disk fails the save while the old text is still whole.
SafeFileWriter::Result SafeFileWriter::Overwrite(const std::string& target, std::string_view bytes) {
    std::unique_ptr<WritableFile> file;
    if (const auto error = files_.OpenExisting(target, file))
        return {Stage::OpenInPlace, error};
    if (const auto error = file->Reserve(bytes.size()))
        return {Stage::Reserve, error};
    if (const auto error = file->Write(bytes))
        return {Stage::WriteInPlace, error};
    if (const auto error = file->Truncate(bytes.size()))
        return {Stage::Truncate, error};
    if (const auto error = file->Flush())
        return {Stage::FlushInPlace, error};
    if (const auto error = file->Close())
        return {Stage::CloseInPlace, error};
    return {};
}

}  // namespace tarvel
