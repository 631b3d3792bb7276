#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include <filesystem>

#include "CMainDlg.h"
#include "CSettingsDlg.h"
#include "ShellTestSupport.h"
#include "TreeFixture.h"
#include "UiScript.h"
#include "resource.h"

namespace {

// Stands in for the application object while it lives and notes the order of the profile
// writes, which the registry itself does not keep.
class RecordingApp : public CMainApp {
public:
    RecordingApp() { InitProfile(); }
    BOOL WriteProfileInt(const char* section, const char* entry, int value) override {
        writes.push_back(std::string(section) + "/" + entry);
        return CMainApp::WriteProfileInt(section, entry, value);
    }
    BOOL WriteProfileString(const char* section, const char* entry, const char* value) override {
        writes.push_back(std::string(section) + "/" + entry);
        return CMainApp::WriteProfileString(section, entry, value);
    }
    std::vector<std::string> writes;
};

struct Settings {
    int32_t size, time, format;
    std::string file;
};

bool Checked(HWND dialog, int id) {
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Type(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextA(dialog, id, text.c_str());
}

HWND FindEdit(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[32] = "";
        GetClassNameA(child, name, sizeof(name));
        if (std::string(name) == "Edit" && IsWindowVisible(child))
            return child;
        if (HWND inner = FindEdit(child))
            return inner;
    }
    return nullptr;
}

class SettingsDialogTest : public ::testing::Test {
protected:
    TestProfile profile;
    RecordingApp app;
    TestServices services;
    CMainDlg main{services};
    UiScript ui;

    void TearDown() override { EXPECT_EQ(ui.Remaining(), 0u); }

    void Hold(const Settings& s) {
        main.m_bIncludeSize = s.size;
        main.m_bIncludeTime = s.time;
        main.m_nFormat = s.format;
        main.m_strOutputFile = s.file;
    }
    Settings Held() const {
        return {main.m_bIncludeSize, main.m_bIncludeTime, main.m_nFormat,
                std::string(main.m_strOutputFile)};
    }
    Settings Stored() const {
        TestProfile::Value file = profile.Get("settings", "filename");
        EXPECT_EQ(file.type, static_cast<DWORD>(REG_SZ));
        return {static_cast<int32_t>(profile.GetDword("settings", "size")),
                static_cast<int32_t>(profile.GetDword("settings", "time")),
                static_cast<int32_t>(profile.GetDword("settings", "format")),
                file.data.substr(0, file.data.size() - 1)};
    }
    // Runs the dialog as the main window's Settings button does.
    INT_PTR Run() {
        CSettingsDlg dlg(&main);
        dlg.m_bIncludeTime = main.m_bIncludeTime;
        dlg.m_nFormat = main.m_nFormat;
        dlg.m_bIncludeSize = main.m_bIncludeSize;
        dlg.m_strOutputFile = main.m_strOutputFile;
        return dlg.DoModal();
    }
};

bool operator==(const Settings& a, const Settings& b) {
    return a.size == b.size && a.time == b.time && a.format == b.format && a.file == b.file;
}

void PrintTo(const Settings& s, std::ostream* out) {
    *out << "{" << s.size << ", " << s.time << ", " << s.format << ", \"" << s.file << "\"}";
}

struct Shown {
    Settings held;
    bool size, time, list, tree;
};

// Only 1 checks a box or selects the tree; the other values show as off and as the list.
TEST_F(SettingsDialogTest, ControlsShowTheSettingsAndCancelKeepsThem) {
    const Shown cases[] = {
        {{0, 0, 0, "C:\\a.txt"}, false, false, true, false},
        {{1, 1, 1, "relative.txt"}, true, true, false, true},
        {{0, 1, 1, ""}, false, true, false, true},
        {{5, -1, 7, "D:\\x y\\z.txt"}, false, false, true, false},
    };
    for (const Shown& c : cases) {
        Hold(c.held);
        ui.On(Captioned("Settings"), [&](HWND dialog) {
            EXPECT_EQ(Checked(dialog, IDC_INCLUDE_SIZE), c.size);
            EXPECT_EQ(Checked(dialog, IDC_INCLUDE_TIME), c.time);
            EXPECT_EQ(Checked(dialog, IDC_LIST_VIEW), c.list);
            EXPECT_EQ(Checked(dialog, IDC_TREE_VIEW), c.tree);
            EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_OUTPUT_FILE)), c.held.file);
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
            Click(dialog, IDC_INCLUDE_SIZE);
            Click(dialog, IDC_TREE_VIEW);
            Type(dialog, IDC_OUTPUT_FILE, "changed.txt");
            Click(dialog, IDCANCEL);
        });
        EXPECT_EQ(Run(), IDCANCEL);
        EXPECT_EQ(Held(), c.held);
    }
    EXPECT_TRUE(app.writes.empty());
    EXPECT_EQ(profile.ValueCount("settings"), 0u);
}

