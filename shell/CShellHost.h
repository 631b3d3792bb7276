#pragma once

#include "CSystemHost.h"

// The report job's host in the dialog program: notices in the application's message box,
// the replace question in a system message box of its own.
class CShellHost : public CSystemHost {
public:
    void ShowError(const CString& text) override;
    bool AskYesNo(const CString& text) override;
};
