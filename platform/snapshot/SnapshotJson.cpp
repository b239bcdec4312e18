#include "Snapshot.h"

#include <nlohmann/json.hpp>

namespace hl {

using nlohmann::json;

namespace {

json FromVariant(const Variant& v) {
    switch (v.kind()) {
    case Variant::Kind::Boolean: return v.ToBool();
    case Variant::Kind::Integer: return v.ToInt64();
    case Variant::Kind::Double: return v.ToDouble();
    case Variant::Kind::Text: return v.Text();
    default: return nullptr;
    }
}

std::string ToHex(const std::vector<uint8_t>& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i && i % 4 == 0) out += ' ';
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

} // namespace

std::string SnapshotToJson(const Snapshot& s) {
    json doc = json::object();
    doc["format"] = kSnapshotFormat;
    doc["source"] = s.source;
    json wmi = json::object();
    for (const auto& [cls, objects] : s.wmi) {
        json arr = json::array();
        for (const WmiObject& obj : objects) {
            json o = json::object();
            for (const auto& [prop, value] : obj.Properties())
                o[prop] = FromVariant(value);
            arr.push_back(std::move(o));
        }
        wmi[cls] = std::move(arr);
    }
    doc["wmi"] = std::move(wmi);
    json reg = json::object();
    for (const auto& [path, v] : s.registry)
        reg[path] = FromVariant(v);
    doc["registry"] = std::move(reg);
    json bin = json::object();
    for (const auto& [path, bytes] : s.binary)
        bin[path] = ToHex(bytes);
    doc["binary"] = std::move(bin);
    json env = json::object();
    for (const auto& [var, v] : s.environment)
        env[var] = v;
    doc["environment"] = std::move(env);
    doc["tickCount"] = s.tickCount;
    doc["mouseButtons"] = s.mouseButtons;
    if (s.regional)
        doc["regional"] = {{"decimalSeparator", s.regional->decimalSeparator},
                           {"shortDate", s.regional->shortDate},
                           {"am", s.regional->am},
                           {"pm", s.regional->pm}};
    // Invalid UTF-8 from a device name must not abort the capture.
    return doc.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

} // namespace hl
