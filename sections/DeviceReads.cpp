#include "DeviceReads.h"

#include "core/PlainText.h"
#include "core/SizeFormats.h"
#include "core/Skip.h"
#include "sections/PeripheralTexts.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace hl {

namespace {

Variant Read(const WmiObject& object, const char* property) {
    Variant value = Variant::Null();
    Skip([&] { value = object.Get(property); });
    return value;
}

bool IsHex(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
        return std::isxdigit(static_cast<unsigned char>(c));
    });
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The four hex digits after `key` (the last four of a longer run: Bluetooth writes
// "VID&0002046D"), "" when none follow.
std::string HexAfter(const std::string& id, const std::string& key) {
    size_t at = id.find(key);
    if (at == std::string::npos) return {};
    size_t start = at + key.size();
    size_t end = start;
    while (end < id.size() && std::isxdigit(static_cast<unsigned char>(id[end])))
        ++end;
    if (end - start < 4 || !IsHex(std::string_view(id).substr(end - 4, 4))) return {};
    return Lower(id.substr(end - 4, 4));
}

} // namespace

std::string PropText(const WmiObject& object, const char* property) {
    Variant value = Read(object, property);
    std::string text;
    Skip([&] { text = value.IsNull() ? std::string() : value.Trimmed(); });
    return PlainText(text);
}

std::optional<uint64_t> PropBytes(const WmiObject& object, const char* property) {
    Variant value = Read(object, property);
    if (value.IsNull() || value.IsEmpty()) return std::nullopt;
    if (!value.IsText()) {
        std::optional<int64_t> n;
        Skip([&] { n = value.ToInt64(); });
        return n && *n >= 0 ? std::optional<uint64_t>(static_cast<uint64_t>(*n)) : std::nullopt;
    }
    std::string text = value.Trimmed();
    uint64_t bytes = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), bytes);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return bytes;
}

std::optional<int64_t> PropInt(const WmiObject& object, const char* property) {
    Variant value = Read(object, property);
    std::optional<int64_t> n;
    if (!value.IsNull() && value.IsNumeric()) Skip([&] { n = value.ToInt64(); });
    return n;
}

std::optional<double> PropNumber(const WmiObject& object, const char* property) {
    Variant value = Read(object, property);
    std::optional<double> n;
    if (!value.IsNull() && value.IsNumeric()) Skip([&] { n = value.ToDouble(); });
    return n && std::isfinite(*n) ? n : std::nullopt;
}

std::optional<bool> PropBool(const WmiObject& object, const char* property) {
    Variant value = Read(object, property);
    std::optional<bool> flag;
    if (!value.IsNull() && !value.IsEmpty()) Skip([&] { flag = value.ToBool(); });
    return flag;
}

std::string PnpVendorProduct(const std::string& id) {
    std::string upper = id;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (auto [vendorKey, productKey] :
         {std::pair{"VEN_", "DEV_"}, std::pair{"VID_", "PID_"}, std::pair{"VID&", "PID&"}}) {
        std::string vendor = HexAfter(upper, vendorKey);
        std::string product = HexAfter(upper, productKey);
        if (!vendor.empty() && !product.empty()) return vendor + ":" + product;
    }
    return {};
}

std::string PnpBus(const std::string& id) {
    std::string head = id.substr(0, id.find('\\'));
    for (char& c : head)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    // Windows enumerates Bluetooth HID devices under HID with the HID service's UUID.
    if (head == "BTHENUM" || head == "BTHLE" || head == "BTHLEDEVICE" ||
        id.find("{00001124-0000-1000-8000-00805F9B34FB}") != std::string::npos ||
        id.find("{00001124-0000-1000-8000-00805f9b34fb}") != std::string::npos)
        return "Bluetooth";
    if (head == "PCI") return "PCI";
    if (head == "USB" || head == "USBSTOR" || head == "HID") return "USB";
    if (head == "HDAUDIO") return "HD Audio";
    if (head == "ACPI") return "PS/2";
    return {};
}

RowValue TextField(std::string text) {
    return RowValue(std::move(text));
}

RowValue BytesField(std::optional<uint64_t> bytes, const std::string& decimalSeparator) {
    if (!bytes) return RowValue("", Data());
    std::string shown;
    Skip([&] { shown = FormatSize(std::to_string(*bytes), decimalSeparator); });
    return RowValue(shown, Data(*bytes));
}

RowValue YesNoField(std::optional<bool> flag, const App& app) {
    if (!flag) return RowValue("", Data());
    return RowValue(app.T(*flag ? kTxtYes : kTxtNo), Data(*flag));
}

RowValue NumberField(std::optional<double> value, int decimals, const char* unit,
                     const std::string& decimalSeparator) {
    if (!value) return RowValue("", Data());
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, *value);
    std::string shown = text;
    if (size_t dot = shown.find('.'); dot != std::string::npos)
        shown.replace(dot, 1, decimalSeparator);
    return RowValue(shown + " " + unit, Data(*value));
}

std::string LastPathPart(const std::string& path) {
    size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

} // namespace hl
