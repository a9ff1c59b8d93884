#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <optional>
#include <string>
#include <vector>

#include "store/FilePort.h"
#include "store/SafeFileWriter.h"
#include "store/Reporter.h"
#include "store/TreeSink.h"

namespace tarvel::storetest {

struct ReportedMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
};

class RecordingReporter : public Reporter {
public:
    void Report(const std::string& text, const std::string& caption, MessageIcon icon) override {
        messages.push_back({text, caption, icon});
    }
    // Records the question as a message and gives the next queued answer,
    // No when none is queued.
    bool Ask(const std::string& text, const std::string& caption, MessageIcon icon) override {
        questions.push_back({text, caption, icon});
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    std::vector<ReportedMessage> messages;
    std::vector<ReportedMessage> questions;
    std::vector<bool> answers;
};

// What a reader yields: the tree items in order, with their entries.
struct TreeItem {
    std::string label;
    std::unique_ptr<AutotextEntry> entry;
};

// One item as a reader gives it, for comparing whole: its label and its
// entry's texts (all empty for an item without an entry).
struct ReadItem {
    std::string label, title, shortcut, description, code;
    bool operator==(const ReadItem& other) const;
};
std::ostream& operator<<(std::ostream& out, const ReadItem& item);

class RecordingSink : public TreeSink {
public:
    void AppendItem(std::string_view label, std::unique_ptr<AutotextEntry> entry) override {
        items.push_back({std::string(label), std::move(entry)});
    }
    std::vector<AutotextEntry*> Entries() const;
    std::vector<std::string> Labels() const;
    std::vector<ReadItem> Read() const;
    std::vector<TreeItem> items;
};

// A fresh directory under the system's temporary folder, removed afterwards.
// Its path ends with a separator, as the host passes it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + name; }
    std::vector<std::string> FileNames() const;

private:
    std::string path_;
};

std::unique_ptr<FilePort> MakePlatformFilePort();
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
void SetReadOnly(const std::string& path);
// Gives an existing file a second name; false where the system cannot.
bool MakeHardLink(const std::string& existing, const std::string& link);
// Points the user's temporary folder at another folder while it lives.
class TemporaryFolderOverride {
public:
    explicit TemporaryFolderOverride(const std::string& folder);
    ~TemporaryFolderOverride();
    TemporaryFolderOverride(const TemporaryFolderOverride&) = delete;
    TemporaryFolderOverride& operator=(const TemporaryFolderOverride&) = delete;

private:
    std::optional<std::string> previous_;
};
// Creates a symbolic link to a file; false where the system has none.
bool MakeSymbolicLink(const std::string& target, const std::string& link);
#ifdef _WIN32
// A link to a target named in Unicode, which the ANSI code page may not spell.
bool MakeSymbolicLinkW(const std::wstring& target, const std::string& link);
// The room a file takes on the disk under Wine, as the system underneath
// counts it; -1 when it cannot be asked.
long long UnixBytesOnDisk(const std::string& path);
// The permission bits of a file under Wine, in octal, as the system
// underneath has them; empty when it cannot be asked.
std::string UnixMode(const std::string& path);
bool SetUnixMode(const std::string& path, const std::string& octal);
#endif
// Wine cannot remove a link whose target is gone; tests remove theirs first.
void RemoveSymbolicLink(const std::string& link);
// Creates a directory, also beyond the classic path limit.
bool MakeDirectory(const std::string& path);
bool RemoveEmptyDirectory(const std::string& path);
bool IsReadOnly(const std::string& path);

// Every occurrence of one text replaced by another.
void ReplaceEach(std::string& text, const std::string& from, const std::string& to);

// Entries read from template bytes by the current reader.
RecordingSink ReadTemplate(const std::string& bytes, int language = 0);
RecordingSink ReadLegacyTemplate(const std::string& bytes);

}  // namespace tarvel::storetest

