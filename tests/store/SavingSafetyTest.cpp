// Nothing on disk is lost by a save: failures at every step of writing a
// file, files held by other programs, links, changes made by other programs,
// leftovers of crashed saves, deep directories and files the reader cannot
// account for.
#include <gtest/gtest.h>

#include "store/SafeFileWriter.h"
#include "store/StoreTexts.h"
#include "store/TemplateStore.h"
#include "tests/store/StoreTestSupport.h"

#ifdef _WIN32
#include <windows.h>
#include <sddl.h>
#include <winioctl.h>
#else
#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

#include <algorithm>
#include <chrono>
#include <filesystem>

using namespace tarvel;

using namespace storetest;
using Stage = SafeFileWriter::Stage;
namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr unsigned long kFault = ERROR_WRITE_FAULT;
#else
constexpr unsigned long kFault = EIO;
#endif

const std::vector<std::string> kTemplateFiles{"cpp.tpl", "cs.tpl",   "html.tpl", "java.tpl",
                                              "js.tpl",  "perl.tpl", "txt.tpl",  "vb.tpl"};
const std::string kOld = "a::old:\r\nthe old text, longer than the new one\f\r\n";
const std::string kNew = "a::new:\r\nnew\f\r\n";

class SavingSafetyTest : public ::testing::Test {
protected:
    TemplateStore store() { return TemplateStore(dir.path(), port, reporter); }

    // The C++ language holds the one entry "new".
    TemplateStore::LanguageEntries NewEntry() {
        entry.shortcut = "new";
        entry.code = "new";
        TemplateStore::LanguageEntries all;
        all[0] = {&entry};
        return all;
    }

    RecordingSink Load(TemplateStore& loading, int language = 0) {
        RecordingSink sink;
        loading.LoadLanguageTemplates(language, sink);
        return sink;
    }

    bool MessageNames(const std::string& path) const {
        return reporter.messages.size() == 1 && reporter.messages[0].text.find(path) != std::string::npos;
    }

    TempDir dir;
    ScriptedFilePort port;
    RecordingReporter reporter;
    AutotextEntry entry;
};

struct FaultCase {
    Stage stage;
    // The atomic replace fails too, so that the in-place steps run.
    bool inPlace;
    bool saved;
};

// Failing the temporary or the replace falls back to writing in place; a
// failure there, before or after bytes changed, puts the old text back.
TEST_F(SavingSafetyTest, AFaultAtAnyStepIsReportedWithTheFileOrWrittenInPlace) {
    const FaultCase cases[] = {
        {Stage::CreateTemporary, false, true}, {Stage::Write, false, false},         {Stage::Flush, false, false},
        {Stage::Close, false, false},          {Stage::Replace, false, true},        {Stage::OpenInPlace, true, false},
        {Stage::ReadInPlace, true, false},     {Stage::CreateJournal, true, true},   {Stage::WriteJournal, true, false},
        {Stage::FlushJournal, true, false},    {Stage::CloseJournal, true, false},   {Stage::Reserve, true, false},
        {Stage::WriteInPlace, true, false},    {Stage::Truncate, true, false},       {Stage::FlushInPlace, true, false},
        {Stage::CloseInPlace, true, false},
    };
    for (const auto& fault : cases) {
        SCOPED_TRACE(static_cast<int>(fault.stage));
        TempDir caseDir;
        const auto path = caseDir.file("cpp.tpl");
        WriteFileBytes(path, kOld);
        reporter.messages.clear();
        bool fired = false;
        port.fault = [&](Stage stage, const std::string& at) -> unsigned long {
            const bool once = stage == fault.stage && !fired;
            const bool failing = once || (fault.inPlace && stage == Stage::Replace);
            fired = fired || once;
            return failing && at.find("cpp.tpl") != std::string::npos ? kFault : 0;
        };
        TemplateStore faulty(caseDir.path(), port, reporter);
        EXPECT_EQ(faulty.SaveAllTemplates(NewEntry()), fault.saved);
        EXPECT_TRUE(fired);
        if (fault.saved) {
            EXPECT_TRUE(reporter.messages.empty());
        } else {
            EXPECT_TRUE(MessageNames(path));
        }
        EXPECT_EQ(ReadFileBytes(path), fault.saved ? kNew : kOld);
        EXPECT_EQ(caseDir.FileNames(), kTemplateFiles);
    }
}

