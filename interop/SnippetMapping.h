#pragma once

#include <string>
#include <string_view>

// The one table between other editors' snippets and entries, read in both
// directions: which language root a file, scope or context belongs to, and
// which of their variables is which reserved variable.
namespace tarvel::SnippetMapping {

constexpr int kNoLanguage = -1;

// By VS Code's language identifier ("cpp", "csharp", "plaintext").
int LanguageOfVsCodeId(std::string_view id);
// By Vim's file type ("cs", "javascript"); the part of a file name before
// its first '.', '_' or '-' names it.
int LanguageOfVimFiletype(std::string_view filetype);
// By a Sublime Text scope selector ("source.c++, source.objc++"): its first
// scope that names one.
int LanguageOfSublimeScope(std::string_view selector);
// By a JetBrains context option ("JAVA_STATEMENT").
int LanguageOfJetBrainsContext(std::string_view context);
// By a name the user types: the root's label, its template file's name with
// or without ".tpl", or a VS Code identifier; case does not matter.
int LanguageNamed(std::string_view name);

// What VS Code calls the language: the first identifier names the file of
// one language, all of them the scope of a snippet.
std::string_view VsCodeIdOf(int language);
std::string VsCodeScopeOf(int language);

// The reserved variable (without dollar signs) of a variable of VS Code,
// Sublime Text or Vim; empty when it has none.
std::string_view ReservedTwinOfVariable(std::string_view name);
// The same for a JetBrains variable.
std::string_view ReservedTwinOfJetBrainsVariable(std::string_view name);
// The VS Code variable of a reserved variable; empty when it has none.
std::string_view VsCodeVariableOf(std::string_view reserved);

}  // namespace tarvel::SnippetMapping
