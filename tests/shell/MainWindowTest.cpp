#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>

#include "CMainDlg.h"
#include "ShellTestSupport.h"
#include "UiScript.h"
#include "VendorPages.h"
#include "resource.h"

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    TestProfile profile;
    TestServices services;
    CMainDlg dlg{services};
    UiScript ui;

    void SetUp() override { theApp.m_pMainWnd = &dlg; }
    void TearDown() override {
        theApp.m_pMainWnd = nullptr;
        EXPECT_EQ(ui.Remaining(), 0u);
    }

    UiScript::Match Main() { return Is(dlg.m_hWnd); }
    // Opens the main window, lets check look at it, and closes it with Exit.
    void Open(const std::function<void(HWND)>& check) {
        ui.On(Main(), [&](HWND window) {
            check(window);
            Click(window, IDCANCEL);
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
    std::string HelpCommand() const {
        return "hh.exe " + ProgramDirectory() + "help.chm::/Introduction.htm";
    }
    static std::string DocumentsDefault() { return DocumentsFolder() + "\\quorvel.txt"; }
};

TEST_F(MainWindowTest, FirstStartHasTheDefaultsAndAnEmptySettingsKey) {
    Open([&](HWND) {
        EXPECT_EQ(dlg.m_bIncludeSize, 0);
        EXPECT_EQ(dlg.m_bIncludeTime, 0);
        EXPECT_EQ(dlg.m_nFormat, 0);
        EXPECT_EQ(std::string(dlg.m_strOutputFile), DocumentsDefault());
        EXPECT_TRUE(profile.SectionExists("settings"));
        EXPECT_EQ(profile.ValueCount("settings"), 0u);
        EXPECT_FALSE(profile.SectionExists("Setup"));
    });
    EXPECT_EQ(profile.ValueCount("settings"), 0u);
    EXPECT_EQ(profile.GetDword("Setup", "t_first_update"), static_cast<DWORD>(services.now));
}

struct StoredSettings {
    DWORD size, time, format;
    const char* filename;
};

// Whatever is stored is taken as it is, also values a dialog could not make.
TEST_F(MainWindowTest, StoredValuesWinOverTheDefaults) {
    const StoredSettings cases[] = {
        {1, 1, 1, "D:\\Reports\\out.txt"},
        {0, 1, 0, ""},
        {5, 0xFFFFFFFF, 7, "relative name.txt"},
    };
    for (const StoredSettings& c : cases) {
        profile.PutDword("settings", "size", c.size);
        profile.PutDword("settings", "time", c.time);
        profile.PutDword("settings", "format", c.format);
        profile.PutString("settings", "filename", c.filename);
        CMainDlg window(services);
        theApp.m_pMainWnd = &window;
        ui.On(Is(window.m_hWnd), [&](HWND w) {
            EXPECT_EQ(window.m_bIncludeSize, static_cast<int32_t>(c.size));
            EXPECT_EQ(window.m_bIncludeTime, static_cast<int32_t>(c.time));
            EXPECT_EQ(window.m_nFormat, static_cast<int32_t>(c.format));
            EXPECT_EQ(std::string(window.m_strOutputFile), c.filename);
            Click(w, IDCANCEL);
        });
        window.DoModal();
    }
}

TEST_F(MainWindowTest, BeforeVersionFiveTheDefaultStaysBesideTheProgram) {
    services.majorVersion = 4;
    Open([&](HWND) {
        EXPECT_EQ(std::string(dlg.m_strOutputFile), std::string(theApp.m_strDefaultOutputFile));
    });
}

TEST_F(MainWindowTest, UnknownVersionIsToldAndTheDocumentsFolderUsed) {
    services.versionKnown = false;
    ui.On(Captioned("Error"), [](HWND box) {
        EXPECT_EQ(MessageText(box), "Can get Windows Version");
        Click(box, IDOK);
    });
    Open([&](HWND) { EXPECT_EQ(std::string(dlg.m_strOutputFile), DocumentsDefault()); });
}

TEST_F(MainWindowTest, FolderThatCannotBeFoundIsToldAndTheDefaultUsed) {
    const int kNoSuchFolder = 0x7E;
    Open([&](HWND) {
        ui.On(Captioned("Error"), [](HWND box) {
            EXPECT_EQ(MessageText(box), "Can not get My Documents directory!");
            Click(box, IDOK);
        });
        EXPECT_EQ(std::string(dlg.GetFolderProfileString("settings", "filename", "C:\\q.txt",
                                                         kNoSuchFolder)),
                  "C:\\q.txt");
    });
}

// The documents folder's path and the file tail share a buffer of 260 characters.
TEST_F(MainWindowTest, TailThatDoesNotFitInTheFolderLeavesTheDefault) {
    Open([&](HWND) {
        std::string fits = "C:\\" + std::string(258 - DocumentsFolder().size(), 'f');
        std::string tooLong = fits + "x";
        EXPECT_EQ(std::string(dlg.GetFolderProfileString("settings", "filename", fits.c_str(),
                                                         CSIDL_PERSONAL)),
                  DocumentsFolder() + fits.substr(2));
        EXPECT_EQ(std::string(dlg.GetFolderProfileString("settings", "filename", tooLong.c_str(),
                                                         CSIDL_PERSONAL)),
                  tooLong);
        EXPECT_EQ(std::string(
                      dlg.GetFolderProfileString("settings", "filename", "q.txt", CSIDL_PERSONAL)),
                  DocumentsFolder());
    });
}

TEST_F(MainWindowTest, WindowHasItsIconsAndTheAboutItemInItsSystemMenu) {
    Open([&](HWND window) {
        ASSERT_NE(dlg.m_hIcon, nullptr);
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0)),
                  dlg.m_hIcon);
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0)),
                  dlg.m_hIcon);
        ICONINFO info = {};
        BITMAP bitmap = {};
        ASSERT_TRUE(GetIconInfo(dlg.m_hIcon, &info));
        GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap);
        EXPECT_EQ(bitmap.bmWidth, 32);
        EXPECT_EQ(bitmap.bmHeight, 32);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);

        HMENU menu = GetSystemMenu(window, FALSE);
        int count = GetMenuItemCount(menu);
        char text[64] = "";
        GetMenuStringA(menu, count - 1, text, sizeof(text), MF_BYPOSITION);
        EXPECT_EQ(std::string(text), "&About Quorvel");
        EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
        MENUITEMINFOA separator = {};
        separator.cbSize = sizeof(separator);
        separator.fMask = MIIM_FTYPE;
        GetMenuItemInfoA(menu, count - 2, TRUE, &separator);
        EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(window, WM_QUERYDRAGICON, 0, 0)),
                  dlg.m_hIcon);
    });
}

