#pragma once

// The store's user-visible texts. The two string resources are shared with
// the module's resource script, which includes this header.
#define IDS_UNKNOWN_ERROR 102
#define IDS_FILE_OPEN_FAILED 103
#define TEXT_UNKNOWN_ERROR "Unknown error 0x%08x (%d)"
#define TEXT_FILE_OPEN_FAILED "File Open failed\n%s\n%s"

#ifndef RC_INVOKED
namespace tarvel::StoreTexts {
constexpr const char* kCaption = "Quillon X Autotext Editor";
constexpr const char* kUnknownError = TEXT_UNKNOWN_ERROR;
constexpr const char* kFileOpenFailed = TEXT_FILE_OPEN_FAILED;
// Every message about a save names the file it concerns.
constexpr const char* kCreateFailed = "Could not create file (error %d).\n%s";
constexpr const char* kChmodNotFound = "File %s not found.";
constexpr const char* kChmodInvalid = "Invalid parameter to chmod.\n%s";
constexpr const char* kChmodUnexpected = "Unexpected error in chmod.\n%s";
constexpr const char* kSaveFailed = "Could not save %s\n%s";
constexpr const char* kBackupFailed = "Could not keep the previous %s as %s, so it was not saved.\n%s";
constexpr const char* kNotSavedUnread =
    "%s was not saved: it could not be read when the editor opened, and saving would replace the entries it "
    "holds.";
constexpr const char* kNoEntryReadKept =
    "%s holds text from which no entry could be read (it may be in another encoding, such as UTF-16, or hold "
    "other data).\nIt is kept as it is and is not saved.";
constexpr const char* kNotSavedNoEntryRead =
    "%s was not saved: no entry could be read from it when the editor opened, and saving would replace what it "
    "holds.";
constexpr const char* kChangedByAnotherProgram =
    "%s was changed by another program after the editor opened it.\nReplace it with the editor's entries?";
constexpr const char* kRestoredAfterInterruptedSave =
    "%s was left part written by a save that did not finish.\nIts text from before that save has been put back.";
constexpr const char* kNotRestored =
    "%s was left part written by a save that did not finish, and its text from before that save could not be "
    "put back from %s.\n%s\nThe file is not loaded or saved until it can be.";
constexpr const char* kOutOfMemory = "Not enough memory to read %s.";
constexpr const char* kNotSavedOutOfMemory = "Not enough memory to save %s.";
}  // namespace tarvel::StoreTexts
#endif
