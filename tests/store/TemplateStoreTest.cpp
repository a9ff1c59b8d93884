#include <gtest/gtest.h>

#include "store/StoreTexts.h"
#include "store/TemplateStore.h"
#include "tests/store/StoreTestSupport.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

#include <algorithm>
#include <filesystem>
#include <new>

using namespace tarvel;

using namespace storetest;

namespace {

const std::vector<std::string> kTemplateFiles{"cpp.tpl", "cs.tpl",   "html.tpl", "java.tpl",
                                              "js.tpl",  "perl.tpl", "txt.tpl",  "vb.tpl"};

#ifdef _WIN32
constexpr unsigned long kDiskFull = ERROR_DISK_FULL;
#else
constexpr unsigned long kDiskFull = ENOSPC;
#endif

class TemplateStoreTest : public ::testing::Test {
protected:
    TemplateStore store() { return TemplateStore(dir.path(), port, reporter); }

    RecordingSink load(int language) {
        RecordingSink sink;
        store().LoadLanguageTemplates(language, sink);
        return sink;
    }

    // The system's text for an error, as a message shows it: its first line.
    std::string SystemText(unsigned long code) {
        const auto text = port.SystemErrorText(code).value_or("");
        return text.substr(0, text.find('\r'));
    }

    TemplateStore::LanguageEntries EntriesOf(int language, std::vector<AutotextEntry*> entries) {
        TemplateStore::LanguageEntries all;
        all[language] = std::move(entries);
        return all;
    }

    TempDir dir;
    ScriptedFilePort port;
    RecordingReporter reporter;
};

AutotextEntry entry(std::string shortcut, std::string code) {
    AutotextEntry result;
    result.shortcut = std::move(shortcut);
    result.code = std::move(code);
    return result;
}

TEST_F(TemplateStoreTest, MissingFileLeavesLanguageEmptyWithoutMessage) {
    EXPECT_TRUE(load(0).items.empty());
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(TemplateStoreTest, EmptyFileGivesNoEntriesAndNoMessage) {
    WriteFileBytes(dir.file("cs.tpl"), "");
    EXPECT_FALSE(TemplateStore::IsLegacyFormat(ReadFileBytes(dir.file("cs.tpl"))));
    EXPECT_TRUE(load(1).items.empty());
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(TemplateStoreTest, LoadsEachLanguageFromItsOwnFile) {
    WriteFileBytes(dir.file("html.tpl"), "a:Page::\r\n<html></html>\f\r\n");
    WriteFileBytes(dir.file("vb.tpl"), "a::dim:\r\nDim x As Integer\f\r\n");
    const auto html = load(2);
    const auto vb = load(7);
    ASSERT_EQ(html.items.size(), 1u);
    ASSERT_EQ(vb.items.size(), 1u);
    EXPECT_EQ(html.items[0].entry->language, 2);
    EXPECT_EQ(vb.items[0].entry->language, 7);
    EXPECT_EQ(vb.items[0].label, "dim");
}

TEST_F(TemplateStoreTest, DetectsAndReadsLegacyFiles) {
    WriteFileBytes(dir.file("cpp.tpl"), "caretPosChar:\r\n^\r\n\f\r\nfor loop:\r\nfor (^;;) {%0}\f\r\n");
    EXPECT_TRUE(TemplateStore::IsLegacyFormat(ReadFileBytes(dir.file("cpp.tpl"))));
    const auto sink = load(0);
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].entry->title, "for loop");
    EXPECT_EQ(sink.items[0].entry->code, "for ($end$;;) {$selected$}");
}

TEST_F(TemplateStoreTest, EachLanguageReadsItsLegacyFileAndReportsOpenFailuresByPath) {
    WriteFileBytes(dir.file("vb.tpl"), "caretPosChar:\r\n|\r\n\f\r\nsub:\r\nSub |\f\r\n");
    const auto legacy = load(7);
    ASSERT_EQ(legacy.items.size(), 1u);
    EXPECT_EQ(legacy.items[0].entry->code, "Sub $end$");
    WriteFileBytes(dir.file("perl.tpl"), "a::x:\r\ny\f\r\n");
    port.onReadAll = [](const std::string&, std::string&) -> unsigned long { return 5; };
    EXPECT_TRUE(load(5).items.empty());
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[1].text.rfind("File Open failed\n" + dir.file("perl.tpl") + "\n", 0), 0u);
}

