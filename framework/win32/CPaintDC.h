#pragma once

#include <windows.h>

class CWnd;

// The device context of one WM_PAINT: painting begins with the object and ends with it.
class CPaintDC {
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    BOOL DrawIcon(int x, int y, HICON icon);

    HDC m_hDC;
    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
};
