// scilexer.dll: Scintilla's window classes and Lexilla's lexers in one library,
// as a host expects to find them beside Tarvel.dll.
#include <windows.h>

#include "Scintilla.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        return Scintilla_RegisterClasses(instance) ? TRUE : FALSE;
    if (reason == DLL_PROCESS_DETACH)
        Scintilla_ReleaseResources();
    return TRUE;
}