TEST_F(TemplateStoreTest, CaretPosCharInsideCodeLineIsNotMistakenForLegacy) {
    WriteFileBytes(dir.file("cpp.tpl"), "a::x:\r\nint caretPosChar = 1;\f\r\n");
    EXPECT_FALSE(TemplateStore::IsLegacyFormat(ReadFileBytes(dir.file("cpp.tpl"))));
}

// A code or description line the user typed may start with the legacy key;
// only a header marks a legacy file, else the next load would mangle every
// entry of the file and the save after it would write them so.
TEST_F(TemplateStoreTest, LegacyKeyInsideARecordOrReadmeKeepsTheFileCurrent) {
    AutotextEntry typed;
    typed.title = "Config line";
    typed.shortcut = "cfg";
    typed.code = "caretPosChar: 1\r\n";
    typed.description = "caretPosChar:\r\n";
    auto next = entry("two", "x");
    store().SaveAllTemplates(EntriesOf(0, {&typed, &next}));
    EXPECT_FALSE(TemplateStore::IsLegacyFormat(ReadFileBytes(dir.file("cpp.tpl"))));
    const auto sink = load(0);
    ASSERT_EQ(sink.Labels(), (std::vector<std::string>{"cfg", "two"}));
    EXPECT_EQ(sink.items[0].entry->title, "Config line");
    EXPECT_EQ(sink.items[0].entry->code, "caretPosChar: 1\r\n");
    EXPECT_EQ(sink.items[0].entry->description, "caretPosChar:");
    EXPECT_TRUE(reporter.messages.empty());
}

// The format is known only at the end of the file: items read in the current
// format before a late legacy header must not reach the tree.
TEST_F(TemplateStoreTest, LegacyHeaderOnTheLastLineHandsTheWholeFileToTheLegacyReader) {
    WriteFileBytes(dir.file("cpp.tpl"), "a::x:\r\nint y;\f\r\ncaretPosChar:\r\n");
    EXPECT_TRUE(TemplateStore::IsLegacyFormat(ReadFileBytes(dir.file("cpp.tpl"))));
    const auto sink = load(0);
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].label, "a");
    EXPECT_EQ(sink.items[0].entry->shortcut, "a");
    EXPECT_EQ(sink.items[0].entry->code, "int y;");
}

TEST_F(TemplateStoreTest, UnopenableFileIsReportedByDetectionAndByReader) {
    std::filesystem::create_directory(dir.file("java.tpl"));
    EXPECT_TRUE(load(3).items.empty());
    ASSERT_EQ(reporter.messages.size(), 2u);
    const auto& message = reporter.messages[0];
    const std::string prefix = "File Open failed\n" + dir.file("java.tpl") + "\n";
    EXPECT_EQ(message.text.substr(0, prefix.size()), prefix);
    EXPECT_GT(message.text.size(), prefix.size());
    EXPECT_EQ(message.text.find('\r'), std::string::npos);
    EXPECT_EQ(message.caption, "Quillon X Autotext Editor");
    EXPECT_EQ(message.icon, MessageIcon::Error);
    EXPECT_EQ(reporter.messages[1].text, message.text);
}

// A file that could not be read shows an empty language; writing that back
// would wipe the entries the user never saw.
TEST_F(TemplateStoreTest, FileThatCouldNotBeReadIsNotOverwritten) {
    WriteFileBytes(dir.file("html.tpl"), "a::keep:\r\n<p>kept</p>\f\r\n");
    port.onReadAll = [](const std::string&, std::string&) -> unsigned long { return 5; };
    auto store = this->store();
    RecordingSink sink;
    store.LoadLanguageTemplates(2, sink);
    EXPECT_TRUE(sink.items.empty());
    port.onReadAll = nullptr;
    reporter.messages.clear();
    store.SaveAllTemplates({});
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text.rfind(dir.file("html.tpl") + " was not saved", 0), 0u);
    EXPECT_EQ(reporter.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(ReadFileBytes(dir.file("html.tpl")), "a::keep:\r\n<p>kept</p>\f\r\n");
    EXPECT_TRUE(std::filesystem::exists(dir.file("cpp.tpl")));
}

