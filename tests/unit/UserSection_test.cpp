#include "SectionTestSupport.h"
#include "sections/User.h"

#include <gtest/gtest.h>

using namespace hl;
using namespace hl::test;

namespace {

MachineBuilder Account(Props props) {
    props.insert(props.begin(), {"Name", "ana"});
    MachineBuilder m;
    m.Environment("USERNAME", "ana").Instance("Win32_UserAccount", std::move(props));
    return m;
}

std::vector<std::string> UserRows(Snapshot machine, const std::string& language = "English") {
    TestApp t(std::move(machine), language);
    MenuClick(*t, 2);
    return RowValues(*t, 10);
}

} // namespace

TEST(UserSection, ShowsTheAccountOfTheProgramAndItsProfiles) {
    TestApp t(FixtureMachine());
    MenuClick(*t, 2);
    std::vector<std::string> expected = {
        "maria", "Mshome", "Normal",       "Administrator",   "Yes",
        "No",    "0",      "09:15:33 hs.", "01:02:03:04 hs.", "57 times.",
    };
    EXPECT_EQ(RowValues(*t, 10), expected);
    const ValueArea& a = t->area;
    EXPECT_EQ(a.titulo, "User");
    EXPECT_EQ(a.Row(9).caption, "Usage time: ");
    EXPECT_EQ(a.Row(10).caption, "Number of logons: ");
    EXPECT_EQ(a.Row(11).caption, "");
    EXPECT_EQ(a.Row(12).caption, "");
    EXPECT_TRUE(a.iavisoVisible);
    EXPECT_TRUE(a.lavisoVisible);
    EXPECT_EQ(a.laviso, "The information obtained in this section corresponds to the user account "
                        "that executed Hardlens.");
    EXPECT_EQ(a.lavisoColour, (Rgb{75, 75, 75}));
    EXPECT_EQ(a.Row(1).captionColour, (Rgb{64, 64, 64}));
    EXPECT_EQ(a.iavisoPicture, "Info");
    EXPECT_TRUE(t->main.timer3Enabled);
    EXPECT_NE(t->main.service, nullptr);
}

TEST(UserSection, ProfileWithoutAValueKeepsTheEarlierProfilesValue) {
    MachineBuilder m = Account({});
    m.Instance("Win32_NetworkLoginProfile", {{"Privileges", 1},
                                             {"BadPasswordCount", 2},
                                             {"LastLogon", "20110304091533.000000-180"},
                                             {"NumberOfLogons", 5}})
        .Instance("Win32_NetworkLoginProfile",
                  {{"Privileges", Variant::Null()}, {"NumberOfLogons", 9}})
        .Instance("Win32_NetworkLoginProfile", {{"BadPasswordCount", 3}});
    std::vector<std::string> rows = UserRows(m.Build());
    EXPECT_EQ(rows[3], "Limited");
    EXPECT_EQ(rows[6], "3");
    EXPECT_EQ(rows[7], "09:15:33 hs.");
    EXPECT_EQ(rows[9], "9 times.");
}

TEST(UserSection, MissingAccountAndProfilesShowUnknown) {
    Snapshot m = MachineBuilder()
                     .Environment("USERNAME", "ana")
                     .Instance("Win32_UserAccount", {{"Name", "bob"}, {"Domain", "X"}})
                     .Build();
    std::vector<std::string> rows = UserRows(m);
    EXPECT_EQ(rows[0], "ana");
    for (int i : {1, 2, 4, 5})
        EXPECT_EQ(rows[i], "Unknown") << i; // account rows
    for (int i : {3, 6, 7, 9})
        EXPECT_EQ(rows[i], "Unknown") << i; // profile rows
}

TEST(UserSection, AccountTypeAndPrivilegeTables) {
    struct Case {
        Variant type, privilege;
        const char *typeText, *privilegeText;
    } cases[] = {
        {512, 2, "Normal", "Administrator"}, {4096, 0, "Workstation", "Guest"}, {1, 3, "", ""}};
    for (const Case& c : cases) {
        MachineBuilder m = Account({{"AccountType", c.type}});
        m.Instance("Win32_NetworkLoginProfile", {{"Privileges", c.privilege}});
        std::vector<std::string> rows = UserRows(m.Build());
        EXPECT_EQ(rows[2], c.typeText);
        EXPECT_EQ(rows[3], c.privilegeText);
    }
}

