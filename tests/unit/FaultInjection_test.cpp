// Breaks every platform call and every property read, one at a time, under every collector,
// every live-monitor tick and a whole report on the rich recorded desktop, and checks that
// the program degrades the way it promises: nothing escapes, rows show their value, "Unknown"
// or what they showed before, and the report documents stay well formed.

#include "ReportClock.h"
#include "SectionTestSupport.h"
#include "core/TextsSections.h"
#include "sections/Sections.h"

#include <algorithm>
#include <array>
#include <functional>
#include <gtest/gtest.h>

using namespace hl;
using namespace hl::test;

namespace {

const Snapshot& Rich() {
    static const Snapshot s = LoadSnapshotFile(DataPath("machines/rich.json"));
    return s;
}

using Rows = std::array<std::string, 12>;

Rows Values(const App& app) {
    Rows rows;
    for (int r = 1; r <= 12; ++r)
        rows[r - 1] = app.area.Row(r).value;
    return rows;
}

enum class Fault { Fail, Null };

struct Scenario {
    std::string name;
    std::function<void(App&)> prepare; // runs without faults
    std::function<void(App&)> target;  // runs with the fault armed
};

// What one run with one fault left behind.
struct Outcome {
    Rows before, after;
    std::string lastError, labelmi, escaped, fault;
    int64_t calls = 0, reads = 0, injected = 0;
};

Outcome RunOnce(const Scenario& s, Fault kind, int64_t k) {
    FaultyApp t(Rich());
    s.prepare(*t);
    Outcome o;
    o.before = Values(*t);
    t.faulty.ResetCounts();
    (kind == Fault::Fail ? t.faulty.FailCall(k) : t.faulty.NullRead(k));
    try {
        s.target(*t);
    } catch (const std::exception& e) {
        o.escaped = e.what();
    } catch (...) {
        o.escaped = "an exception of unknown type";
    }
    o.after = Values(*t);
    o.lastError = t->main.lastError;
    o.labelmi = t->area.labelmi;
    o.fault = t.faulty.LastFault();
    o.calls = t.faulty.Calls();
    o.reads = t.faulty.PropertyReads();
    o.injected = t.faulty.Injected();
    return o;
}

Scenario Click(int n, int between) {
    std::string name = "section " + std::to_string(n) +
                       (between ? " after section " + std::to_string(between) : " again");
    return {name,
            [n, between](App& app) {
                MenuClick(app, n);
                if (between) MenuClick(app, between);
            },
            [n](App& app) { MenuClick(app, n); }};
}

std::vector<Scenario> Collectors() {
    std::vector<Scenario> all;
    for (int n = 1; n <= 16; ++n) {
        all.push_back(Click(n, 0));
        all.push_back(Click(n, n == 1 ? 8 : 1));
    }
    return all;
}

// Rows whose value joins several reads (lists of disks, sums of modules, a version with its
// build, a rate range, the core count over eight registry values): one broken read
// legitimately leaves a value that is neither the whole nor "Unknown".
bool JoinsSeveralReads(const std::string& scenario, int row) {
    auto in = [&](const std::string& name) { return scenario.rfind(name + " ", 0) == 0; };
    if (in("section 1") || in("section 6") || in("Timer2")) return true; // totals
    if (in("section 4")) return row == 2 || row == 3;
    if (in("section 5")) return row == 2 || row == 5;
    if (in("section 7")) return row <= 9; // one item per disk
    if (in("section 9")) return row == 4;
    if (in("section 11")) return row <= 7; // one item per removable drive
    return false;
}

// Collectors that skip failing statements from their first platform call on: nothing may end
// them early.
bool SkipsFromTheStart(const std::string& scenario) {
    for (const char* name : {"section 1 ", "section 5 ", "section 11 ", "section 12 "})
        if (scenario.rfind(name, 0) == 0) return true;
    return false;
}

std::string Where(const Scenario& s, Fault kind, int64_t k, const Outcome& o) {
    return s.name + ", " + (kind == Fault::Fail ? "failed" : "null") + " call " +
           std::to_string(k) + " (" + o.fault + ")";
}

// Row-by-row judgement of one faulty run against the run without faults.
void CheckRows(const Scenario& s, Fault kind, int64_t k, const Outcome& o, const Rows& normal) {
    const std::string where = Where(s, kind, k, o);
    EXPECT_FALSE(SkipsFromTheStart(s.name) && !o.lastError.empty()) << where << ": " << o.lastError;
    // A tick that fails before it writes leaves the stopping to its caller (the timer).
    if (!o.lastError.empty() || !o.escaped.empty()) {
        // Stopped before statement skipping: the rows show what they showed.
        EXPECT_EQ(o.after, o.before) << where;
        if (o.escaped.empty()) EXPECT_EQ(o.labelmi, "Error!") << where;
        return;
    }
    for (int r = 1; r <= 12; ++r) {
        const std::string& v = o.after[r - 1];
        bool expected = v == normal[r - 1] || v == "Unknown" || v == o.before[r - 1] ||
                        JoinsSeveralReads(s.name, r);
        EXPECT_TRUE(expected) << where << ": row " << r << " shows \"" << v << "\", normally \""
                              << normal[r - 1] << "\"";
    }
}

size_t Count(const std::string& text, const std::string& piece) {
    size_t n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++n;
    return n;
}

bool StartsWith(const std::string& s, const std::string& p) {
    return s.rfind(p, 0) == 0;
}
bool EndsWith(const std::string& s, const std::string& p) {
    return s.size() >= p.size() && s.compare(s.size() - p.size(), p.size(), p) == 0;
}

void CheckWellFormed(const App& app, const ReportDocuments& d, const std::string& where) {
    const std::string& text = d.text;
    EXPECT_TRUE(StartsWith(text, "\r\n \xC2\xB7 ")) << where;
    EXPECT_TRUE(EndsWith(text, " \xC2\xB7 " + app.T(206) + "\r\n")) << where;
    const std::vector<std::string> titles = {app.T(11),
                                             app.T(12),
                                             app.T(13),
                                             app.T(14),
                                             app.T(15),
                                             app.T(16),
                                             app.T(17),
                                             app.T(18),
                                             app.T(204),
                                             app.T(205),
                                             app.table.MouseWord(),
                                             app.T(22),
                                             app.T(kTxtSensors),
                                             app.T(kTxtBattery),
                                             app.T(kTxtNetwork)};
    size_t at = 0;
    for (const std::string& title : titles) {
        at = text.find("\r\n " + title + "\r\n------------------\r\n", at);
        ASSERT_NE(at, std::string::npos) << where << ": heading " << title;
        ++at;
    }
    EXPECT_TRUE(StartsWith(d.html, "<html>\r\n")) << where;
    EXPECT_TRUE(EndsWith(d.html, "</body>\r\n</html>")) << where;
    EXPECT_EQ(Count(d.html, "<ul>"), 15u) << where;
    EXPECT_EQ(Count(d.html, "</ul>"), 15u) << where;
}

// Runs the scenario once per call (or property read), breaking that one. Only a tick may let
// a PlatformError out: its timer catches it and stops.
int64_t Sweep(const Scenario& s, Fault kind,
              const std::function<void(int64_t, const Outcome&)>& check) {
    const bool tick = s.name.rfind("Timer", 0) == 0;
    Outcome clean = RunOnce(s, kind, 0);
    EXPECT_EQ(clean.escaped, "") << s.name;
    const int64_t total = kind == Fault::Fail ? clean.calls : clean.reads;
    for (int64_t k = 1; k <= total; ++k) {
        Outcome o = RunOnce(s, kind, k);
        EXPECT_EQ(o.injected, 1) << Where(s, kind, k, o);
        if (!tick || o.escaped.rfind("injected failure", 0) != 0)
            EXPECT_EQ(o.escaped, "") << Where(s, kind, k, o);
        check(k, o);
    }
    return total;
}

} // namespace