// A file that another program held only for the first read: the second read
// shows its entries, so the save must write the user's edits of them.
// Read entries borrow their texts from the file's bytes: what the user
// changes becomes the text's own, and a text copied or moved out of its
// entry stays whole when every entry of the file is gone.
TEST_F(TemplateStoreTest, ReadTextsOutliveTheirEntriesAndOwnWhatChanges) {
    WriteFileBytes(dir.file("cpp.tpl"), "readme:\r\nabout\r\n\f\r\na:One:one:\r\nfirst\r\ncode\f\r\na::two:\r\nx\f\r\n");
    auto sink = load(0);
    ASSERT_EQ(sink.items.size(), 2u);
    auto& first = *sink.items[0].entry;
    first.title.Owned() += " changed";
    EXPECT_EQ(first.title, "One changed");
    EXPECT_EQ(first.shortcut, "one");
    EXPECT_EQ(first.description, "about");
    const EntryText copied = first.code;
    const EntryText moved = std::move(sink.items[1].entry->code);
    const AutotextEntry whole = first;
    sink.items.clear();
    EXPECT_EQ(copied, "first\r\ncode");
    EXPECT_EQ(moved, "x");
    EXPECT_EQ(whole.title, "One changed");
    EXPECT_EQ(whole.description, "about");
}

TEST_F(TemplateStoreTest, FileReadAtTheSecondTryIsLoadedAndSaved) {
    WriteFileBytes(dir.file("html.tpl"), "a::p:\r\n<p>old</p>\f\r\n");
    int reads = 0;
    port.onReadAll = [&](const std::string& path, std::string& bytes) -> unsigned long {
        return ++reads == 1 ? 32 : port.real().ReadAll(path, bytes);
    };
    auto store = this->store();
    RecordingSink sink;
    store.LoadLanguageTemplates(2, sink);
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(reporter.messages.size(), 1u);
    sink.items[0].entry->code = "<p>edited</p>";
    reporter.messages.clear();
    store.SaveAllTemplates(EntriesOf(2, sink.Entries()));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(ReadFileBytes(dir.file("html.tpl")), "a::p:\r\n<p>edited</p>\f\r\n");
}

