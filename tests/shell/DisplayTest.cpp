#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <filesystem>

#include "CMainDlg.h"
#include "ShellTestSupport.h"
#include "TreeFixture.h"
#include "UiScript.h"
#include "resource.h"

namespace {

const char kRule[] = "*******************";

// The text of the folder picker's selected item.
std::string Selected(HWND picker) {
    HWND tree = FindWindowExA(picker, nullptr, WC_TREEVIEWA, nullptr);
    char text[MAX_PATH] = "";
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return text;
}

// Selects the folder as a user would: at once, or else one level after the other (the picker
// of some systems finds a deep folder only so). Says whether the folder is selected.
bool SelectFolder(HWND picker, const std::string& path) {
    const std::string name = path.substr(path.rfind('\\') + 1);
    SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
    if (Selected(picker) == name)
        return true;
    for (size_t end = path.find('\\', 3);; end = path.find('\\', end + 1)) {
        std::string part = path.substr(0, end);
        SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(part.c_str()));
        if (end == std::string::npos)
            break;
    }
    return Selected(picker) == name;
}

bool IsFolderPicker(HWND window) {
    for (const std::string& text : ChildTexts(window)) {
        if (text == "Choose a folder")
            return true;
    }
    return false;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t begin = 0;
    for (size_t end; (end = text.find("\r\n", begin)) != std::string::npos; begin = end + 2)
        lines.push_back(text.substr(begin, end - begin));
    return lines;
}

// The listing after its header block of six lines.
std::vector<std::string> Body(const std::string& listing) {
    std::vector<std::string> lines = Lines(listing);
    return lines.size() < 6 ? lines : std::vector<std::string>(lines.begin() + 6, lines.end());
}

// The folder picker shows no hidden folders, and the user's temporary directory may lie below
// one: while this lives, temporary trees are made in a plain folder of drive C.
class PlainTemporaryDirectory {
public:
    PlainTemporaryDirectory() {
        CreateDirectoryA(kPath, nullptr);
        GetEnvironmentVariableA("TMP", m_previous, sizeof(m_previous));
        SetEnvironmentVariableA("TMP", kPath);
    }
    ~PlainTemporaryDirectory() {
        SetEnvironmentVariableA("TMP", m_previous[0] ? m_previous : nullptr);
        RemoveDirectoryA(kPath);
    }

private:
    static constexpr char kPath[] = "C:\\quorvel-tests";
    char m_previous[MAX_PATH] = "";
};

class DisplayTest : public ::testing::Test {
protected:
    // The output goes to the ordinary temporary directory: the picker's folder is then the only
    // one in the plain folder, which the picker of some systems needs to find it.
    TreeFixture scratch;
    PlainTemporaryDirectory temporary;
    TestProfile profile;
    TestServices services;
    TreeFixture tree;
    std::string output = scratch.Path("out put.txt");
    std::string folder = tree.Root().substr(0, tree.Root().size() - 1);
    UiScript ui;

