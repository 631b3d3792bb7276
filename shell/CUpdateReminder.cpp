#include "CUpdateReminder.h"

#include "CString.h"
#include "VendorPages.h"

namespace {

const char kSection[] = "Setup";
const char kEntry[] = "t_first_update";

}  // namespace

CUpdateReminder::CUpdateReminder(CWinApp& app, CSystemServices& services)
    : m_app(app), m_services(services) {}

// The stamp is widened without its sign, so stamps written from 2038 on stay in the future of
// older ones until 2106 instead of turning into times before 1970.
void CUpdateReminder::PromptForUpdateCheck(const char* pageAddress) {
    const int64_t now = m_services.Now();
    const int64_t stamp =
        FromStamp(m_app.GetProfileInt(kSection, kEntry, static_cast<int>(ToStamp(now))));
    // Nothing stored: the default came back, and this exit becomes the first stamp.
    if (stamp == FromStamp(ToStamp(now)))
        WriteStamp(now);
    if (now <= stamp + kInterval)
        return;
    int answer = MessageBoxA(nullptr, "Do you want to check the lastest version on our website?",
                             "Update the program", MB_YESNO);
    if (answer == IDYES)
        OpenPage(pageAddress);
    WriteStamp(now);
}

void CUpdateReminder::WriteStamp(int64_t now) {
    m_app.WriteProfileInt(kSection, kEntry, static_cast<int>(ToStamp(now)));
}

void CUpdateReminder::OpenPage(const char* pageAddress) {
    if (m_services.OpenWebPage(pageAddress))
        return;
    CString text = CString("The Program does not launch your web browser to access ") + kHomePage +
                   " ,\nPlease launch your web browser and input the URL manually.";
    MessageBoxA(nullptr, text, "unknown errors", MB_OK);
}
