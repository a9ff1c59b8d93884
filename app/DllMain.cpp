#include <windows.h>

#include "app/CTarvelApp.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            ::DisableThreadLibraryCalls(module);
            return theApp().InitInstance(module) ? TRUE : FALSE;
        case DLL_PROCESS_DETACH:
            theApp().ExitInstance();
            return TRUE;
        default:
            return TRUE;
    }
}