    void SetUp() override {
        tree.File("a.txt", 1234).File("sub\\b.txt");
        Store(0, 0, 0, output);
    }
    void TearDown() override {
        theApp.m_pMainWnd = nullptr;
        EXPECT_EQ(ui.Remaining(), 0u);
        EXPECT_EQ(theApp.m_nWaitCursorCount, 0);
    }
    void Store(DWORD size, DWORD time, DWORD format, const std::string& file) {
        profile.PutDword("settings", "size", size);
        profile.PutDword("settings", "time", time);
        profile.PutDword("settings", "format", format);
        profile.PutString("settings", "filename", file);
    }
    // Answers the folder picker with a folder, or cancels it without one.
    void Pick(const std::string& path) { ui.On(IsFolderPicker, Picker(path, 0)); }
    // The picker may show a folder made just before it opened only a moment later, so a
    // selection that did not take is tried again at the next step, a few times.
    UiScript::Action Picker(const std::string& path, int attempt) {
        return [this, path, attempt](HWND picker) {
            if (path.empty()) {
                Click(picker, IDCANCEL);
                return;
            }
            bool selected = SelectFolder(picker, path);
            if (!selected && attempt < 20) {
                ui.Next(IsFolderPicker, Picker(path, attempt + 1));
                return;
            }
            // Confirming another folder would list it: the test stops short of that.
            EXPECT_TRUE(selected) << path << " not selected but " << Selected(picker);
            Click(picker, selected ? IDOK : IDCANCEL);
        };
    }
    // Opens the main window, gives the steps that answer what Display shows, clicks Display
    // and closes the window.
    void Display(const std::function<void()>& answers, CSystemServices& with) {
        CMainDlg dlg(with);
        theApp.m_pMainWnd = &dlg;
        ui.On(Is(dlg.m_hWnd), [&](HWND window) {
            answers();
            Click(window, IDC_DISPLAY);
            Click(window, IDCANCEL);
        });
        dlg.DoModal();
    }
    void Display(const std::function<void()>& answers) { Display(answers, services); }
    std::string Editor() const { return "Notepad.exe " + output; }
};

struct ViewCase {
    DWORD size, time, format;
    std::vector<std::string> body;
};

TEST_F(DisplayTest, ListingIsWrittenWithTheStoredSettingsAndOpenedInTheEditor) {
    const std::string subPath = tree.Root() + "sub\\";
    const ViewCase cases[] = {
        {1, 0, 1, {"|   a.txt   ( 1,234 B, )", "|   ", "|___sub", "        b.txt   ( 0 B, )"}},
        {0, 0, 1, {"|   a.txt", "|   ", "|___sub", "        b.txt"}},
        {5, 2, 7, {"|   a.txt", "|   ", "|___sub", "        b.txt"}},
        {1, 0, 0, {"    a.txt   ( 1,234 B, )", "    ", subPath, "    b.txt   ( 0 B, )"}},
    };
    for (const ViewCase& c : cases) {
        std::filesystem::remove(output);
        services.launches.clear();
        Store(c.size, c.time, c.format, output);
        Display([&] { Pick(folder); });
        std::string listing = ReadFile(output);
        std::vector<std::string> lines = Lines(listing);
        ASSERT_GE(lines.size(), 6u);
        EXPECT_EQ(lines[2], kRule);
        EXPECT_EQ(lines[5], tree.Root());
        EXPECT_EQ(Body(listing), c.body) << c.format;
        EXPECT_EQ(services.launches, std::vector<std::string>{Editor()});
    }
}

TEST_F(DisplayTest, ExistingOutputIsReplacedOnYesAndAppendedToOnNo) {
    for (bool replace : {true, false}) {
        scratch.Text("out put.txt", "old\r\n");
        Display([&] {
            Pick(folder);
            ui.On(Captioned("Warning"), [&](HWND box) {
                EXPECT_EQ(MessageText(box), output + " exists. Do you want to replace it?");
                Click(box, replace ? IDYES : IDNO);
            });
        });
        std::vector<std::string> lines = Lines(ReadFile(output));
        std::vector<std::string> head = {"", "", kRule};
        if (!replace)
            head.insert(head.begin(), "old");
        ASSERT_GE(lines.size(), head.size());
        EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + head.size()), head);
    }
    EXPECT_EQ(services.launches, std::vector<std::string>(2, Editor()));
}

TEST_F(DisplayTest, FailedRunIsToldAndStartsNoEditor) {
    std::string unreachable = scratch.Path("missing\\out.txt");
    Store(0, 0, 1, unreachable);
    Display([&] {
        Pick(folder);
        ui.On(Captioned(theApp.m_pszAppName), [&](HWND box) {
            EXPECT_EQ(MessageText(box), unreachable + " can not be opened!");
            Click(box, IDOK);
        });
    });
    EXPECT_TRUE(services.launches.empty());
}

