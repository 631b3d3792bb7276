#pragma once

#include <windows.h>

#include "CDataExchange.h"
#include "CWnd.h"

// A modal dialog made from a dialog template of the program's resources.
//
// The message map is a pair of virtual dispatchers: OnCommand gets the commands of buttons,
// menus and keys by id, OnMessage every other message. A derived dialog handles its ids and
// messages in a switch, calls one small handler each, and leaves the rest to its base.
class CDialog : public CWnd {
public:
    CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog until EndDialog; IDOK, IDCANCEL or another result, -1 on failure.
    virtual INT_PTR DoModal();
    // The dialog is ready: moves the members into the controls. TRUE lets the system put the
    // focus on the first tab stop.
    virtual BOOL OnInitDialog();
    // Moves the controls into the members and ends the dialog with IDOK.
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);

    // TRUE moves the controls into the members, FALSE the members into the controls.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    void EndDialog(int result);

    // True for the top-level windows of dialogs run by this class.
    static bool IsOwnDialog(HWND window);

protected:
    // True when the command was handled; IDOK and IDCANCEL go to OnOK and OnCancel.
    virtual bool OnCommand(UINT id);
    // True when the message was handled; result is then its answer.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    HWND OwnerWindow() const;
};
