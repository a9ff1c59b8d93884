#pragma once

// The texts and resource ids of the import and export of other editors'
// snippets. The report dialog's resource script includes this header.
#define IDD_IMPORT_REPORT 190
#define IDC_IMPORT_REPORT_TEXT 1190
#define IDC_IMPORT_REPORT_COPY 1191
#define IDC_IMPORT_REPORT_INTRO 1192
#define ID_TREE_MENU_IMPORT 192
#define ID_TREE_MENU_EXPORT 193

#define TEXT_IMPORT_REPORT_CAPTION "Import Report"
#define TEXT_IMPORT_REPORT_INTRO "What did not carry over into the entries:"

#ifndef RC_INVOKED
namespace tarvel::SnippetFileTexts {
// The language root's right-click menu.
constexpr const char* kMenuImport = "&Import...";
constexpr const char* kMenuExport = "&Export...";

// The file dialogs: their titles (%s: the root's label) and filters.
constexpr const char* kImportTitle = "Import Snippets into %s";
constexpr const char* kExportTitle = "Export the %s Entries";
constexpr char kImportFilter[] =
    "Snippet files (*.json, *.code-snippets, *.snippets, *.sublime-snippet, *.xml)\0"
    "*.json;*.code-snippets;*.snippets;*.sublime-snippet;*.xml\0"
    "VS Code snippets (*.json, *.code-snippets)\0*.json;*.code-snippets\0"
    "snipMate and UltiSnips snippets (*.snippets)\0*.snippets\0"
    "Sublime Text snippets (*.sublime-snippet)\0*.sublime-snippet\0"
    "JetBrains live templates (*.xml)\0*.xml\0"
    "All files (*.*)\0*.*\0";
constexpr char kExportFilter[] =
    "VS Code snippets of one language (*.json)\0*.json\0"
    "VS Code snippets with their scope (*.code-snippets)\0*.code-snippets\0";
constexpr const char* kExportExtension = "json";

// Failures, shown with the store's caption.
constexpr const char* kNothingImported = "No entry was imported.\n%s";
constexpr const char* kExportFailed = "Could not export to %s\n%s";
}  // namespace tarvel::SnippetFileTexts
#endif
