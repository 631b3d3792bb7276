#include <windows.h>

#include "CMainApp.h"

// The program starts with the one application object, already constructed.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return AfxWinMain(theApp);
}
