#include "OtherHardware.h"

#include "PlatformReads.h"
#include "Rows.h"
#include "Sections.h"
#include "core/Navigation.h"
#include "sections/ReportContext.h"

namespace hl {

namespace {

// Both manufacturer rows carry entry 56: the first is the board's, the second the sound
// device's.
constexpr TableRow kRows[] = {
    {.key = "motherboard_name", .caption = 162, .report = InReport::First},
    {.key = "motherboard_manufacturer", .caption = 56, .report = InReport::First},
    {.key = "motherboard_model", .caption = 116, .report = InReport::First},
    {.kind = RowKind::Blank},
    {.key = "sound_card_name", .caption = 163, .report = InReport::First},
    {.key = "sound_card_manufacturer", .caption = 56, .report = InReport::First},
};

// Reads the motherboard's full name (left in the registry by an installer, never written by the
// program), the first board and the first sound device; every statement is guarded, so a
// missing value stays empty.
void GatherOtherHardware(DataSource& source, std::shared_ptr<WmiService>& service,
                         OtherHardwareFacts& v) {
    Skip([&] { v.boardFullName = source.RegRead(kMainboardFullPath).Trimmed(); });
    Skip([&] { service = source.ConnectWmi(); });
    std::vector<WmiObject> boards = EnumerateGuarded(service, "Win32_BaseBoard");
    if (!boards.empty()) {
        Skip([&] { ReadTrimmed(v.boardManufacturer, boards.front(), "Manufacturer"); });
        Skip([&] { ReadTrimmed(v.boardModel, boards.front(), "Product"); });
    }
    std::vector<WmiObject> sound = EnumerateGuarded(service, "Win32_SoundDevice");
    if (!sound.empty()) {
        Skip([&] { ReadTrimmed(v.soundName, sound.front(), "Name"); });
        Skip([&] { ReadTrimmed(v.soundManufacturer, sound.front(), "Manufacturer"); });
    }
}

RowValues OtherHardwareValues(const OtherHardwareFacts& v) {
    return {v.boardFullName, v.boardManufacturer, v.boardModel, v.soundName, v.soundManufacturer};
}

} // namespace

const SectionRows kOtherHardwareRows{"other", kRows};

void Otros_hardware(App& app) {
    OpenSection(app, Section::OtherHardware);
    OtherHardwareFacts& v = Kept(app).other;
    v = {};
    GatherOtherHardware(*app.source, app.main.service, v);

    app.area.titulo = app.T(22);
    app.area.Row(1).captionColour = kDarkGrey;
    ShowRows(app, kOtherHardwareRows, OtherHardwareValues(v));
    ShowImageLine(app, 7, 10);
    FinishSection(app, Section::OtherHardware);
}

void InformeOtros_hardware(ReportContext& ctx) {
    const App& app = ctx.app;
    ctx.writer.Heading(app.T(22));
    OtherHardwareFacts v;
    GatherOtherHardware(*app.source, ctx.service, v);
    ReportRows(ctx.writer, app, kOtherHardwareRows, OtherHardwareValues(v), InReport::First,
               RowEnd::LastBrCrlf);
    ctx.writer.SectionEnd();
}

} // namespace hl
