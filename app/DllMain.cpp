#include <windows.h>

#include "app/CTarvelApp.h"

// No exception may leave the loader's call: it would end the host.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    try {
        switch (reason) {
            case DLL_PROCESS_ATTACH:
                ::DisableThreadLibraryCalls(module);
                return tarvel::theApp().InitInstance(module) ? TRUE : FALSE;
            case DLL_PROCESS_DETACH:
                // At process exit the other modules may be gone already; the
                // system frees everything anyway.
                if (reserved == nullptr)
                    tarvel::theApp().ExitInstance();
                return TRUE;
            default:
                return TRUE;
        }
    } catch (...) {
        return FALSE;
    }
}