TEST(FaultInjection, EveryCollectorSurvivesEveryBrokenCall) {
    int64_t injected = 0;
    for (const Scenario& s : Collectors()) {
        for (Fault kind : {Fault::Fail, Fault::Null}) {
            const Outcome clean = RunOnce(s, kind, 0);
            // Only the Processor and CD/DVD redraw a shown section without asking the platform.
            const bool redraw = s.name == "section 5 again" || s.name == "section 12 again";
            EXPECT_EQ(clean.calls == 0, redraw) << s.name;
            injected += Sweep(s, kind, [&](int64_t k, const Outcome& o) {
                CheckRows(s, kind, k, o, clean.after);
            });
        }
    }
    std::cout << "collectors: " << injected << " injected faults\n";
}

TEST(FaultInjection, LiveMonitorTicksSurviveEveryBrokenCall) {
    const Scenario ticks[] = {
        {"Timer1 tick", [](App& a) { MenuClick(a, 4); }, Timer1_Timer},
        {"Timer2 tick", [](App& a) { MenuClick(a, 6); }, Timer2_Timer},
        {"Timer3 tick", [](App& a) { MenuClick(a, 2); }, Timer3_Timer},
    };
    int64_t injected = 0;
    for (const Scenario& s : ticks) {
        for (Fault kind : {Fault::Fail, Fault::Null}) {
            const Rows normal = RunOnce(s, kind, 0).after;
            injected += Sweep(
                s, kind, [&](int64_t k, const Outcome& o) { CheckRows(s, kind, k, o, normal); });
        }
    }
    std::cout << "live monitors: " << injected << " injected faults\n";
}