// The new text's room is taken before any byte is overwritten.
TEST_F(SavingSafetyTest, WritingInPlaceTakesTheRoomFirstAndSetsTheFinalLength) {
    WriteFileBytes(dir.file("cpp.tpl"), "short");
    port.fault = [](Stage stage, const std::string&) -> unsigned long { return stage == Stage::Replace ? kFault : 0; };
    const std::string longer = "a::new:\r\n" + std::string(100000, 'n') + "\f\r\n";
    EXPECT_TRUE(store().WriteTemplateFile(dir.file("cpp.tpl"), longer));
    EXPECT_EQ(port.steps,
              (std::vector<Stage>{Stage::CreateTemporary, Stage::Write, Stage::Flush, Stage::Close, Stage::Replace,
                                  Stage::OpenInPlace, Stage::ReadInPlace, Stage::CreateJournal, Stage::WriteJournal,
                                  Stage::WriteJournal, Stage::FlushJournal, Stage::CloseJournal, Stage::OpenInPlace,
                                  Stage::Reserve, Stage::WriteInPlace, Stage::Truncate, Stage::FlushInPlace,
                                  Stage::CloseInPlace, Stage::RemoveJournal}));
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl")), longer);
    EXPECT_TRUE(store().WriteTemplateFile(dir.file("cpp.tpl"), "x"));
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl")), "x");
}

#ifndef _WIN32
// A real full disk while writing in place: the file size limit refuses the
// room, and the old bytes are all still there.
TEST_F(SavingSafetyTest, AFullDiskFoundWhileWritingInPlaceKeepsTheOldBytes) {
    WriteFileBytes(dir.file("cpp.tpl"), kOld);
    port.fault = [](Stage stage, const std::string&) -> unsigned long {
        return stage == Stage::CreateTemporary ? EACCES : 0;
    };
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limit = previous;
    limit.rlim_cur = 64 * 1024;
    setrlimit(RLIMIT_FSIZE, &limit);
    const bool saved = store().WriteTemplateFile(dir.file("cpp.tpl"), std::string(256 * 1024, 'x'));
    setrlimit(RLIMIT_FSIZE, &previous);
    EXPECT_FALSE(saved);
    EXPECT_TRUE(MessageNames(dir.file("cpp.tpl")));
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl")), kOld);
}

TEST_F(SavingSafetyTest, ReplacedFileKeepsItsPermissions) {
    WriteFileBytes(dir.file("cpp.tpl"), kOld);
    chmod(dir.file("cpp.tpl").c_str(), 0640);
    EXPECT_TRUE(store().SaveAllTemplates(NewEntry()));
    struct stat info {};
    stat(dir.file("cpp.tpl").c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}
#else
TEST_F(SavingSafetyTest, ReplacedFileKeepsItsAttributes) {
    WriteFileBytes(dir.file("cpp.tpl"), kOld);
    SetFileAttributesA(dir.file("cpp.tpl").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(store().SaveAllTemplates(NewEntry()));
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl")), kNew);
    const DWORD attributes = GetFileAttributesA(dir.file("cpp.tpl").c_str());
    EXPECT_NE(attributes & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(attributes & FILE_ATTRIBUTE_READONLY, 0u);
}

std::string AccessListOf(const std::string& path) {
    DWORD needed = 0;
    GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    std::vector<BYTE> descriptor(needed);
    char* text = nullptr;
    if (needed == 0 ||
        !GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), needed, &needed) ||
        !ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor.data(), SDDL_REVISION_1,
                                                              DACL_SECURITY_INFORMATION, &text, nullptr))
        return {};
    std::string result = text;
    LocalFree(text);
    return result;
}

