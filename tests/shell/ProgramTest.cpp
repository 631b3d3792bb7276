#include <gtest/gtest.h>

#include <ctime>

#include "ShellTestSupport.h"

namespace {

const char kProgramKey[] = "Software\\Nembrant\\Quorvel";

struct ProgramWindow {
    DWORD process;
    HWND window = nullptr;
};

BOOL CALLBACK FindProgramWindow(HWND window, LPARAM found) {
    ProgramWindow* program = reinterpret_cast<ProgramWindow*>(found);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char caption[64] = "";
    GetWindowTextA(window, caption, sizeof(caption));
    if (process != program->process || !IsWindowVisible(window) ||
        std::string(caption) != "Quorvel")
        return TRUE;
    program->window = window;
    return FALSE;
}

DWORD ValueCount(HKEY key) {
    DWORD values = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    return values;
}

// The program itself, started beside the tests: its profile is named after Quorvel.exe. The
// program's profile in this user's registry is emptied before and after.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kProgramKey); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kProgramKey); }
};

TEST_F(ProgramTest, OpensWithAnEmptySettingsKeyAndStampsItsFirstExit) {
    std::string commandLine = "\"" + ProgramDirectory() + "Quorvel.exe\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    int64_t started = std::time(nullptr);
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process))
        << commandLine;
    // The program is another process: wait up to a minute for its window.
    ProgramWindow program{process.dwProcessId};
    for (int i = 0; i < 600 && !program.window; i++) {
        EnumWindows(FindProgramWindow, reinterpret_cast<LPARAM>(&program));
        if (!program.window)
            WaitForSingleObject(process.hProcess, 100);
    }
    EXPECT_NE(program.window, nullptr);

    HKEY settings = nullptr;
    std::string settingsKey = std::string(kProgramKey) + "\\settings";
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, settingsKey.c_str(), 0, KEY_READ, &settings),
              ERROR_SUCCESS);
    if (settings) {
        EXPECT_EQ(ValueCount(settings), 0u);
        RegCloseKey(settings);
    }

    // The close box.
    PostMessageA(program.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        ADD_FAILURE() << "the program did not end";
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    int64_t ended = std::time(nullptr);

    DWORD stamp = 0, size = sizeof(stamp), type = 0;
    std::string setupKey = std::string(kProgramKey) + "\\Setup";
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, setupKey.c_str(), "t_first_update", RRF_RT_ANY, &type,
                           &stamp, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_GE(stamp, static_cast<DWORD>(started));
    EXPECT_LE(stamp, static_cast<DWORD>(ended));
}

}  // namespace
