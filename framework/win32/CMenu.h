#pragma once

#include <windows.h>

// A menu handle that the system owns, such as a window's system menu.
class CMenu {
public:
    explicit CMenu(HMENU menu = nullptr) : m_hMenu(menu) {}

    static CMenu FromHandle(HMENU menu) { return CMenu(menu); }
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr);

    HMENU m_hMenu;
};