// Who may read the file stays as it was: the access list that Windows
// programs see, and under Wine the permission bits of others (a 0600 file came
// back 0644). Wine gives the group the bits of the user's own entries.
TEST_F(SavingSafetyTest, ReplacedFileKeepsItsAccessList) {
    const auto path = dir.file("cpp.tpl");
    WriteFileBytes(path, kOld);
    if (!SetUnixMode(path, "600"))
        GTEST_SKIP() << "not under Wine";
    const auto accessList = AccessListOf(path);
    ASSERT_FALSE(accessList.empty());
    EXPECT_TRUE(store().SaveAllTemplates(NewEntry()));
    EXPECT_EQ(ReadFileBytes(path), kNew);
    EXPECT_EQ(AccessListOf(path), accessList);
    const auto mode = UnixMode(path);
    ASSERT_EQ(mode.size(), 3u);
    EXPECT_EQ(mode.back(), '0') << mode;
}

// Beyond what a string of the 32-bit build holds (a sparse file, so that no
// disk is filled): the file is reported as not readable and is kept.
TEST_F(SavingSafetyTest, AFileLargerThanTheMemoryCanHoldIsReportedAndKept) {
    const auto path = dir.file("cpp.tpl");
    constexpr LONGLONG kHuge = 3LL << 30;
    {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD ignored = 0;
        DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
        LARGE_INTEGER end{};
        end.QuadPart = kHuge;
        const bool sized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
        CloseHandle(file);
        ASSERT_TRUE(sized);
    }
    auto saving = store();
    EXPECT_TRUE(Load(saving).items.empty());
    ASSERT_FALSE(reporter.messages.empty());
    EXPECT_EQ(reporter.messages[0].text.rfind("File Open failed\n" + path + "\n", 0), 0u);
    EXPECT_FALSE(saving.SaveAllTemplates(NewEntry()));
    EXPECT_EQ(fs::file_size(path), static_cast<std::uintmax_t>(kHuge));
}

// The room is taken on the disk itself, not only as a length that a sparse
// file would have: otherwise a full disk shows only once old bytes are gone.
TEST_F(SavingSafetyTest, WritingInPlaceTakesTheRoomOnTheDiskBeforeTheFirstByte) {
    const auto path = dir.file("cpp.tpl");
    WriteFileBytes(path, "short");
    std::unique_ptr<WritableFile> file;
    ASSERT_EQ(port.real().OpenExisting(path, file), 0u);
    constexpr std::uint64_t kRoom = 8 << 20;
    ASSERT_EQ(file->Reserve(kRoom), 0u);
    const auto onDisk = UnixBytesOnDisk(path);
    if (onDisk < 0)
        GTEST_SKIP() << "not under Wine";
    EXPECT_GE(static_cast<std::uint64_t>(onDisk), kRoom);
    EXPECT_EQ(file->Close(), 0u);
    EXPECT_EQ(ReadFileBytes(path).substr(0, 5), "short");
}

struct HeldCase {
    DWORD access;
    DWORD share;
    bool saved;
};

