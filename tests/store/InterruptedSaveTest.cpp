// A save that dies while it writes a file in place (where the file cannot be
// replaced whole) leaves the file old, new, or part written beside a journal
// from which the next opening puts the old text back.
#include <gtest/gtest.h>

#include "store/SaveJournal.h"
#include "store/TemplateStore.h"
#include "tests/store/StoreTestSupport.h"

#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

using namespace tarvel;

using namespace storetest;
using Stage = SafeFileWriter::Stage;

namespace {

// Every step of a write in place, in order.
const Stage kInPlaceSteps[] = {
    Stage::OpenInPlace, Stage::ReadInPlace, Stage::CreateJournal, Stage::WriteJournal,
    Stage::FlushJournal, Stage::CloseJournal, Stage::Reserve,     Stage::WriteInPlace,
    Stage::Truncate,    Stage::FlushInPlace, Stage::CloseInPlace, Stage::RemoveJournal,
};

const std::size_t kFirstWritingStep =
    static_cast<std::size_t>(std::find(std::begin(kInPlaceSteps), std::end(kInPlaceSteps), Stage::WriteInPlace) -
                             std::begin(kInPlaceSteps));

class InterruptedSave : public ::testing::Test {
protected:
    // Entries "<prefix>0", "<prefix>1"... of the C++ language.
    TemplateStore::LanguageEntries Entries(const std::string& prefix, int count) {
        auto& entries = owned_.emplace_back(static_cast<std::size_t>(count));
        TemplateStore::LanguageEntries all;
        for (int i = 0; i < count; ++i) {
            entries[i].shortcut = prefix + std::to_string(i);
            entries[i].code = "code of " + entries[i].shortcut + " on a line long enough to be cut in two";
            all[0].push_back(&entries[i]);
        }
        return all;
    }
    std::vector<std::string> Labels(const TemplateStore::LanguageEntries& entries) {
        std::vector<std::string> labels;
        for (const auto* entry : entries[0])
            labels.push_back(entry->shortcut);
        return labels;
    }
    // Written by the store, so that what it reads back is known.
    void SaveWhole(const std::string& directory, const TemplateStore::LanguageEntries& entries) {
        ScriptedFilePort port;
        ASSERT_TRUE(TemplateStore(directory, port, reporter).SaveAllTemplates(entries));
    }
    // The folder takes no temporary file, so the save writes in place; with
    // no journal beside the file either, the journal goes to the temporary
    // folder.
    static void RefuseNewFiles(ScriptedFilePort& port, const std::string& directory, bool journalBeside) {
        port.fault = [directory, journalBeside](Stage stage, const std::string& at) -> unsigned long {
            const bool refused = stage == Stage::CreateTemporary || (stage == Stage::CreateJournal && !journalBeside);
            return refused && at.rfind(directory, 0) == 0 ? 13 : 0;
        };
    }
    // Every language, as the editor opens them; the C++ language's items.
    RecordingSink Open(const std::string& directory, ScriptedFilePort&& port = ScriptedFilePort()) {
        reporter.messages.clear();
        TemplateStore opening(directory, port, reporter);
        RecordingSink sinks[TemplateLanguage::kCount];
        for (int language = 0; language < TemplateLanguage::kCount; ++language)
            opening.LoadLanguageTemplates(language, sinks[language]);
        return std::move(sinks[0]);
    }
    void ExpectRestoredMessage(const std::string& path) {
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0].text, path +
                                                 " was left part written by a save that did not finish.\nIts text "
                                                 "from before that save has been put back.");
        EXPECT_EQ(reporter.messages[0].icon, MessageIcon::Information);
    }
    int JournalsLeft(const TempDir& folder) {
        const auto names = folder.FileNames();
        return static_cast<int>(std::count_if(names.begin(), names.end(), [](const std::string& name) {
            return name.size() > 5 && name.compare(name.size() - 5, 5, SaveJournal::kSuffix) == 0;
        }));
    }

    TempDir temporary;
    TemporaryFolderOverride temporaryFolder{temporary.path()};
    RecordingReporter reporter;

private:
    std::vector<std::vector<AutotextEntry>> owned_;
};

// A crash after the file's first byte changed and before it was cut to its
// new length is put right; before that the file is old, after it new.
TEST_F(InterruptedSave, ACrashAtAnyStepOfAWriteInPlaceLeavesTheFileOldNewOrRestored) {
    for (const bool journalBeside : {true, false}) {
        for (const bool oldLonger : {true, false}) {
            const auto old = Entries("old", oldLonger ? 40 : 4);
            const auto saved = Entries("new", oldLonger ? 4 : 40);
            for (std::size_t step = 0; step < std::size(kInPlaceSteps); ++step) {
                const Stage stage = kInPlaceSteps[step];
                SCOPED_TRACE(testing::Message() << "beside " << journalBeside << ", old longer " << oldLonger
                                                << ", step " << static_cast<int>(stage));
                TempDir dir;
                SaveWhole(dir.path(), old);
                ScriptedFilePort dying;
                RefuseNewFiles(dying, dir.path(), journalBeside);
                dying.CrashAt(stage);
                TemplateStore(dir.path(), dying, reporter).SaveAllTemplates(saved);
                ASSERT_TRUE(dying.Crashed());

                const bool partWritten = stage == Stage::WriteInPlace || (stage == Stage::Truncate && oldLonger);
                const bool stillOld = partWritten || step < kFirstWritingStep;
                EXPECT_EQ(Open(dir.path()).Labels(), Labels(stillOld ? old : saved));
                if (partWritten) {
                    ExpectRestoredMessage(dir.file("cpp.tpl"));
                } else {
                    EXPECT_TRUE(reporter.messages.empty()) << reporter.messages[0].text;
                }
                EXPECT_EQ(JournalsLeft(dir) + JournalsLeft(temporary), 0);
            }
        }
    }
}

