#include "DeviceValues.h"

#include "PlatformReads.h"
#include "WmiCodeTexts.h"
#include "core/BoardTexts.h"
#include "core/PlatformError.h"

namespace hl {

std::vector<WmiObject> DeviceReader::Of(const char* cls) {
    try {
        return BoundOrNew(*app_.source, service_).InstancesOf(cls);
    } catch (const PlatformError&) {
        return {};
    }
}

const WmiObject* FindBy(const std::vector<WmiObject>& instances, const char* key,
                        const std::string& value) {
    for (const WmiObject& object : instances)
        if (!value.empty() && TextOf(object, key) == value) return &object;
    return nullptr;
}

std::optional<int64_t> IntOf(const WmiObject* object, const char* property) {
    if (!object) return std::nullopt;
    try {
        Variant v = object->Get(property);
        if (v.IsNull() || v.IsEmpty() || !v.IsNumeric()) return std::nullopt;
        return v.ToInt64();
    } catch (const PlatformError&) {
        return std::nullopt;
    }
}

std::optional<bool> BoolOf(const WmiObject* object, const char* property) {
    if (!object) return std::nullopt;
    try {
        Variant v = object->Get(property);
        if (v.IsNull() || v.IsEmpty()) return std::nullopt;
        return v.ToBool();
    } catch (const PlatformError&) {
        return std::nullopt;
    }
}

RowValue TextValue(const std::string& text) {
    return RowValue(text);
}

RowValue NumberValue(std::optional<int64_t> number, const std::string& unit) {
    if (!number) return {"", Data()};
    return {std::to_string(*number) + (unit.empty() ? "" : " " + unit), *number};
}

RowValue YesNoValue(const App& app, std::optional<bool> flag) {
    if (!flag) return {"", Data()};
    return {app.T(*flag ? kTxtYes : kTxtNo), *flag};
}

RowValue CacheValue(const App& app, std::optional<int64_t> kilobytes) {
    if (!kilobytes || *kilobytes <= 0 || *kilobytes > (int64_t{1} << 40)) return {"", Data()};
    return {CacheSizeText(std::to_string(*kilobytes), app.table), *kilobytes * 1024};
}

RowValue ModeValue(std::optional<int64_t> width, std::optional<int64_t> height,
                   std::optional<int64_t> hertz) {
    if (!width || !height) return {"", Data()};
    std::string text = std::to_string(*width) + " x " + std::to_string(*height);
    if (hertz) text += ", " + std::to_string(*hertz) + " Hz";
    return {
        text,
        {{"width", *width}, {"height", *height}, {"refresh_hz", hertz ? Data(*hertz) : Data()}}};
}

} // namespace hl