// Another program holds the file: a file it lets others write is written in
// place; one it lets nobody write keeps its text, and the message names it.
TEST_F(SavingSafetyTest, AFileHeldUnderEachSharingModeIsWrittenOrKeptWithAMessage) {
    const HeldCase cases[] = {
        {GENERIC_READ, 0, false},
        {GENERIC_READ, FILE_SHARE_READ, false},
        {GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
        {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, true},
    };
    for (const auto& held : cases) {
        SCOPED_TRACE(held.share);
        TempDir caseDir;
        const auto path = caseDir.file("cpp.tpl");
        WriteFileBytes(path, kOld);
        reporter.messages.clear();
        HANDLE other = CreateFileA(path.c_str(), held.access, held.share, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(other, INVALID_HANDLE_VALUE);
        const bool saved = TemplateStore(caseDir.path(), port, reporter).SaveAllTemplates(NewEntry());
        CloseHandle(other);
        EXPECT_EQ(saved, held.saved);
        EXPECT_EQ(ReadFileBytes(path), held.saved ? kNew : kOld);
        if (!held.saved) {
            EXPECT_TRUE(MessageNames(path));
        }
        EXPECT_EQ(caseDir.FileNames(), kTemplateFiles);
    }
}

// A change is seen also while the program that made it holds the file open,
// where the bytes cannot be read back: its size and time tell.
TEST_F(SavingSafetyTest, AChangedFileThatAnotherProgramHoldsOpenIsAskedAbout) {
    const auto path = dir.file("cpp.tpl");
    WriteFileBytes(path, kOld);
    auto saving = store();
    Load(saving);
    WriteFileBytes(path, kNew + kNew);
    HANDLE other = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    const bool saved = saving.SaveAllTemplates(NewEntry());
    CloseHandle(other);
    EXPECT_FALSE(saved);
    ASSERT_EQ(reporter.questions.size(), 1u);
    EXPECT_EQ(reporter.questions[0].text.rfind(path + " was changed by another program", 0), 0u);
    EXPECT_EQ(ReadFileBytes(path), kNew + kNew);
}
#endif

// The text goes to the file the link leads to, and the link stays a link.
TEST_F(SavingSafetyTest, ALinkedTemplateFileIsWrittenThroughAndStaysALink) {
    fs::create_directory(dir.file("elsewhere"));
    const auto target = dir.file("elsewhere") + static_cast<char>(fs::path::preferred_separator) + "real.tpl";
    WriteFileBytes(target, kOld);
    if (!MakeSymbolicLink(target, dir.file("cpp.tpl")))
        GTEST_SKIP() << "this system makes no symbolic links";
#ifndef _WIN32
    chmod(target.c_str(), 0640);
#endif
    auto saving = store();
    ASSERT_EQ(Load(saving).items.size(), 1u) << (reporter.messages.empty() ? "" : reporter.messages[0].text);
    EXPECT_TRUE(saving.SaveAllTemplates(NewEntry()));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(ReadFileBytes(target), kNew);
    WriteFileBytes(target, "written by another program");
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl")), "written by another program");
#ifndef _WIN32
    struct stat info {};
    stat(target.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
#endif
    EXPECT_EQ(fs::directory_iterator(dir.file("elsewhere"))->path().filename(), "real.tpl");
    RemoveSymbolicLink(dir.file("cpp.tpl"));
}

#ifdef _WIN32
// A target whose name the ANSI code page cannot spell is written in place
// through the link: never into the file of a look-alike name ("zloty" for
// "z\u0142oty"), never over the link.
TEST_F(SavingSafetyTest, ALinkToATargetTheCodePageCannotSpellIsWrittenThrough) {
    const std::wstring wideDir(dir.path().begin(), dir.path().end());
    const std::wstring unspelled = wideDir + L"z\u0142oty";
    const std::wstring target = unspelled + L"\\real.tpl";
    ASSERT_TRUE(CreateDirectoryW(unspelled.c_str(), nullptr));
    WriteFileBytes(dir.file("seed"), kOld);
    ASSERT_TRUE(MoveFileW((wideDir + L"seed").c_str(), target.c_str()));
    fs::create_directory(dir.file("zloty"));
    const auto lookAlike = dir.file("zloty") + "\\real.tpl";
    WriteFileBytes(lookAlike, kOld);
    if (!MakeSymbolicLinkW(target, dir.file("cpp.tpl")))
        GTEST_SKIP() << "this system makes no symbolic links";
    std::wstring shortName(MAX_PATH, L'\0');
    const bool hasShortName = GetShortPathNameW(target.c_str(), shortName.data(), MAX_PATH) != 0;
    EXPECT_TRUE(store().SaveAllTemplates(NewEntry()));
    // Through the short name the replace stays atomic; without one, in place.
    EXPECT_EQ(std::count(port.steps.begin(), port.steps.end(), Stage::OpenInPlace), hasShortName ? 0 : 1);
    EXPECT_TRUE(reporter.messages.empty()) << reporter.messages[0].text;
    EXPECT_EQ(ReadFileBytes(lookAlike), kOld);
    WIN32_FILE_ATTRIBUTE_DATA linked{};
    ASSERT_TRUE(GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &linked));
    EXPECT_EQ(linked.nFileSizeLow, kNew.size());
    RemoveSymbolicLink(dir.file("cpp.tpl"));
    DeleteFileW(target.c_str());
    RemoveDirectoryW(unspelled.c_str());
}
#endif

// A read-only file is made writable without a question, also behind a link.
TEST_F(SavingSafetyTest, AReadOnlyFileBehindALinkIsMadeWritableAndSaved) {
    const auto target = dir.file("real.tpl");
    WriteFileBytes(target, kOld);
    SetReadOnly(target);
    if (!MakeSymbolicLink(target, dir.file("cpp.tpl")))
        GTEST_SKIP() << "this system makes no symbolic links";
    EXPECT_TRUE(store().SaveAllTemplates(NewEntry()));
    EXPECT_TRUE(reporter.messages.empty()) << reporter.messages[0].text;
    EXPECT_EQ(ReadFileBytes(target), kNew);
    EXPECT_FALSE(IsReadOnly(target));
    RemoveSymbolicLink(dir.file("cpp.tpl"));
}

// Another program wrote the file after the editor read it: No keeps its
// text and fails the save; Yes replaces it; the saved state is then the
// reference, so the next save asks nothing.
TEST_F(SavingSafetyTest, AFileChangedByAnotherProgramIsReplacedOnlyWhenTheUserSaysSo) {
    WriteFileBytes(dir.file("cpp.tpl"), kOld);
    auto saving = store();
    Load(saving);
    const std::string theirs = "a::theirs:\r\nanother program's entry\f\r\n";
    WriteFileBytes(dir.file("cpp.tpl"), theirs);
    EXPECT_FALSE(saving.SaveAllTemplates(NewEntry()));
    ASSERT_EQ(reporter.questions.size(), 1u);
    EXPECT_EQ(reporter.questions[0].text,
              dir.file("cpp.tpl") +
                  " was changed by another program after the editor opened it.\nReplace it with the editor's entries?");
    EXPECT_EQ(reporter.questions[0].caption, "Quillon X Autotext Editor");
    EXPECT_EQ(reporter.questions[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl")), theirs);
    EXPECT_EQ(ReadFileBytes(dir.file("cs.tpl")), "");

    reporter.answers = {true};
    EXPECT_TRUE(saving.SaveAllTemplates(NewEntry()));
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl")), kNew);
    EXPECT_TRUE(saving.SaveAllTemplates(NewEntry()));
    EXPECT_EQ(reporter.questions.size(), 2u);
    EXPECT_TRUE(reporter.messages.empty());
}

// Another program's change that kept the size and the time is still seen.
TEST_F(SavingSafetyTest, AChangeThatKeepsTheSizeAndTheTimeIsAskedAbout) {
    const auto path = dir.file("cpp.tpl");
    WriteFileBytes(path, kOld);
    auto saving = store();
    Load(saving);
    const auto time = fs::last_write_time(path);
    std::string theirs = kOld;
    theirs[3] = 'O';
    WriteFileBytes(path, theirs);
    fs::last_write_time(path, time);
    EXPECT_FALSE(saving.SaveAllTemplates(NewEntry()));
    ASSERT_EQ(reporter.questions.size(), 1u);
    EXPECT_EQ(reporter.questions[0].text.rfind(path + " was changed by another program", 0), 0u);
    EXPECT_EQ(ReadFileBytes(path), theirs);
}

// Every name of a hard-linked file sees the saved text, and no journal stays.
TEST_F(SavingSafetyTest, AHardLinkedTemplateFileStaysOneFileThroughASave) {
    WriteFileBytes(dir.file("cpp.tpl"), kOld);
    if (!MakeHardLink(dir.file("cpp.tpl"), dir.file("shared.tpl")))
        GTEST_SKIP() << "this system makes no hard links";
    EXPECT_TRUE(store().SaveAllTemplates(NewEntry()));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(ReadFileBytes(dir.file("shared.tpl")), kNew);
    auto expected = kTemplateFiles;
    expected.push_back("shared.tpl");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(dir.FileNames(), expected);
}

// No read of the files is needed to tell: what was seen at opening serves.
TEST_F(SavingSafetyTest, AFileCreatedAfterTheEditorFoundItMissingIsAskedAboutWithoutReadingIt) {
    auto saving = store();
    Load(saving, 2);
    WriteFileBytes(dir.file("html.tpl"), kOld);
    int reads = 0;
    port.onReadAll = [&](const std::string& path, std::string& bytes) {
        ++reads;
        return port.real().ReadAll(path, bytes);
    };
    EXPECT_FALSE(saving.SaveAllTemplates({}));
    ASSERT_EQ(reporter.questions.size(), 1u);
    EXPECT_EQ(reporter.questions[0].text.rfind(dir.file("html.tpl") + " was changed", 0), 0u);
    EXPECT_EQ(ReadFileBytes(dir.file("html.tpl")), kOld);
    EXPECT_EQ(reads, 0);
}

// Temporary names are the process's and the attempt's own, so leftovers
// never block a save; ours older than a minute are swept, nothing else.
TEST_F(SavingSafetyTest, LeftoverTemporariesNeitherBlockASaveNorStay) {
    const auto stale = fs::file_time_type::clock::now() - std::chrono::minutes(5);
    std::vector<std::string> leftovers;
    for (int i = 0; i < 100; ++i) {
        leftovers.push_back(dir.file("cpp.tpl." + std::to_string(port.ProcessId()) + "-" + std::to_string(i) +
                                     SafeFileWriter::kTemporarySuffix));
        WriteFileBytes(leftovers.back(), "crashed save");
        fs::last_write_time(leftovers.back(), stale);
    }
    const auto fresh = dir.file("vb.tpl.1-1.~tv");
    WriteFileBytes(fresh, "a save of another editor, running now");
    // Names a save of ours never makes, some close to them (on Windows a
    // search for "*.~tv" also finds the last one through its short name).
    const std::vector<std::string> foreign{"notes.txt.1-1.~tv", "cpp.tpl.mine.~tv", "cpp.tpl.1-.~tv",
                                           "cpp.tpl.1-1.~tvx"};
    for (const auto& name : foreign) {
        WriteFileBytes(dir.file(name), "not ours");
        fs::last_write_time(dir.file(name), stale);
    }
    EXPECT_TRUE(store().SaveAllTemplates(NewEntry()));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl")), kNew);
    auto expected = kTemplateFiles;
    expected.insert(expected.end(), foreign.begin(), foreign.end());
    expected.push_back("vb.tpl.1-1.~tv");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(dir.FileNames(), expected);
}

// A crashed process whose id is ours again left names this process would
// make next: the save takes others and still replaces the file whole.
TEST_F(SavingSafetyTest, TemporaryNamesLeftByAnEarlierProcessOfTheSameIdAreNotReused) {
    std::string temporary;
    port.fault = [&](Stage stage, const std::string& at) -> unsigned long {
        if (stage == Stage::CreateTemporary)
            temporary = at;
        return 0;
    };
    EXPECT_TRUE(store().WriteTemplateFile(dir.file("cpp.tpl"), kOld));
    const auto dash = temporary.rfind('-');
    ASSERT_NE(dash, std::string::npos);
    const auto attempt = std::stoul(temporary.substr(dash + 1));
    std::vector<std::string> expected = kTemplateFiles;
    expected.resize(1);
    for (unsigned long next = attempt + 1; next <= attempt + 5; ++next) {
        const auto name = "cpp.tpl." + std::to_string(port.ProcessId()) + "-" + std::to_string(next) +
                          SafeFileWriter::kTemporarySuffix;
        WriteFileBytes(dir.file(name), "a save that crashed");
        expected.push_back(name);
    }
    port.steps.clear();
    EXPECT_TRUE(store().WriteTemplateFile(dir.file("cpp.tpl"), kNew));
    EXPECT_EQ(port.steps.back(), Stage::Replace);
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl")), kNew);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(dir.FileNames(), expected);
}

// Deeper than the classic path limit, reading and saving work as anywhere,
// however the host spells the directory: the long-path prefix takes only full
// paths with backslashes, so forward slashes and a relative path must be
// made such first.
TEST_F(SavingSafetyTest, ADirectoryBeyondTheClassicPathLimitReadsAndSaves) {
    std::string deep = dir.path();
    std::string relative;
    std::vector<std::string> levels;
    while (deep.size() < 320) {
        deep += std::string(60, 'd') + static_cast<char>(fs::path::preferred_separator);
        relative += std::string(60, 'd') + "/";
        ASSERT_TRUE(MakeDirectory(deep)) << deep.size();
        levels.push_back(deep);
    }
    std::string forward = deep;
    std::replace(forward.begin(), forward.end(), '\\', '/');
    const auto previous = fs::current_path();
    fs::current_path(dir.path());
    for (const auto& spelled : {deep, forward, relative}) {
        SCOPED_TRACE(spelled);
        TemplateStore saving(spelled, port, reporter);
        EXPECT_TRUE(saving.SaveAllTemplates(NewEntry()));
        EXPECT_TRUE(reporter.messages.empty()) << reporter.messages[0].text;
        TemplateStore reading(spelled, port, reporter);
        const auto sink = Load(reading);
        ASSERT_EQ(sink.items.size(), 1u);
        EXPECT_EQ(sink.items[0].label, "new");
        EXPECT_TRUE(reading.SaveAllTemplates(NewEntry()));
        EXPECT_TRUE(reporter.messages.empty());
        std::string bytes;
        EXPECT_EQ(port.ReadAll(deep + "cpp.tpl", bytes), 0u);
        EXPECT_EQ(bytes, kNew);
        EXPECT_TRUE(port.Exists(deep + "vb.tpl"));
        // The folder's own clean-up does not reach that deep on Windows.
        for (const auto& file : kTemplateFiles)
            EXPECT_EQ(port.Remove(deep + file), 0u);
    }
    fs::current_path(previous);
    for (auto level = levels.rbegin(); level != levels.rend(); ++level)
        EXPECT_TRUE(RemoveEmptyDirectory(*level));
}

std::string Utf16(const std::string& ascii) {
    std::string wide = "\xFF\xFE";
    for (char c : ascii)
        wide += std::string(1, c) + '\0';
    return wide;
}

// Text from which no entry can be read is kept as it is, told once at
// opening; only entries the user gives its language make a save fail.
TEST_F(SavingSafetyTest, AFileWithTextButNoEntryIsKeptAsItIs) {
    std::string binary;
    for (int i = 0; i < 1024; ++i)
        binary += static_cast<char>(i * 7 % 256);
    const std::string cases[] = {
        Utf16("a::x:\r\ncode\f\r\n"),
        binary,
        "just some words\r\nwith no record around them\r\n",
        std::string(1 << 20, 'x'),
    };
    for (const auto& bytes : cases) {
        SCOPED_TRACE(bytes.substr(0, 16));
        TempDir caseDir;
        const auto path = caseDir.file("cpp.tpl");
        WriteFileBytes(path, bytes);
        reporter.messages.clear();
        TemplateStore saving(caseDir.path(), port, reporter);
        EXPECT_TRUE(Load(saving).items.empty());
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0].text,
                  path + " holds text from which no entry could be read (it may be in another encoding, such as "
                         "UTF-16, or hold other data).\nIt is kept as it is and is not saved.");
        EXPECT_EQ(reporter.messages[0].icon, MessageIcon::Exclamation);
        EXPECT_TRUE(saving.SaveAllTemplates({}));
        EXPECT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(ReadFileBytes(path), bytes);
        EXPECT_FALSE(saving.SaveAllTemplates(NewEntry()));
        ASSERT_EQ(reporter.messages.size(), 2u);
        EXPECT_EQ(reporter.messages[1].text.rfind(path + " was not saved", 0), 0u);
        EXPECT_EQ(ReadFileBytes(path), bytes);
    }
}

// What the format could not keep, and a file in the legacy format that the
// save converts, stay findable in one backup generation.
TEST_F(SavingSafetyTest, TheFirstSaveAfterDroppedTextOrAConversionKeepsThePreviousFileAsBak) {
    const std::string withStray = "stray notes\r\na::k:\r\ncode\f\r\n";
    const std::string legacy = "caretPosChar:\r\n|\r\n\f\r\nsub:\r\nSub |\f\r\n";
    WriteFileBytes(dir.file("cpp.tpl"), withStray);
    WriteFileBytes(dir.file("cpp.tpl.bak"), "an older generation");
    WriteFileBytes(dir.file("cs.tpl"), "a::clean:\r\nx\f\r\n");
    WriteFileBytes(dir.file("vb.tpl"), legacy);
    auto saving = store();
    auto cpp = Load(saving, 0);
    auto cs = Load(saving, 1);
    const int vbLanguage = 7;
    auto vb = Load(saving, vbLanguage);
    TemplateStore::LanguageEntries all;
    all[0] = cpp.Entries();
    all[1] = cs.Entries();
    all[vbLanguage] = vb.Entries();
    EXPECT_TRUE(saving.SaveAllTemplates(all));
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl.bak")), withStray);
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl")), "a::k:\r\ncode\f\r\n");
    EXPECT_EQ(ReadFileBytes(dir.file("vb.tpl.bak")), legacy);
    EXPECT_EQ(ReadFileBytes(dir.file("vb.tpl")).find("caretPosChar"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.file("cs.tpl.bak")));
    cpp.items[0].entry->code = "edited";
    EXPECT_TRUE(saving.SaveAllTemplates(all));
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl.bak")), withStray);
    EXPECT_EQ(ReadFileBytes(dir.file("vb.tpl.bak")), legacy);
    EXPECT_TRUE(reporter.messages.empty());
}

// A save that failed after changing bytes in place leaves a file that is no
// longer the one read; the next save must not put it over the backup.
TEST_F(SavingSafetyTest, TheBackupKeepsTheFileAsReadAfterAFailedSave) {
    const std::string withStray = "stray notes, longer than what is saved\r\na::k:\r\ncode\f\r\n";
    WriteFileBytes(dir.file("cpp.tpl"), withStray);
    auto saving = store();
    auto cpp = Load(saving, 0);
    TemplateStore::LanguageEntries all;
    all[0] = cpp.Entries();
    port.fault = [](Stage stage, const std::string&) -> unsigned long {
        return stage == Stage::Replace || stage == Stage::Truncate ? kFault : 0;
    };
    EXPECT_FALSE(saving.SaveAllTemplates(all));
    port.fault = nullptr;
    reporter.answers = {true};
    EXPECT_TRUE(saving.SaveAllTemplates(all));
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl.bak")), withStray);
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl")), "a::k:\r\ncode\f\r\n");
}

TEST_F(SavingSafetyTest, ABackupThatCannotBeWrittenKeepsTheFile) {
    const std::string withStray = "stray notes\r\na::k:\r\ncode\f\r\n";
    WriteFileBytes(dir.file("cpp.tpl"), withStray);
    port.onCopy = [](const std::string&, const std::string&) { return kFault; };
    auto saving = store();
    auto cpp = Load(saving, 0);
    TemplateStore::LanguageEntries all;
    all[0] = cpp.Entries();
    EXPECT_FALSE(saving.SaveAllTemplates(all));
    EXPECT_TRUE(MessageNames(dir.file("cpp.tpl")));
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl")), withStray);
}

// Old Macintosh text and a byte order mark read like any file; the save
// writes CR LF line ends without the mark.
TEST_F(SavingSafetyTest, CarriageReturnOnlyAndByteOrderMarkFilesReadAndSaveAsUsual) {
    WriteFileBytes(dir.file("cpp.tpl"), "readme:\rA loop\r\f\ra:for loop:fori:\rfor (;;) {\r}\f\r");
    WriteFileBytes(dir.file("cs.tpl"), "\xEF\xBB\xBFreadme:\r\nA class\r\n\f\r\na::cls:\r\nclass X {}\f\r\n");
    auto saving = store();
    auto cpp = Load(saving, 0);
    auto cs = Load(saving, 1);
    ASSERT_EQ(cpp.items.size(), 1u);
    ASSERT_EQ(cs.items.size(), 1u);
    EXPECT_EQ(cs.items[0].entry->description, "A class");
    TemplateStore::LanguageEntries all;
    all[0] = cpp.Entries();
    all[1] = cs.Entries();
    EXPECT_TRUE(saving.SaveAllTemplates(all));
    EXPECT_EQ(ReadFileBytes(dir.file("cpp.tpl")), "readme:\r\nA loop\r\n\f\r\na:for loop:fori:\r\nfor (;;) {\r\n}\f\r\n");
    EXPECT_EQ(ReadFileBytes(dir.file("cs.tpl")), "readme:\r\nA class\r\n\f\r\na::cls:\r\nclass X {}\f\r\n");
    EXPECT_TRUE(reporter.messages.empty());
}

}  // namespace