TEST_F(DisplayTest, CancelledPickerChangesNothing) {
    Display([&] { Pick(""); });
    EXPECT_FALSE(std::filesystem::exists(output));
    EXPECT_TRUE(services.launches.empty());
}

// Confirmed settings hold at once, without a restart.
TEST_F(DisplayTest, SettingsConfirmedInTheMainWindowAreUsedByTheNextDisplay) {
    std::string other = scratch.Path("other.txt");
    CMainDlg dlg(services);
    theApp.m_pMainWnd = &dlg;
    ui.On(Is(dlg.m_hWnd), [&](HWND window) {
        ui.On(Captioned("Settings"), [&](HWND settings) {
            Click(settings, IDC_INCLUDE_SIZE);
            Click(settings, IDC_TREE_VIEW);
            SetDlgItemTextA(settings, IDC_OUTPUT_FILE, other.c_str());
            Click(settings, IDOK);
        });
        Click(window, IDC_SETTINGS);
        Pick(folder);
        Click(window, IDC_DISPLAY);
        Click(window, IDCANCEL);
    });
    dlg.DoModal();
    EXPECT_EQ(Body(ReadFile(other)),
              (std::vector<std::string>{"|   a.txt   ( 1,234 B, )", "|   ", "|___sub",
                                        "        b.txt   ( 0 B, )"}));
    EXPECT_EQ(services.launches, std::vector<std::string>{"Notepad.exe " + other});
}

// Starts programs for real, the rest as the tests want it.
class LaunchingServices : public TestServices {
public:
    bool LaunchProcess(const char* commandLine) override {
        return CSystemServices::LaunchProcess(commandLine);
    }
};

struct EditorWindow {
    HWND window = nullptr;
    DWORD process = 0;
};

BOOL CALLBACK FindEditor(HWND window, LPARAM found) {
    char name[32] = "";
    GetClassNameA(window, name, sizeof(name));
    if (std::string(name) != "Notepad")
        return TRUE;
    EditorWindow* editor = reinterpret_cast<EditorWindow*>(found);
    editor->window = window;
    GetWindowThreadProcessId(window, &editor->process);
    return FALSE;
}

// Waits up to a minute for the editor's window to show the file's name: the editor is another
// process that takes its time.
EditorWindow WaitForEditor(const std::string& name) {
    EditorWindow editor;
    for (int i = 0; i < 600; i++) {
        EnumWindows(FindEditor, reinterpret_cast<LPARAM>(&editor));
        if (editor.window && WindowText(editor.window).find(name) != std::string::npos)
            break;
        Sleep(100);
    }
    return editor;
}

void CloseEditor(const EditorWindow& editor) {
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, editor.process);
    PostMessageA(editor.window, WM_CLOSE, 0, 0);
    if (process && WaitForSingleObject(process, 30000) != WAIT_OBJECT_0)
        TerminateProcess(process, 1);
    if (process)
        CloseHandle(process);
}

TEST_F(DisplayTest, TheEditorReallyOpensTheListing) {
    LaunchingServices launching;
    output = scratch.Path("listing.txt");
    Store(1, 0, 1, output);
    Display([&] { Pick(folder); }, launching);
    EditorWindow editor = WaitForEditor("listing.txt");
    ASSERT_NE(editor.window, nullptr) << "no editor window";
    HWND text = FindWindowExA(editor.window, nullptr, "Edit", nullptr);
    // Another process's control tells its text only when asked with a message.
    std::vector<char> shown(static_cast<size_t>(SendMessageA(text, WM_GETTEXTLENGTH, 0, 0)) + 1);
    SendMessageA(text, WM_GETTEXT, shown.size(), reinterpret_cast<LPARAM>(shown.data()));
    std::string title = WindowText(editor.window);
    CloseEditor(editor);
    EXPECT_NE(title.find("listing.txt"), std::string::npos) << title;
    EXPECT_EQ(std::string(shown.data()), ReadFile(output));
}

}  // namespace
