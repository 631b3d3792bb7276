#include <gtest/gtest.h>

#include <optional>

#include "CUpdateReminder.h"
#include "ShellTestSupport.h"
#include "UiScript.h"
#include "VendorPages.h"

namespace {

const int64_t kNow = 1700000000;
const int64_t kInterval = 15552000;
// The first second whose 32-bit stamp has its top bit set: 2038-01-19 03:14:08 UTC.
const int64_t k2038 = 0x80000000LL;

struct Exit {
    const char* what;
    std::optional<DWORD> stored;
    int64_t now;
    bool asks;
    int answer;  // IDYES or IDNO when asked
};

class UpdateReminderTest : public ::testing::Test {
protected:
    TestProfile profile;
    TestServices services;
    UiScript ui;
    std::vector<std::string> questions;

    void TearDown() override { EXPECT_EQ(ui.Remaining(), 0u); }

    // Ends the program once at the time now; answers the question if it comes, then gives the
    // steps for what follows the answer.
    void ExitAt(int64_t now, int answer = IDNO, const std::function<void()>& then = {}) {
        services.now = now;
        ui.On(Captioned("Update the program"), [&, answer](HWND box) {
            questions.push_back(MessageText(box));
            EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
            EXPECT_NE(GetDlgItem(box, IDNO), nullptr);
            Click(box, answer);
        });
        if (then)
            then();
        CUpdateReminder(theApp, services).PromptForUpdateCheck(kProductPage);
        // A question that did not come leaves its step behind.
        ui.Clear();
    }
    DWORD Stamp() const { return profile.GetDword("Setup", "t_first_update"); }
};

TEST_F(UpdateReminderTest, AsksOnlyWhenTheStampIsMoreThan180DaysOld) {
    const Exit cases[] = {
        {"first exit", std::nullopt, kNow, false, 0},
        {"just stamped", DWORD(kNow), kNow, false, 0},
        {"exactly 180 days", DWORD(kNow - kInterval), kNow, false, 0},
        {"one second more, yes", DWORD(kNow - kInterval - 1), kNow, true, IDYES},
        {"one second more, no", DWORD(kNow - kInterval - 1), kNow, true, IDNO},
        {"stamp in the future", DWORD(kNow + 1000), kNow, false, 0},
        {"future stamp overtaken", DWORD(kNow + 1000), kNow + 1000 + kInterval + 1, true, IDNO},
        {"first exit after 2038", std::nullopt, k2038 + 5, false, 0},
        {"stamp after 2038", DWORD(k2038 + 5), k2038 + 5 + kInterval, false, 0},
        {"due after 2038", DWORD(k2038 + 5), k2038 + 5 + kInterval + 1, true, IDNO},
        {"stamp before, now after 2038", DWORD(k2038 - 10), k2038 + 10, false, 0},
    };
    for (const Exit& c : cases) {
        TestProfile::Delete();
        if (c.stored)
            profile.PutDword("Setup", "t_first_update", *c.stored);
        questions.clear();
        services.pages.clear();
        ExitAt(c.now, c.answer);
        EXPECT_EQ(questions.size(), c.asks ? 1u : 0u) << c.what;
        // The first exit and every answer stamp the time; otherwise the stamp stays.
        DWORD expected = (!c.stored || c.asks) ? DWORD(c.now) : *c.stored;
        EXPECT_EQ(Stamp(), expected) << c.what;
        EXPECT_EQ(profile.Get("Setup", "t_first_update").type, static_cast<DWORD>(REG_DWORD));
        std::vector<std::string> pages;
        if (c.answer == IDYES)
            pages.push_back(kProductPage);
        EXPECT_EQ(services.pages, pages) << c.what;
    }
}

TEST_F(UpdateReminderTest, QuestionText) {
    profile.PutDword("Setup", "t_first_update", DWORD(kNow - kInterval - 1));
    ExitAt(kNow);
    EXPECT_EQ(questions,
              std::vector<std::string>{"Do you want to check the lastest version on our website?"});
}

// After an answer the next question waits another 180 days, whichever the answer was.
TEST_F(UpdateReminderTest, EveryAnswerStartsANewInterval) {
    for (int answer : {IDYES, IDNO}) {
        questions.clear();
        profile.PutDword("Setup", "t_first_update", DWORD(kNow - kInterval - 1));
        ExitAt(kNow, answer);
        ExitAt(kNow + kInterval);
        EXPECT_EQ(questions.size(), 1u);
        ExitAt(kNow + kInterval + 1);
        EXPECT_EQ(questions.size(), 2u);
    }
}

TEST_F(UpdateReminderTest, BrowserThatDoesNotStartIsToldAndTheStampRenewed) {
    services.pageOpens = false;
    profile.PutDword("Setup", "t_first_update", DWORD(kNow - kInterval - 1));
    std::string notice;
    ExitAt(kNow, IDYES, [&] {
        ui.On(Captioned("unknown errors"), [&](HWND box) {
            notice = MessageText(box);
            EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
            Click(box, IDOK);
        });
    });
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_EQ(notice, std::string("The Program does not launch your web browser to access ") +
                          kHomePage +
                          " ,\nPlease launch your web browser and input the URL manually.");
    EXPECT_EQ(Stamp(), DWORD(kNow));
}

}  // namespace
