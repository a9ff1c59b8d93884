#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "store/FilePort.h"
#include "store/Reporter.h"
#include "store/TreeSink.h"

namespace storetest {

struct ReportedMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
};

class RecordingReporter : public Reporter {
public:
    void report(const std::string& text, const std::string& caption, MessageIcon icon) override {
        messages.push_back({text, caption, icon});
    }
    std::vector<ReportedMessage> messages;
};

// What a reader yields: the tree items in order, with their entries.
struct TreeItem {
    std::string label;
    std::unique_ptr<AutotextEntry> entry;
};

class RecordingSink : public TreeSink {
public:
    void appendItem(const std::string& label, std::unique_ptr<AutotextEntry> entry) override {
        items.push_back({label, std::move(entry)});
    }
    std::vector<AutotextEntry*> entries() const;
    std::vector<std::string> labels() const;
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
    std::vector<std::string> fileNames() const;

private:
    std::string path_;
};

std::unique_ptr<FilePort> makePlatformFilePort();
std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);
void setReadOnly(const std::string& path);
bool isReadOnly(const std::string& path);

// Entries read from template bytes by the current reader.
RecordingSink readTemplate(const std::string& bytes, int language = 0);
RecordingSink readLegacyTemplate(const std::string& bytes);

}  // namespace storetest

namespace storetest {

// The platform's real file port, with single operations replaceable by a
// test to inject failures the real file system will not give on demand.
class ScriptedFilePort : public FilePort {
public:
    ScriptedFilePort() : real_(makePlatformFilePort()) {}
    std::function<unsigned long(const std::string&, std::string&)> onReadAll;
    std::function<int(const std::string&)> onMakeWritable;
    std::function<WriteResult(const std::string&, const std::string&)> onReplaceContents;

    bool exists(const std::string& path) override { return real_->exists(path); }
    unsigned long createEmpty(const std::string& path) override { return real_->createEmpty(path); }
    int makeWritable(const std::string& path) override {
        return onMakeWritable ? onMakeWritable(path) : real_->makeWritable(path);
    }
    unsigned long readAll(const std::string& path, std::string& bytes) override {
        return onReadAll ? onReadAll(path, bytes) : real_->readAll(path, bytes);
    }
    WriteResult replaceContents(const std::string& path, const std::string& bytes) override {
        return onReplaceContents ? onReplaceContents(path, bytes) : real_->replaceContents(path, bytes);
    }
    std::optional<std::string> systemErrorText(unsigned long code) override { return real_->systemErrorText(code); }
    FilePort& real() { return *real_; }

private:
    std::unique_ptr<FilePort> real_;
};

}  // namespace storetest
