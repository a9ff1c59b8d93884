#pragma once

// The keyword lists of the language set-up: single spaces between the words.
namespace tarvel::LanguageKeywords {

// C++, C#, Java and JavaScript alike
constexpr const char* kCppKeywords =
    "__abstract __asm __assume __based __box __cdecl __declspec __delegate __event __except __fastcall "
    "__finally __gc __hook __identifier __inline __int16 __int32 __int64 __int8 __interface __leave "
    "__multiple_inheritance __nogc __pin __property __sealed __single_inheritance __stdcall __try "
    "__try_cast __typeof __unhook __uuidof __value __virtual_inheritance _DEBUG _T _TEXT asm ASSERT auto "
    "bad_cast bad_typeid bool BOOL break case catch CATCH char CHAR class const const_cast continue "
    "default defined delete dllexport dllimport do double DWORD dynamic_cast else END_CATCH enum except "
    "explicit extern false FALSE finally float for friend goto if inline int long main mutable naked "
    "namespace new noreturn operator private protected public register reinterpret_cast return short "
    "signed sizeof static static_cast struct switch template this thread throw true TRUE try TRY "
    "type_info typedef typeid typename union unsigned using uuid virtual void volatile while wmain";

// Visual Basic ("property" stands twice, as it always has)
constexpr const char* kVisualBasicKeywords =
    "and begin case call continue do each else elseif end erase error event exit false for function get "
    "gosub goto if implement in load loop lset me mid new next not nothing on or property raiseevent rem "
    "resume return rset select set stop sub then to true unload until wend while with withevents "
    "attribute alias as boolean byref byte byval const compare currency date declare dim double enum "
    "explicit friend global integer let lib long module object option optional preserve private property "
    "public redim single static string type variant";

// Visual Basic .NET
constexpr const char* kVisualBasicNetKeywords =
    "addhandler addressof andalso alias and ansi as assembly auto boolean byref byte byval call case "
    "catch cbool cbyte cchar cdate cdec cdbl char cint class clng cobj const cshort csng cstr ctype date "
    "decimal declare default delegate dim do double each else elseif end enum erase error event exit "
    "false finally for friend function get gettype goto handles if implements imports in inherits integer "
    "interface is let lib like long loop me mod module mustinherit mustoverride mybase myclass namespace "
    "new next not nothing notinheritable notoverridable object on option optional or orelse overloads "
    "overridable overrides paramarray preserve private property protected public raiseevent readonly "
    "redim rem removehandler resume return select set shadows shared short single static step stop string "
    "structure sub synclock then throw to true try typeof unicode until variant when while with "
    "withevents writeonly xor";

// the HTML 4 elements, then xml and xmlns
constexpr const char* kHtmlTagNames =
    "a abbr acronym address applet area b base basefont bdo big blockquote body br button caption center "
    "cite code col colgroup dd del dfn dir div dl dt em fieldset font form frame frameset h1 h2 h3 h4 h5 "
    "h6 head hr html i iframe img input ins isindex kbd label legend li link map menu meta noframes "
    "noscript object ol optgroup option p param pre q s samp script select small span strike strong style "
    "sub sup table tbody td textarea tfoot th thead title tr tt u ul var xml xmlns";

// the document type declaration in both of its usual spellings: the lexer
// takes any other word after "<!" for an error and paints it red
constexpr const char* kHtmlDeclarationNames = "DOCTYPE doctype";

// attribute names, then the input types ("text" stands twice)
constexpr const char* kHtmlAttributeNames =
    "abbr accept-charset accept accesskey action align alink alt archive axis background bgcolor border "
    "cellpadding cellspacing char charoff charset checked cite class classid clear codebase codetype "
    "color cols colspan compact content coords data datafld dataformatas datapagesize datasrc datetime "
    "declare defer dir disabled enctype event face for frame frameborder headers height href hreflang "
    "hspace http-equiv id ismap label lang language leftmargin link longdesc marginwidth marginheight "
    "maxlength media method multiple name nohref noresize noshade nowrap object onblur onchange onclick "
    "ondblclick onfocus onkeydown onkeypress onkeyup onload onmousedown onmousemove onmouseover "
    "onmouseout onmouseup onreset onselect onsubmit onunload profile prompt readonly rel rev rows rowspan "
    "rules scheme scope selected shape size span src standby start style summary tabindex target text "
    "title topmargin type usemap valign value valuetype version vlink vspace width text password checkbox "
    "radio submit reset file hidden image";

// JavaScript's reserved words and literals, for scripts inside HTML
constexpr const char* kJavaScriptKeywords =
    "abstract async await boolean break byte case catch char class const continue debugger default delete "
    "do double else enum export extends false final finally float for function goto if implements import "
    "in instanceof int interface let long native new null package private protected public return short "
    "static super switch synchronized this throw throws transient true try typeof var void volatile while "
    "with yield";

// Perl's named operators, functions and statement words
constexpr const char* kPerlKeywords =
    "abs accept alarm and atan2 bind binmode bless break caller chdir chmod chomp chop chown chr chroot "
    "close closedir cmp connect continue cos crypt dbmclose dbmopen default defined delete die do dump "
    "each else elsif endgrent endhostent endnetent endprotoent endpwent endservent eof eq eval exec "
    "exists exit exp fcntl fileno flock for foreach fork format formline ge getc getgrent getgrgid "
    "getgrnam gethostbyaddr gethostbyname gethostent getlogin getnetbyaddr getnetbyname getnetent "
    "getpeername getpgrp getppid getpriority getprotobyname getprotobynumber getprotoent getpwent "
    "getpwnam getpwuid getservbyname getservbyport getservent getsockname getsockopt given glob gmtime "
    "goto grep gt hex if import index int ioctl join keys kill last lc lcfirst le length link listen "
    "local localtime lock log lstat lt map mkdir msgctl msgget msgrcv msgsnd my ne next no not oct open "
    "opendir or ord our pack package pipe pop pos print printf prototype push quotemeta rand read readdir "
    "readline readlink readpipe recv redo ref rename require reset return reverse rewinddir rindex rmdir "
    "say scalar seek seekdir select semctl semget semop send setgrent sethostent setnetent setpgrp "
    "setpriority setprotoent setpwent setservent setsockopt shift shmctl shmget shmread shmwrite shutdown "
    "sin sleep socket socketpair sort splice split sprintf sqrt srand stat state study sub substr symlink "
    "syscall sysopen sysread sysseek system syswrite tell telldir tie tied time times truncate uc ucfirst "
    "umask undef unless unlink unpack unshift untie until use utime values vec wait waitpid wantarray "
    "warn when while write xor BEGIN END __DATA__ __END__ __FILE__ __LINE__ __PACKAGE__";

}  // namespace tarvel::LanguageKeywords