// A template path of 259 characters, as long as the system takes.
TEST_F(TemplateStoreTest, DirectoryAtThePathLengthLimitStillSaves) {
    const std::string deep = dir.path() + std::string(std::max<int>(1, 251 - static_cast<int>(dir.path().size())), 'd');
    std::filesystem::create_directory(deep);
    TemplateStore nested(deep + static_cast<char>(std::filesystem::path::preferred_separator), port, reporter);
    auto a = entry("deep", "x");
    TemplateStore::LanguageEntries all;
    all[0] = {&a};
    nested.SaveAllTemplates(all);
    EXPECT_TRUE(reporter.messages.empty()) << reporter.messages[0].text;
    EXPECT_EQ(ReadFileBytes(deep + "/cpp.tpl"), "a::deep:\r\nx\f\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(deep), {}), 8);
}

TEST_F(TemplateStoreTest, SaveWritesAllEightFilesEmptyOnesIncluded) {
    auto a = entry("inc", "#include <$end$>");
    store().SaveAllTemplates(EntriesOf(4, {&a}));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(dir.FileNames(), (std::vector<std::string>{"cpp.tpl", "cs.tpl", "html.tpl", "java.tpl", "js.tpl",
                                                         "perl.tpl", "txt.tpl", "vb.tpl"}));
    EXPECT_EQ(ReadFileBytes(dir.file("js.tpl")), "a::inc:\r\n#include <$end$>\f\r\n");
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl")), "");
}

TEST_F(TemplateStoreTest, SavedFilesReadBackAndResaveIdentically) {
    WriteFileBytes(dir.file("perl.tpl"),
                   "readme:\r\nPrints a line\r\n\f\r\na:print line:pl:\r\nprint \"$1$\\n\";\f\r\n"
                   "a::sub:\r\nsub $name$ {\r\n    $end$\r\n}\f\r\n");
    const auto before = ReadFileBytes(dir.file("perl.tpl"));
    auto sink = load(5);
    store().SaveAllTemplates(EntriesOf(5, sink.Entries()));
    EXPECT_EQ(ReadFileBytes(dir.file("perl.tpl")), before);
}

TEST_F(TemplateStoreTest, ReadOnlyFileIsMadeWritableAndReplaced) {
    WriteFileBytes(dir.file("txt.tpl"), "old");
    SetReadOnly(dir.file("txt.tpl"));
    auto a = entry("sig", "Regards");
    store().SaveAllTemplates(EntriesOf(6, {&a}));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(ReadFileBytes(dir.file("txt.tpl")), "a::sig:\r\nRegards\f\r\n");
    EXPECT_FALSE(IsReadOnly(dir.file("txt.tpl")));
}

TEST_F(TemplateStoreTest, CreateFailureIsReportedForEveryLanguage) {
    TemplateStore missing(dir.path() + "no-such-dir/", port, reporter);
    missing.SaveAllTemplates({});
    ASSERT_EQ(reporter.messages.size(), 8u);
    const auto& message = reporter.messages[0];
    EXPECT_EQ(message.text.rfind("Could not create file (error ", 0), 0u);
    const std::string named = ").\n" + dir.path() + "no-such-dir/cpp.tpl";
    EXPECT_EQ(message.text.substr(message.text.size() - named.size()), named);
    EXPECT_EQ(message.icon, MessageIcon::Error);
    EXPECT_EQ(message.caption, "Quillon X Autotext Editor");
}

TEST_F(TemplateStoreTest, ChmodFailuresKeepTheirTextsAndSkipTheFile) {
    int call = 0;
    const int results[] = {2, 22, 13};
    port.onMakeWritable = [&](const std::string&) { return results[call++ % 3]; };
    WriteFileBytes(dir.file("cpp.tpl"), "keep me");
    store().SaveAllTemplates({});
    ASSERT_EQ(reporter.messages.size(), 8u);
    EXPECT_EQ(reporter.messages[0].text, "File " + dir.file("cpp.tpl") + " not found.");
    EXPECT_EQ(reporter.messages[1].text, "Invalid parameter to chmod.\n" + dir.file("cs.tpl"));
    EXPECT_EQ(reporter.messages[2].text, "Unexpected error in chmod.\n" + dir.file("html.tpl"));
    EXPECT_EQ(reporter.messages[2].icon, MessageIcon::Error);
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl")), "keep me");
}

TEST_F(TemplateStoreTest, FullDiskKeepsOldFileAndStillWritesTheOthers) {
    WriteFileBytes(dir.file("cs.tpl"), "previous contents");
    port.fault = [&](SafeFileWriter::Stage stage, const std::string& path) -> unsigned long {
        return stage == SafeFileWriter::Stage::Write && path.find("cs.tpl") != std::string::npos ? kDiskFull : 0;
    };
    auto a = entry("cls", "class $name$ {}");
    auto b = entry("ns", "namespace $name$ {}");
    auto all = EntriesOf(1, {&a});
    all[0] = {&b};
    store().SaveAllTemplates(all);
    ASSERT_EQ(reporter.messages.size(), 1u);
    const auto& message = reporter.messages[0];
    EXPECT_EQ(message.caption, "Quillon X Autotext Editor");
    EXPECT_NE(message.text.find(dir.file("cs.tpl")), std::string::npos);
    EXPECT_NE(message.text.find(SystemText(kDiskFull)), std::string::npos);
    EXPECT_EQ(ReadFileBytes(dir.file("cs.tpl")), "previous contents");
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl")), "a::ns:\r\nnamespace $name$ {}\f\r\n");
}

TEST_F(TemplateStoreTest, OutOfMemoryWhileSavingSkipsOnlyThatLanguage) {
    WriteFileBytes(dir.file("cs.tpl"), "previous contents");
    port.fault = [&](SafeFileWriter::Stage, const std::string& path) -> unsigned long {
        if (path.find("cs.tpl") != std::string::npos)
            throw std::bad_alloc();
        return 0;
    };
    auto a = entry("ns", "namespace $name$ {}");
    store().SaveAllTemplates(EntriesOf(7, {&a}));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Not enough memory to save " + dir.file("cs.tpl") + ".");
    EXPECT_EQ(reporter.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(ReadFileBytes(dir.file("cs.tpl")), "previous contents");
    EXPECT_EQ(ReadFileBytes(dir.file("vb.tpl")), "a::ns:\r\nnamespace $name$ {}\f\r\n");
}

TEST_F(TemplateStoreTest, FileThatCanNeitherBeReplacedNorOpenedIsNamedWithExclamation) {
    port.fault = [](SafeFileWriter::Stage stage, const std::string&) -> unsigned long {
        return stage == SafeFileWriter::Stage::CreateTemporary || stage == SafeFileWriter::Stage::OpenInPlace ? kDiskFull
                                                                                                              : 0;
    };
    EXPECT_FALSE(store().SaveAllTemplates({}));
    ASSERT_EQ(reporter.messages.size(), 8u);
    EXPECT_EQ(reporter.messages[0].text,
              "Could not save " + dir.file("cpp.tpl") + "\n" + SystemText(kDiskFull));
    EXPECT_EQ(reporter.messages[0].icon, MessageIcon::Exclamation);
}

TEST_F(TemplateStoreTest, SuccessfulSaveLeavesNoTemporaryFiles) {
    WriteFileBytes(dir.file("cpp.tpl"), "old");
    store().SaveAllTemplates({});
    store().SaveAllTemplates({});
    EXPECT_EQ(dir.FileNames(), kTemplateFiles);
}

TEST_F(TemplateStoreTest, DirectoryWithoutSeparatorPrefixesTheFileNames) {
    std::filesystem::create_directory(dir.file("sub"));
    TemplateStore unterminated(dir.file("sub"), port, reporter);
    unterminated.SaveAllTemplates({});
    EXPECT_TRUE(std::filesystem::exists(dir.file("subcpp.tpl")));
    EXPECT_TRUE(std::filesystem::is_empty(dir.file("sub")));
}

TEST_F(TemplateStoreTest, SystemErrorTextFallsBackToUnknownError) {
    WriteFileBytes(dir.file("cpp.tpl"), "a::x:\r\ny\f\r\n");
    unsigned long error = 0x7FFF1234;
    port.onReadAll = [&error](const std::string&, std::string&) { return error; };
    load(0);
    error = 2;
    load(0);
    ASSERT_EQ(reporter.messages.size(), 4u);
    const std::string opening = "File Open failed\n" + dir.file("cpp.tpl") + "\n";
    EXPECT_EQ(reporter.messages[0].text, opening + "Unknown error 0x7fff1234 (4660)");
    ASSERT_EQ(reporter.messages[2].text.rfind(opening, 0), 0u);
    const auto known = reporter.messages[2].text.substr(opening.size());
    EXPECT_FALSE(known.empty());
    EXPECT_EQ(known.find('\r'), std::string::npos);
    EXPECT_EQ(known.find("Unknown error"), std::string::npos);
}

#ifdef _WIN32
// Another program holding the file without sharing: reading reports it and
// keeps the file out of the next save.
TEST_F(TemplateStoreTest, FileHeldWhileReadingIsReportedAndKept) {
    WriteFileBytes(dir.file("cpp.tpl"), "a::held:\r\nx\f\r\n");
    HANDLE held = CreateFileA(dir.file("cpp.tpl").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    auto store = this->store();
    RecordingSink sink;
    store.LoadLanguageTemplates(0, sink);
    CloseHandle(held);
    EXPECT_TRUE(sink.items.empty());
    EXPECT_EQ(reporter.messages.size(), 2u);
    reporter.messages.clear();
    store.SaveAllTemplates({});
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].text.find("was not saved"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl")), "a::held:\r\nx\f\r\n");
}

// Held while saving: the replacement retries, then gives up with a message
// and leaves the file and no temporary behind.
TEST_F(TemplateStoreTest, FileHeldWhileSavingIsReportedAndKept) {
    WriteFileBytes(dir.file("cpp.tpl"), "a::held:\r\nx\f\r\n");
    HANDLE held = CreateFileA(dir.file("cpp.tpl").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    store().SaveAllTemplates({});
    CloseHandle(held);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].text.find(dir.file("cpp.tpl")), std::string::npos);
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl")), "a::held:\r\nx\f\r\n");
    EXPECT_EQ(dir.FileNames(), kTemplateFiles);
}
#else
// A real write failure in the middle of the temporary file: the file size
// limit makes write() fail as a full disk would.
TEST_F(TemplateStoreTest, FailedWriteKeepsOldFileByteForByteAndLeavesNoTemporary) {
    WriteFileBytes(dir.file("cpp.tpl"), "old contents");
    auto big = entry("big", std::string(256 * 1024, 'x'));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limit = previous;
    limit.rlim_cur = 64 * 1024;
    setrlimit(RLIMIT_FSIZE, &limit);
    store().SaveAllTemplates(EntriesOf(0, {&big}));
    setrlimit(RLIMIT_FSIZE, &previous);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].text.find("cpp.tpl"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl")), "old contents");
    EXPECT_EQ(dir.FileNames(), kTemplateFiles);
}

TEST_F(TemplateStoreTest, FifoInPlaceOfAFileIsReportedWithoutHanging) {
    ASSERT_EQ(mkfifo(dir.file("txt.tpl").c_str(), 0600), 0);
    EXPECT_TRUE(load(6).items.empty());
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[0].text.rfind("File Open failed\n", 0), 0u);
}
#endif

}  // namespace