TEST_F(SettingsDialogTest, OkWithoutChangesStoresAllFourInOrder) {
    Hold({1, 0, 1, "C:\\Reports\\out.txt"});
    ui.On(Captioned("Settings"), [](HWND dialog) { Click(dialog, IDOK); });
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(app.writes, (std::vector<std::string>{"settings/size", "settings/time",
                                                    "settings/filename", "settings/format"}));
    EXPECT_EQ(Stored(), (Settings{1, 0, 1, "C:\\Reports\\out.txt"}));
    EXPECT_EQ(profile.Get("settings", "size").type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(profile.Get("settings", "format").type, static_cast<DWORD>(REG_DWORD));
}

struct Edit {
    Settings held;
    bool clickSize, clickTime;
    int view;  // the radio button clicked, or 0
    const char* typed;
    Settings result;
};

TEST_F(SettingsDialogTest, OkHandsTheControlsToTheMainWindowAndTheProfile) {
    const Edit cases[] = {
        {{0, 0, 0, "a.txt"}, true, true, IDC_TREE_VIEW, "C:\\b.txt", {1, 1, 1, "C:\\b.txt"}},
        {{1, 1, 1, "a.txt"}, true, false, IDC_LIST_VIEW, "", {0, 1, 0, ""}},
        // An unknown style survives unless a view is picked; a switch shown as off is stored so.
        {{5, 2, 7, "a.txt"}, false, false, 0, "no extension", {0, 0, 7, "no extension"}},
        {{0, 0, 7, "a.txt"}, false, false, IDC_LIST_VIEW, "a.txt", {0, 0, 0, "a.txt"}},
    };
    for (const Edit& c : cases) {
        Hold(c.held);
        ui.On(Captioned("Settings"), [&](HWND dialog) {
            if (c.clickSize)
                Click(dialog, IDC_INCLUDE_SIZE);
            if (c.clickTime)
                Click(dialog, IDC_INCLUDE_TIME);
            if (c.view)
                Click(dialog, c.view);
            Type(dialog, IDC_OUTPUT_FILE, c.typed);
            Click(dialog, IDOK);
        });
        EXPECT_EQ(Run(), IDOK);
        EXPECT_EQ(Held(), c.result);
        EXPECT_EQ(Stored(), c.result);
    }
}

TEST_F(SettingsDialogTest, EnterConfirmsAndEscapeCancels) {
    Hold({0, 0, 0, "a.txt"});
    ui.On(Captioned("Settings"), [](HWND dialog) {
        Click(dialog, IDC_INCLUDE_TIME);
        PressKey(GetFocus(), VK_ESCAPE);
    });
    EXPECT_EQ(Run(), IDCANCEL);
    EXPECT_EQ(profile.ValueCount("settings"), 0u);
    ui.On(Captioned("Settings"), [](HWND dialog) {
        Click(dialog, IDC_INCLUDE_TIME);
        SetFocus(GetDlgItem(dialog, IDOK));
        PressKey(GetFocus(), VK_RETURN);
    });
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(Stored(), (Settings{0, 1, 0, "a.txt"}));
}

// The Save As dialog names the file; ".txt" is added to a name without an extension.
TEST_F(SettingsDialogTest, BrowseFillsTheNameAndOnlyOkKeepsIt) {
    TreeFixture scratch;
    const std::string chosen = scratch.Path("chosen");
    Hold({0, 0, 0, "a.txt"});
    std::vector<std::string> filters;
    ui.On(Captioned("Settings"), [&](HWND dialog) {
        ui.On(Captioned("Save As"), [&](HWND save) {
            HWND types = GetDlgItem(save, cmb1);
            for (int i = 0; i < SendMessageA(types, CB_GETCOUNT, 0, 0); i++) {
                char text[64] = "";
                SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                filters.push_back(text);
            }
            EXPECT_EQ(SendMessageA(types, CB_GETCURSEL, 0, 0), 0);
            HWND name = FindEdit(save);
            EXPECT_EQ(WindowText(name), "*.txt");
            SetWindowTextA(name, chosen.c_str());
            Click(save, IDOK);
        });
        Click(dialog, IDC_BROWSE);
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_OUTPUT_FILE)), chosen + ".txt");
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(Run(), IDCANCEL);
    EXPECT_EQ(filters, (std::vector<std::string>{"archive file (*.txt)", "All Files (*.*)"}));
    EXPECT_EQ(std::string(main.m_strOutputFile), "a.txt");
    EXPECT_EQ(profile.ValueCount("settings"), 0u);
    EXPECT_FALSE(std::filesystem::exists(chosen + ".txt"));

    ui.On(Captioned("Settings"), [&](HWND dialog) {
        ui.On(Captioned("Save As"), [&](HWND save) { Click(save, IDCANCEL); });
        Type(dialog, IDC_OUTPUT_FILE, "typed.txt");
        Click(dialog, IDC_BROWSE);
        EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_OUTPUT_FILE)), "typed.txt");
        ui.On(Captioned("Save As"), [&](HWND save) {
            SetWindowTextA(FindEdit(save), (chosen + ".log").c_str());
            Click(save, IDOK);
        });
        Click(dialog, IDC_BROWSE);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(Stored(), (Settings{0, 0, 0, chosen + ".log"}));
    EXPECT_EQ(Held(), Stored());
}

}  // namespace