// A journal that an earlier write in place left beside the file no longer
// describes it once a save has replaced the file: the save removes it.
TEST_F(InterruptedSave, ASaveThatReplacesTheFileRemovesTheJournalBesideIt) {
    TempDir dir;
    SaveWhole(dir.path(), Entries("old", 4));
    WriteFileBytes(dir.file("cpp.tpl") + SaveJournal::kSuffix, "Tarvel save journal 1\n");
    const auto saved = Entries("new", 4);
    SaveWhole(dir.path(), saved);
    EXPECT_EQ(JournalsLeft(dir), 0);
    EXPECT_EQ(Open(dir.path()).Labels(), Labels(saved));
}

// Until the old text is back, the journal stays: a restore that dies is done
// again, and a file that cannot be written is neither loaded nor saved.
TEST_F(InterruptedSave, ARestoreThatDiesOrFailsIsDoneAtTheNextOpening) {
    TempDir dir;
    const auto path = dir.file("cpp.tpl");
    // Half of the old text written back still leaves the file part written.
    const auto old = Entries("old", 3);
    SaveWhole(dir.path(), old);
    ScriptedFilePort dying;
    RefuseNewFiles(dying, dir.path(), true);
    dying.CrashAt(Stage::WriteInPlace);
    TemplateStore(dir.path(), dying, reporter).SaveAllTemplates(Entries("new", 30));

    ScriptedFilePort dyingAgain;
    dyingAgain.CrashAt(Stage::WriteInPlace);
    Open(dir.path(), std::move(dyingAgain));
    reporter.messages.clear();
    ScriptedFilePort refusing;
    refusing.fault = [](Stage stage, const std::string&) -> unsigned long {
        return stage == Stage::OpenInPlace ? 13 : 0;
    };
    TemplateStore refused(dir.path(), refusing, reporter);
    RecordingSink sink;
    refused.LoadLanguageTemplates(0, sink);
    EXPECT_TRUE(sink.items.empty());
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text.rfind(path + " was left part written by a save that did not finish, and its "
                                                     "text from before that save could not be put back from " +
                                                  path + SaveJournal::kSuffix + ".\n",
                                              0),
              0u);
    const auto partWritten = ReadFileBytes(path);
    EXPECT_FALSE(refused.SaveAllTemplates(Entries("other", 1)));
    EXPECT_EQ(ReadFileBytes(path), partWritten);

    EXPECT_EQ(Open(dir.path()).Labels(), Labels(old));
    ExpectRestoredMessage(path);
    EXPECT_EQ(JournalsLeft(dir), 0);
}

#ifndef _WIN32
// Real processes, killed half way through writing the new text over the old
// one and at times when a save of one text or another runs: the next opening
// finds the file whole or puts its old text back.
TEST_F(InterruptedSave, AProcessKilledWhileItWritesInPlaceLeavesTheFileWholeOrRestorable) {
    TempDir dir;
    const auto first = Entries("first", 2000);
    const auto second = Entries("second", 20);
    SaveWhole(dir.path(), first);
    constexpr int kSelfKilled = -1;
    for (const int delayMs : {kSelfKilled, 1, 5, 20, 60}) {
        SCOPED_TRACE(delayMs);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ScriptedFilePort port;
            RefuseNewFiles(port, dir.path(), true);
            if (delayMs == kSelfKilled)
                port.CrashAt(Stage::WriteInPlace, [] { raise(SIGKILL); });
            RecordingReporter quiet;
            for (int round = 0;; ++round)
                TemplateStore(dir.path(), port, quiet).SaveAllTemplates(round % 2 == 0 ? second : first);
        }
        if (delayMs != kSelfKilled) {
            usleep(static_cast<useconds_t>(delayMs) * 1000);
            kill(child, SIGKILL);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        const auto labels = Open(dir.path()).Labels();
        EXPECT_TRUE(labels == Labels(first) || labels == Labels(second)) << labels.size() << " entries";
        if (delayMs == kSelfKilled) {
            ExpectRestoredMessage(dir.file("cpp.tpl"));
        }
        EXPECT_EQ(JournalsLeft(dir), 0);
    }
}
#endif

}  // namespace
