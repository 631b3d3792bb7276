#include "ShellTestSupport.h"

#include <shlobj.h>

namespace {

HKEY OpenKey(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

}  // namespace

TestProfile::TestProfile() {
    Delete();
    theApp.InitProfile();
}

TestProfile::~TestProfile() {
    Delete();
}

void TestProfile::Delete() {
    RegDeleteTreeA(HKEY_CURRENT_USER, KeyPath().c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, KeyPath().c_str());
}

std::string TestProfile::KeyPath(const std::string& section) {
    std::string path = std::string("Software\\Nembrant\\") + theApp.m_pszAppName;
    return section.empty() ? path : path + "\\" + section;
}

bool TestProfile::SectionExists(const std::string& section) const {
    HKEY key = OpenKey(KeyPath(section));
    if (key)
        RegCloseKey(key);
    return key != nullptr;
}

size_t TestProfile::ValueCount(const std::string& section) const {
    HKEY key = OpenKey(KeyPath(section));
    DWORD values = 0;
    if (key) {
        RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr);
        RegCloseKey(key);
    }
    return values;
}

TestProfile::Value TestProfile::Get(const std::string& section, const std::string& name) const {
    Value value;
    HKEY key = OpenKey(KeyPath(section));
    if (!key)
        return value;
    DWORD size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size) ==
        ERROR_SUCCESS) {
        value.data.resize(size);
        value.present =
            RegQueryValueExA(key, name.c_str(), nullptr, &value.type,
                             reinterpret_cast<BYTE*>(value.data.data()), &size) == ERROR_SUCCESS;
        value.data.resize(size);
    }
    RegCloseKey(key);
    return value;
}

DWORD TestProfile::GetDword(const std::string& section, const std::string& name) const {
    Value value = Get(section, name);
    DWORD number = 0;
    if (value.present && value.type == REG_DWORD && value.data.size() == sizeof(number))
        memcpy(&number, value.data.data(), sizeof(number));
    return number;
}

void TestProfile::Put(const std::string& section, const std::string& name, DWORD type,
                      const std::string& data) const {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath(section).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                    &key, nullptr);
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        // Texts are stored in UTF-16 exactly as given. The system takes a zero that follows the
        // given size as the text's terminator, so something else follows it here.
        std::wstring wide(data.begin(), data.end());
        DWORD size = static_cast<DWORD>(wide.size() * sizeof(wchar_t));
        wide += L'?';
        std::wstring wideName(name.begin(), name.end());
        RegSetValueExW(key, wideName.c_str(), 0, type, reinterpret_cast<const BYTE*>(wide.data()),
                       size);
    } else {
        RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size()));
    }
    RegCloseKey(key);
}

void TestProfile::PutDword(const std::string& section, const std::string& name, DWORD value) const {
    Put(section, name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), 4));
}

void TestProfile::PutString(const std::string& section, const std::string& name,
                            const std::string& text) const {
    Put(section, name, REG_SZ, text + '\0');
}

bool TestServices::LaunchProcess(const char* commandLine) {
    launches.push_back(commandLine);
    return launchSucceeds;
}

bool TestServices::OpenWebPage(const char* address) {
    pages.push_back(address);
    return pageOpens;
}

void TestServices::StartHelpViewer(const char* commandLine) {
    helpCommands.push_back(commandLine);
}

bool TestServices::GetWindowsVersion(OSVERSIONINFOA& info) {
    if (!versionKnown)
        return false;
    info.dwMajorVersion = majorVersion;
    return true;
}

std::string DocumentsFolder() {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, path);
    return path;
}

std::string ProgramDirectory() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text = path;
    return text.substr(0, text.rfind('\\') + 1);
}