TEST(UserSection, DomainAndPasswordFlags) {
    std::vector<std::string> rows = UserRows(
        Account({{"Domain", "mshome"}, {"PasswordChangeable", false}, {"PasswordExpires", true}})
            .Build());
    EXPECT_EQ(rows[1], "Mshome");
    EXPECT_EQ(rows[4], "No");
    EXPECT_EQ(rows[5], "Yes");
}

TEST(UserSection, TranslatedYesAndNo) {
    Snapshot m = Account({{"PasswordChangeable", true}, {"PasswordExpires", false}}).Build();
    EXPECT_EQ(UserRows(m, "Spanish")[4], "S\xC3\xAD");
    EXPECT_EQ(UserRows(m, "Dutch")[4], "Ja");
    EXPECT_EQ(UserRows(m, "Dutch")[5], "Nee");
}

TEST(UserSection, NegativeBadPasswordCountIsUnknown) {
    MachineBuilder m = Account({});
    m.Instance("Win32_NetworkLoginProfile", {{"BadPasswordCount", -1}});
    EXPECT_EQ(UserRows(m.Build())[6], "Unknown");
}

TEST(LastLogonText, ShowsTheTimeOfDayOrUnknown) {
    TestApp en(MachineBuilder().Build(), "English"), nl(MachineBuilder().Build(), "Dutch");
    EXPECT_EQ(LastLogonText("20110304091533.000000-180", *en), "09:15:33 hs.");
    EXPECT_EQ(LastLogonText("20110304091533.000000-180", *nl), "09:15:33");
    EXPECT_EQ(LastLogonText("20110304000000.000000-180", *en), "Unknown");
    EXPECT_EQ(LastLogonText("20110304000000.000000-180", *nl), nl->T(53));
    EXPECT_EQ(LastLogonText("", *en), "Unknown");
}

TEST(LogonCountText, GroupsFourToSixDigitsAndNamesTimes) {
    TestApp en(MachineBuilder().Build(), "English");
    struct {
        const char *count, *expected;
    } cases[] = {{"1", "1 time."},
                 {"57", "57 times."},
                 {"1234", "1.234 times."},
                 {"123456", "123.456 times."},
                 {"1234567", "1234567 times."},
                 {"0", "Unknown"},
                 {"-4", "Unknown"},
                 {"", "Unknown"}};
    for (auto& c : cases)
        EXPECT_EQ(LogonCountText(c.count, *en), c.expected) << c.count;
}

TEST(LogonCountText, TranslatedTimes) {
    TestApp es(MachineBuilder().Build(), "Spanish"), nl(MachineBuilder().Build(), "Dutch");
    EXPECT_EQ(LogonCountText("1", *es), "1 vez.");
    EXPECT_EQ(LogonCountText("57", *es), "57 veces.");
    EXPECT_EQ(LogonCountText("1", *nl), "1 keer.");
    EXPECT_EQ(LogonCountText("57", *nl), "57 keer.");
}

TEST(UserSection, UsageTimeInDutchHasNoUnit) {
    Snapshot m = MachineBuilder().TickCount(93784000).Build();
    EXPECT_EQ(UserRows(m, "English")[8], "01:02:03:04 hs.");
    EXPECT_EQ(UserRows(m, "Dutch")[8], "01:02:03:04");
}

TEST(UserSection, FailingBindOrFirstWalkLeavesThePreviousRows) {
    for (bool failBind : {true, false}) {
        FaultyApp t(FixtureMachine());
        MenuClick(*t, 3);
        std::vector<std::string> before = RowValues(*t, 12);
        t->main.timer3Enabled = false;
        if (failBind)
            t.faulty.failConnect = true;
        else
            t.faulty.failingClasses = {"Win32_UserAccount"};
        MenuClick(*t, 2);
        EXPECT_EQ(RowValues(*t, 12), before) << failBind;
        EXPECT_EQ(t->area.titulo, "Computer");
        EXPECT_FALSE(t->main.lastError.empty());
        EXPECT_FALSE(t->main.timer3Enabled);
    }
}

TEST(UserSection, FailingProfileWalkAfterTheFirstWalkIsSkipped) {
    FaultyApp t(FixtureMachine());
    t.faulty.failingClasses = {"Win32_NetworkLoginProfile"};
    MenuClick(*t, 2);
    EXPECT_EQ(t->main.lastError, "");
    std::vector<std::string> rows = RowValues(*t, 10);
    EXPECT_EQ(rows[1], "Mshome");
    for (int i : {3, 6, 7, 9})
        EXPECT_EQ(rows[i], "Unknown") << i;
}