namespace tarvel::storetest {

// The platform's real file port, with single operations replaceable by a
// test to inject failures the real file system will not give on demand.
class ScriptedFilePort : public FilePort {
public:
    ScriptedFilePort() : real_(MakePlatformFilePort()) {}
    // From the named step on, the port is a process that died there: a write
    // there puts half of its bytes down, then onCrash runs (a test may end
    // the process in it), and every later step and change fails.
    void CrashAt(SafeFileWriter::Stage stage, std::function<void()> onCrash = {}) {
        crashAt_ = stage;
        onCrash_ = std::move(onCrash);
    }
    bool Crashed() const { return crashed_; }
    // Lead bytes of a double-byte code page, in place of the system's.
    std::optional<LeadByteSet> leadBytes;
    std::function<unsigned long(const std::string&, std::string&)> onReadAll;
    std::function<int(const std::string&)> onMakeWritable;
    std::function<unsigned long(const std::string&, const std::string&)> onCopy;
    // Asked before every step of a save with the path the step works on (the
    // temporary file's for its steps): an error code fails the step.
    std::function<unsigned long(SafeFileWriter::Stage, const std::string&)> fault;
    // The steps of the saves so far, in order.
    std::vector<SafeFileWriter::Stage> steps;

    bool Exists(const std::string& path) override { return real_->Exists(path); }
    unsigned long CreateEmpty(const std::string& path) override {
        return crashed_ ? kCrashed : real_->CreateEmpty(path);
    }
    int MakeWritable(const std::string& path) override {
        if (crashed_)
            return static_cast<int>(kCrashed);
        return onMakeWritable ? onMakeWritable(path) : real_->MakeWritable(path);
    }
    unsigned long ReadAll(const std::string& path, std::string& bytes) override {
        return onReadAll ? onReadAll(path, bytes) : real_->ReadAll(path, bytes);
    }
    unsigned long ReadWithState(const std::string& path, std::string& bytes, FileState& state) override;
    std::optional<FileState> StateOf(const std::string& path) override { return real_->StateOf(path); }
    std::optional<FileIdentity> IdentityOf(const std::string& path) override { return real_->IdentityOf(path); }
    FileTarget TargetOf(const std::string& path) override { return real_->TargetOf(path); }
    unsigned long CreateNew(const std::string& path, const std::string& model,
                            std::unique_ptr<WritableFile>& file) override;
    unsigned long OpenExisting(const std::string& path, std::unique_ptr<WritableFile>& file) override;
    unsigned long Replace(const std::string& replacement, const std::string& path) override;
    unsigned long Remove(const std::string& path) override;
    unsigned long Copy(const std::string& from, const std::string& to) override {
        if (crashed_)
            return kCrashed;
        return onCopy ? onCopy(from, to) : real_->Copy(from, to);
    }
    std::vector<std::string> StaleFiles(const std::string& directory, const std::string& suffix,
                                        int seconds) override {
        return real_->StaleFiles(directory, suffix, seconds);
    }
    std::vector<std::string> FilesEndingWith(const std::string& directory, const std::string& suffix) override {
        return real_->FilesEndingWith(directory, suffix);
    }
    std::string TemporaryFolder() override { return real_->TemporaryFolder(); }
    unsigned long ProcessId() override { return real_->ProcessId(); }
    std::optional<std::string> SystemErrorText(unsigned long code) override { return real_->SystemErrorText(code); }
    LeadByteSet AnsiLeadBytes() override { return leadBytes ? *leadBytes : real_->AnsiLeadBytes(); }
    FilePort& real() { return *real_; }

    // Records the step and gives the injected error, if any; the bytes of a
    // write are cut to what a crash at the step leaves written, and the
    // write then calls WrittenUpToCrash.
    unsigned long Step(SafeFileWriter::Stage stage, const std::string& path, std::string_view* bytes = nullptr);
    void WrittenUpToCrash();

private:
    static const unsigned long kCrashed;

    std::unique_ptr<FilePort> real_;
    std::optional<SafeFileWriter::Stage> crashAt_;
    std::function<void()> onCrash_;
    bool crashed_ = false;
};

}  // namespace tarvel::storetest