// The system menu item and the button show the same box; the system uses the low four bits of
// a system command, so they do not matter.
TEST_F(MainWindowTest, AboutBoxFromTheButtonAndFromTheSystemMenu) {
    std::vector<std::vector<std::string>> shown;
    auto about = [&](HWND box) {
        shown.push_back(ChildTexts(box));
        Click(box, IDOK);
    };
    Open([&](HWND window) {
        ui.On(Captioned("About Quorvel"), about);
        Click(window, IDC_ABOUT);
        ui.On(Captioned("About Quorvel"), about);
        SendMessageA(window, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        ui.On(Captioned("About Quorvel"), about);
        SendMessageA(window, WM_SYSCOMMAND, IDM_ABOUTBOX + 0xF, 0);
    });
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], shown[1]);
    EXPECT_EQ(shown[0], shown[2]);
    for (const char* text : {"Quorvel Version 3.22", "Website: https://www.nembrant.example/",
                             "Support: https://www.nembrant.example/support/", "OK"})
        EXPECT_NE(std::find(shown[0].begin(), shown[0].end(), text), shown[0].end()) << text;
}

TEST_F(MainWindowTest, HomepageAndEnterOpenTheHomePageAndTheWindowStays) {
    ui.On(Main(), [&](HWND window) {
        Click(window, IDOK);
        PressKey(GetFocus(), VK_RETURN);
    });
    ui.On(Main(), [&](HWND window) {
        EXPECT_EQ(services.pages, (std::vector<std::string>{kHomePage, kHomePage}));
        Click(window, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(MainWindowTest, EscapeEndsTheProgramWithoutSaving) {
    ui.On(Main(), [&](HWND) { PressKey(GetFocus(), VK_ESCAPE); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(profile.ValueCount("settings"), 0u);
    EXPECT_TRUE(services.pages.empty());
}

TEST_F(MainWindowTest, HelpButtonAndF1StartTheHelpViewer) {
    ui.On(Main(), [&](HWND window) {
        Click(window, ID_HELP);
        EXPECT_EQ(services.helpCommands, std::vector<std::string>{HelpCommand()});
        PressKey(GetFocus(), VK_F1);
    });
    ui.On(Main(), [&](HWND window) {
        EXPECT_EQ(services.helpCommands.size(), 2u);
        ui.On(Captioned("Settings"),
              [&](HWND settings) { PressKey(GetDlgItem(settings, IDC_OUTPUT_FILE), VK_F1); });
        ui.On(Captioned("Settings"), [&](HWND settings) {
            EXPECT_EQ(services.helpCommands, std::vector<std::string>(3, HelpCommand()));
            Click(settings, IDCANCEL);
        });
        Click(window, IDC_SETTINGS);
        Click(window, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

}  // namespace
