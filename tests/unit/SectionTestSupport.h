#pragma once

#include "FaultInjectingSource.h"
#include "TestSupport.h"
#include "core/Navigation.h"
#include "report/ReportChain.h"
#include "sections/ReportContext.h"

#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace hl::test {

// A TestApp whose platform can be made to fail.
struct FaultyApp {
    explicit FaultyApp(Snapshot snapshot, const std::string& language = "English",
                       const std::string& skin = "Blue")
        : base(std::move(snapshot), language, skin), faulty(*base.source) {
        base.app->source = &faulty;
    }
    TestApp base;
    FaultInjectingSource faulty;
    App& operator*() { return *base.app; }
    App* operator->() { return base.app.get(); }
};

// The values of rows 1..n.
inline std::vector<std::string> RowValues(const App& app, int n) {
    std::vector<std::string> values;
    for (int r = 1; r <= n; ++r)
        values.push_back(app.area.Row(r).value);
    return values;
}

inline std::vector<std::string> RowCaptions(const App& app, int n) {
    std::vector<std::string> captions;
    for (int r = 1; r <= n; ++r)
        captions.push_back(app.area.Row(r).caption);
    return captions;
}

// One builder's run on a fresh pair of documents (no head, so they hold the section alone).
struct BuilderRun {
    explicit BuilderRun(App& app, const std::string& skin = "Blue")
        : writer(app.table, skin, app.source->RegionalSettings(), [] { return std::tm{}; }),
          ctx{app, writer, nullptr, {}} {}
    ReportWriter writer;
    ReportContext ctx;
};

inline Snapshot FixtureMachine() {
    return LoadSnapshotFile(DataPath("machines/desktop.json"));
}

} // namespace hl::test
