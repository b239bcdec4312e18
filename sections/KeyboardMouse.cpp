#include "Members.h"
#include "SectionHelpers.h"
#include "Sections.h"
#include "core/Navigation.h"
#include "report/ReportChain.h"

namespace hl {

namespace {

// Hands the first instance of `cls` to `read`; further instances are not looked at.
template <class Read>
void WalkFirst(WmiService& service, const char* cls, Statements& guard, Read read) {
    std::vector<WmiObject> instances;
    guard.Run([&] { instances = service.InstancesOf(cls); });
    if (instances.empty()) return;
    guard.StartSkipping();
    read(instances.front());
}

void ReadKeyboard(WmiService& service, KeyboardValues& k, Statements& guard) {
    WalkFirst(service, "Win32_Keyboard", guard, [&](const WmiObject& kb) {
        guard.Run([&] { ReadTrimmed(k.name, kb, "Name"); });
        guard.Run([&] { ReadTrimmed(k.description, kb, "Description"); });
        guard.Run([&] { ReadTrimmed(k.functionKeys, kb, "NumberOfFunctionKeys"); });
    });
}

void ReadMouse(DataSource& source, WmiService& service, MouseValues& m, Statements& guard) {
    WalkFirst(service, "Win32_PointingDevice", guard, [&](const WmiObject& mouse) {
        guard.Run([&] { ReadTrimmed(m.name, mouse, "Name"); });
        guard.Run([&] { ReadTrimmed(m.manufacturer, mouse, "Manufacturer"); });
        guard.Run([&] { ReadTrimmed(m.deviceInterface, mouse, "DeviceInterface"); });
        guard.Run([&] { ReadTrimmed(m.handedness, mouse, "Handedness"); });
    });
    // The window system's count, whatever WMI says about the device.
    guard.Run([&] { m.buttonCount = source.GetSystemMetrics(kSmCMouseButtons); });
}

// The text of a numeric code from a table of (code, text); unknown or empty codes give "".
std::string CodeText(const std::string& code,
                     std::initializer_list<std::pair<int, std::string>> table) {
    double d = 0;
    if (!ParseNumber(code, d)) return {};
    for (const auto& [value, text] : table)
        if (d == value) return text;
    return {};
}

std::vector<std::pair<int, std::string>> KeyboardRows(const KeyboardValues& k) {
    return {{127, k.name}, {137, k.description}, {143, k.functionKeys}};
}

std::vector<std::pair<int, std::string>> MouseRows(const App& app, const MouseValues& m) {
    std::string connection =
        CodeText(m.deviceInterface,
                 {{1, app.T(94)}, {3, app.T(146)}, {4, "PS/2"}, {5, app.T(147)}, {162, "USB"}});
    std::string use = CodeText(m.handedness, {{1, app.T(153)}, {2, app.T(154)}, {3, app.T(155)}});
    std::string buttons = m.buttonCount > 0 ? std::to_string(m.buttonCount) : "";
    return {{144, m.name}, {56, m.manufacturer}, {145, buttons}, {121, connection}, {152, use}};
}

void WriteRows(App& app, int firstRow, const std::vector<std::pair<int, std::string>>& rows) {
    int r = firstRow;
    for (const auto& [entry, value] : rows)
        WriteRow(app, r++, Caption(app, entry), OrUnknown(app, value));
}

void WriteLines(ReportContext& ctx, const std::vector<std::pair<int, std::string>>& rows) {
    std::vector<ReportLine> lines;
    for (const auto& [entry, value] : rows)
        lines.push_back({ctx.app.T(entry), value});
    WriteReportLines(ctx.writer, lines, RowEnd::LastBr);
    ctx.writer.SectionEnd();
}

// The service an earlier builder bound, or a fresh one when that binding failed.
WmiService& ReportService(ReportContext& ctx) {
    if (!ctx.service) ctx.service = ctx.app.source->ConnectWmi();
    return *ctx.service;
}

} // namespace

void Keyboard_mouse(App& app) {
    if (app.main.currentSection != 10) app.area.imageLineVisible = false;
    EnterSection(app, 10);
    app.area.iavisoVisible = app.area.lavisoVisible = false;
    KeyboardValues& k = Kept(app).s8to13.keyboard;
    MouseValues& m = Kept(app).s8to13.mouse;
    k = {};
    m = {};
    Statements guard;
    app.main.service = app.source->ConnectWmi();
    ReadKeyboard(*app.main.service, k, guard);
    ReadMouse(*app.source, *app.main.service, m, guard);

    app.area.titulo = app.T(19);
    WriteRows(app, 1, KeyboardRows(k));
    WriteRows(app, 5, MouseRows(app, m));
    app.area.Row(1).captionColour = kDarkGrey;
    app.area.Row(8).captionColour = kDarkGrey;
    WriteRow(app, 4, "", "");
    ShowImageLine(app, 8, 9);
    ClearLabels(app, 19, 24);
    FinishSection(app, 10);
}

// A failed binding or walk ends the gathering only: each section is still written whole.
void InformeKeyboard(ReportContext& ctx) {
    KeyboardValues k;
    Skip([&] {
        Statements guard;
        ReadKeyboard(ReportService(ctx), k, guard);
    });
    ctx.writer.Heading(ctx.app.T(205));
    WriteLines(ctx, KeyboardRows(k));
}

void InformeMouse(ReportContext& ctx) {
    MouseValues m;
    Skip([&] {
        Statements guard;
        ReadMouse(*ctx.app.source, ReportService(ctx), m, guard);
    });
    ctx.writer.Heading(ctx.app.table.MouseWord());
    WriteLines(ctx, MouseRows(ctx.app, m));
}

} // namespace hl
