#include "store/SaveJournal.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "store/Fingerprint.h"

namespace tarvel {

using Stage = SafeFileWriter::Stage;

namespace {

// The journal: this line, then "old-size old-fingerprint new-size
// new-fingerprint" and a line feed, then the old bytes.
constexpr std::string_view kMagic = "Tarvel save journal 1\n";
constexpr const char* kTemporaryPrefix = "tarvel-";

// What a journal read back holds; the old bytes are a view into it.
struct Kept {
    std::string_view oldBytes;
    std::uint64_t newSize = 0;
    std::uint64_t newFingerprint = 0;
};

std::string Header(std::string_view oldBytes, std::string_view newBytes) {
    return std::string(kMagic) + std::to_string(oldBytes.size()) + ' ' + std::to_string(FingerprintOf(oldBytes)) +
           ' ' + std::to_string(newBytes.size()) + ' ' + std::to_string(FingerprintOf(newBytes)) + '\n';
}

bool ReadNumber(std::string_view& text, std::uint64_t& number, char end) {
    const char* last = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), last, number);
    if (error != std::errc() || stop == last || *stop != end)
        return false;
    text.remove_prefix(static_cast<std::size_t>(stop - text.data()) + 1);
    return true;
}

// Nothing for a journal that was not written whole: the file it guards had
// not been touched yet.
std::optional<Kept> Parse(std::string_view journal) {
    if (journal.substr(0, kMagic.size()) != kMagic)
        return std::nullopt;
    journal.remove_prefix(kMagic.size());
    std::uint64_t oldSize = 0;
    std::uint64_t oldFingerprint = 0;
    Kept kept;
    if (!ReadNumber(journal, oldSize, ' ') || !ReadNumber(journal, oldFingerprint, ' ') ||
        !ReadNumber(journal, kept.newSize, ' ') || !ReadNumber(journal, kept.newFingerprint, '\n'))
        return std::nullopt;
    if (journal.size() != oldSize || FingerprintOf(journal) != oldFingerprint)
        return std::nullopt;
    kept.oldBytes = journal;
    return kept;
}

// A write in place takes the room of the longer text first (old bytes, then
// zeros), writes the new bytes from the start and then cuts the file to their
// length: a crash leaves the longer length, the new one, or, while the room
// is taken, the old bytes followed by zeros. A file that is whole, or of any
// other length, was not left by the write (another program replaced it since)
// and is kept as it is.
bool IsPartWritten(std::string_view now, const Kept& kept) {
    if (now == kept.oldBytes || (now.size() == kept.newSize && FingerprintOf(now) == kept.newFingerprint))
        return false;
    const auto oldSize = kept.oldBytes.size();
    const auto longer = std::max<std::uint64_t>(oldSize, kept.newSize);
    if (now.size() == longer || now.size() == kept.newSize)
        return true;
    return now.size() > oldSize && now.size() < longer && now.substr(0, oldSize) == kept.oldBytes;
}

std::string Hex(std::uint64_t number) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(number));
    return text;
}

}  // namespace

// Beside the file its journal is found however the folder is spelt; in the
// temporary folder it is named after the file's identity for the same reason.
// The identity's volume takes a query of its own (under Wine a round trip to
// the mount manager), so a look in that folder for none of ours asks first.
std::vector<std::string> SaveJournal::PlacesFor(const std::string& target, bool writing) {
    std::vector<std::string> places{target + kSuffix};
    const auto folder = files_.TemporaryFolder();
    if (folder.empty() || (!writing && !AnyJournalIn(folder)))
        return places;
    if (const auto identity = files_.IdentityOf(target))
        places.push_back(folder + kTemporaryPrefix + Hex(identity->volume) + "-" + Hex(identity->index) + kSuffix);
    return places;
}

bool SaveJournal::AnyJournalIn(const std::string& folder) {
    const auto found = files_.FilesEndingWith(folder, kSuffix);
    return std::any_of(found.begin(), found.end(), [&](const std::string& path) {
        return path.compare(folder.size(), std::strlen(kTemporaryPrefix), kTemporaryPrefix) == 0;
    });
}

// A journal already there is left from a write that no opening settled: it
// must go, or an opening would take it for this write's.
SafeFileWriter::Result SaveJournal::Keep(const std::string& target, std::string_view oldBytes,
                                         std::string_view newBytes) {
    const auto header = Header(oldBytes, newBytes);
    SafeFileWriter::Result result{Stage::CreateJournal, 0};
    for (const auto& name : PlacesFor(target, true)) {
        if (files_.Exists(name)) {
            if (const auto error = files_.Remove(name))
                return {Stage::RemoveJournal, error};
        }
        if (result.failedAt == Stage::CreateJournal)
            result = WriteAt(name, header, oldBytes);
    }
    return result;
}

SafeFileWriter::Result SaveJournal::WriteAt(const std::string& name, std::string_view header,
                                            std::string_view oldBytes) {
    std::unique_ptr<WritableFile> file;
    if (const auto error = files_.CreateNew(name, std::string(), file))
        return {Stage::CreateJournal, error};
    const auto fail = [&](Stage stage, unsigned long error) {
        file.reset();
        files_.Remove(name);
        return SafeFileWriter::Result{stage, error};
    };
    if (const auto error = file->Write(header))
        return fail(Stage::WriteJournal, error);
    if (const auto error = file->Write(oldBytes))
        return fail(Stage::WriteJournal, error);
    if (const auto error = file->Flush())
        return fail(Stage::FlushJournal, error);
    if (const auto error = file->Close())
        return fail(Stage::CloseJournal, error);
    return {};
}

void SaveJournal::Discard(const std::string& target) {
    for (const auto& name : PlacesFor(target, false))
        if (files_.Exists(name))
            files_.Remove(name);
}

void SaveJournal::DiscardBeside(const std::string& target) {
    const auto name = target + kSuffix;
    if (files_.Exists(name))
        files_.Remove(name);
}

SaveJournal::Outcome SaveJournal::Recover(const std::string& path) {
    auto target = files_.TargetOf(path).path;
    if (target.empty())
        target = path;
    for (const auto& name : PlacesFor(target, false)) {
        if (!files_.Exists(name))
            continue;
        auto outcome = Settle(name, target);
        if (outcome.recovery != Recovery::None)
            return outcome;
    }
    return {};
}

SaveJournal::Outcome SaveJournal::Settle(const std::string& name, const std::string& target) {
    std::string journal;
    if (const auto error = files_.ReadAll(name, journal))
        return {Recovery::Failed, name, error};
    const auto kept = Parse(journal);
    std::string now;
    if (kept && files_.Exists(target)) {
        if (const auto error = files_.ReadAll(target, now))
            return {Recovery::Failed, name, error};
        if (IsPartWritten(now, *kept)) {
            const auto restored = SafeFileWriter(files_).Overwrite(target, kept->oldBytes);
            if (!restored.Succeeded())
                return {Recovery::Failed, name, restored.error};
            files_.Remove(name);
            return {Recovery::Restored, name, 0};
        }
    }
    files_.Remove(name);
    return {};
}

}  // namespace tarvel
