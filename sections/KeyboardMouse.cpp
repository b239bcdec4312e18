#include "KeyboardMouse.h"

#include "PlatformReads.h"
#include "Rows.h"
#include "Sections.h"
#include "core/Navigation.h"
#include "sections/ReportContext.h"

namespace hl {

namespace {

// The keyboard's rows make the report's first section, the mouse's its second.
constexpr TableRow kRows[] = {
    {.key = "keyboard_name", .caption = 127, .report = InReport::First},
    {.key = "keyboard_description", .caption = 137, .report = InReport::First},
    {.key = "function_keys", .caption = 143, .report = InReport::First},
    {.kind = RowKind::Blank},
    {.key = "mouse_name", .caption = 144, .report = InReport::Second},
    {.key = "mouse_manufacturer", .caption = 56, .report = InReport::Second},
    {.key = "mouse_buttons", .caption = 145, .report = InReport::Second},
    {.key = "mouse_connection", .caption = 121, .report = InReport::Second},
    {.key = "mouse_handedness", .caption = 152, .report = InReport::Second},
};

// Hands the first instance of `cls` to `read`; further instances are not looked at.
template <class Read>
void WalkFirst(WmiService& service, const char* cls, Statements& guard, Read read) {
    std::vector<WmiObject> instances;
    guard.Run([&] { instances = service.InstancesOf(cls); });
    if (instances.empty()) return;
    guard.StartSkipping();
    read(instances.front());
}

void ReadKeyboard(WmiService& service, KeyboardFacts& k, Statements& guard) {
    WalkFirst(service, "Win32_Keyboard", guard, [&](const WmiObject& kb) {
        guard.Run([&] { ReadTrimmed(k.name, kb, "Name"); });
        guard.Run([&] { ReadTrimmed(k.description, kb, "Description"); });
        guard.Run([&] { ReadTrimmed(k.functionKeys, kb, "NumberOfFunctionKeys"); });
    });
}

void ReadMouse(DataSource& source, WmiService& service, MouseFacts& m, Statements& guard) {
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

RowValues KeyboardMouseValues(const App& app, const KeyboardFacts& k, const MouseFacts& m) {
    std::string connection =
        CodeText(m.deviceInterface,
                 {{1, app.T(94)}, {3, app.T(146)}, {4, "PS/2"}, {5, app.T(147)}, {162, "USB"}});
    std::string use = CodeText(m.handedness, {{1, app.T(153)}, {2, app.T(154)}, {3, app.T(155)}});
    std::string buttons = m.buttonCount > 0 ? std::to_string(m.buttonCount) : "";
    return {k.name,
            k.description,
            {k.functionKeys, IntData(k.functionKeys)},
            m.name,
            m.manufacturer,
            {buttons, m.buttonCount > 0 ? Data(m.buttonCount) : Data()},
            {connection, IntData(m.deviceInterface)},
            {use, IntData(m.handedness)}};
}

void WritePart(ReportContext& ctx, const KeyboardFacts& k, const MouseFacts& m, InReport part) {
    ReportRows(ctx.writer, ctx.app, kKeyboardMouseRows, KeyboardMouseValues(ctx.app, k, m), part,
               RowEnd::LastBr);
    ctx.writer.SectionEnd();
}

} // namespace

const SectionRows kKeyboardMouseRows{"input", kRows};

void Keyboard_mouse(App& app) {
    OpenSection(app, Section::KeyboardMouse);
    KeyboardFacts& k = Kept(app).keyboard;
    MouseFacts& m = Kept(app).mouse;
    k = {};
    m = {};
    Statements guard;
    app.main.service = app.source->ConnectWmi();
    ReadKeyboard(*app.main.service, k, guard);
    ReadMouse(*app.source, *app.main.service, m, guard);

    app.area.titulo = app.T(19);
    ShowRows(app, kKeyboardMouseRows, KeyboardMouseValues(app, k, m));
    app.area.Row(1).captionColour = kDarkGrey;
    app.area.Row(8).captionColour = kDarkGrey;
    ShowImageLine(app, 8, 9);
    FinishSection(app, Section::KeyboardMouse);
}

void InformeKeyboard(ReportContext& ctx) {
    KeyboardFacts k = OpenReportSection<KeyboardFacts>(
        ctx, ctx.app.T(205), [](DataSource& source, KeyboardFacts& f, auto& service) {
            Statements guard;
            ReadKeyboard(BoundOrNew(source, service), f, guard);
        });
    WritePart(ctx, k, {}, InReport::First);
}

void InformeMouse(ReportContext& ctx) {
    MouseFacts m = OpenReportSection<MouseFacts>(
        ctx, ctx.app.table.MouseWord(), [](DataSource& source, MouseFacts& f, auto& service) {
            Statements guard;
            ReadMouse(source, BoundOrNew(source, service), f, guard);
        });
    WritePart(ctx, {}, m, InReport::Second);
}

} // namespace hl
