#pragma once

// The store's user-visible texts. The two string resources are shared with
// the module's resource script, which includes this header.
#define IDS_UNKNOWN_ERROR 102
#define IDS_FILE_OPEN_FAILED 103
#define TEXT_UNKNOWN_ERROR "Unknown error 0x%08x (%d)"
#define TEXT_FILE_OPEN_FAILED "File Open failed\n%s\n%s"

#ifndef RC_INVOKED
namespace StoreTexts {
constexpr const char* kCaption = "Quillon X Autotext Editor";
constexpr const char* kUnknownError = TEXT_UNKNOWN_ERROR;
constexpr const char* kFileOpenFailed = TEXT_FILE_OPEN_FAILED;
constexpr const char* kCreateFailed = "Could not create file (error %d).\n";
constexpr const char* kChmodNotFound = "File %s not found.";
constexpr const char* kChmodInvalid = "Invalid parameter to chmod.";
constexpr const char* kChmodUnexpected = "Unexpected error in chmod.";
constexpr const char* kSaveFailed = "Could not save %s\n%s";
constexpr const char* kNotSavedUnread =
    "%s was not saved: it could not be read when the editor opened, and saving would replace the entries it "
    "holds.";
constexpr const char* kOutOfMemory = "Not enough memory to read %s.";
constexpr const char* kNotSavedOutOfMemory = "Not enough memory to save %s.";
}  // namespace StoreTexts
#endif