TEST(FaultInjection, TheReportStaysWellFormedWhateverBreaks) {
    ReportDocuments last;
    const Scenario report = {"report", [](App&) {},
                             [&](App& a) {
                                 last = {};
                                 last = BuildReport(a, ReportTime);
                             }};
    int64_t injected = 0;
    for (Fault kind : {Fault::Fail, Fault::Null}) {
        injected += Sweep(report, kind, [&](int64_t k, const Outcome& o) {
            FaultyApp t(Rich());
            CheckWellFormed(*t, last, Where(report, kind, k, o));
        });
    }
    std::cout << "report: " << injected << " injected faults\n";
}

// A few faults whose outcome is known exactly.
Outcome FirstFaultAt(const Scenario& s, Fault kind, const std::string& what) {
    for (int64_t k = 1;; ++k) {
        Outcome o = RunOnce(s, kind, k);
        if (o.injected == 0 || o.fault == what) return o;
    }
}

TEST(FaultInjection, ABindingBeforeSkippingLeavesThePreviousSectionShown) {
    for (int n : {2, 3, 4, 6, 7, 8, 9, 10}) {
        Scenario s = Click(n, 1);
        Outcome o = FirstFaultAt(s, Fault::Fail, "ConnectWmi");
        ASSERT_EQ(o.injected, 1) << s.name;
        Outcome summary = RunOnce(Click(1, 0), Fault::Fail, 0);
        EXPECT_EQ(o.after, summary.after) << s.name;
        EXPECT_NE(o.lastError, "") << s.name;
        EXPECT_EQ(o.labelmi, "Error!") << s.name;
    }
}

TEST(FaultInjection, ABrokenReadAfterSkippingShowsUnknownInItsRowOnly) {
    const struct {
        int section;
        std::string property;
        int row;
    } cases[] = {{8, "Manufacturer", 2},
                 {8, "SerialNumber", 5},
                 {3, "Model", 2},
                 {5, "SocketDesignation", 6}};
    for (const auto& c : cases) {
        for (Fault kind : {Fault::Fail, Fault::Null}) {
            Scenario s = Click(c.section, 1);
            const Rows normal = RunOnce(s, kind, 0).after;
            Outcome o = FirstFaultAt(
                s, kind, "property " + c.property + (kind == Fault::Null ? " (Null)" : ""));
            ASSERT_EQ(o.injected, 1) << s.name << " " << c.property;
            EXPECT_EQ(o.lastError, "") << c.property;
            for (int r = 1; r <= 12; ++r)
                EXPECT_EQ(o.after[r - 1], r == c.row ? "Unknown" : normal[r - 1])
                    << s.name << " " << c.property << " row " << r;
        }
    }
}

TEST(FaultInjection, TheProcessorSkipsAFailedBinding) {
    // Shown first, so that no earlier binding is left to enumerate on.
    Scenario s = {"section 5 first", [](App&) {}, [](App& a) { MenuClick(a, 5); }};
    Outcome o = FirstFaultAt(s, Fault::Fail, "ConnectWmi");
    ASSERT_EQ(o.injected, 1);
    EXPECT_EQ(o.lastError, "");
    for (int r : {1, 3, 4, 6})
        EXPECT_EQ(o.after[r - 1], "Unknown") << r;
}
