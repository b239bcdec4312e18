#include "Snapshot.h"
#include "core/BoundedFile.h"
#include "core/JsonErrors.h"

#include <cctype>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>

namespace hl {

using nlohmann::json;

namespace {

[[noreturn]] void Refuse(const std::string& name, const std::string& place,
                         const std::string& problem) {
    throw SnapshotError(name + ": " + (place.empty() ? "" : place + ": ") + problem);
}

Variant ToVariant(const json& j, const std::string& name, const std::string& place) {
    switch (j.type()) {
    case json::value_t::null: return Variant::Null();
    case json::value_t::boolean: return Variant(j.get<bool>());
    case json::value_t::number_integer: return Variant(j.get<int64_t>());
    case json::value_t::number_unsigned: {
        uint64_t u = j.get<uint64_t>();
        if (u > static_cast<uint64_t>(INT64_MAX)) return Variant(std::to_string(u));
        return Variant(static_cast<int64_t>(u));
    }
    case json::value_t::number_float: return Variant(j.get<double>());
    case json::value_t::string: return Variant(j.get<std::string>());
    default: Refuse(name, place, "expected a string, number, true, false or null");
    }
}

json FromVariant(const Variant& v) {
    switch (v.kind()) {
    case Variant::Kind::Boolean: return v.ToBool();
    case Variant::Kind::Integer: return v.ToInt64();
    case Variant::Kind::Double: return v.ToDouble();
    case Variant::Kind::Text: return v.Text();
    default: return nullptr;
    }
}

const json& Member(const json& obj, const char* key, json::value_t type, const std::string& name,
                   const char* typeName) {
    const json& j = obj.at(key);
    bool ok = j.type() == type ||
              (type == json::value_t::number_integer && j.type() == json::value_t::number_unsigned);
    if (!ok) Refuse(name, key, std::string("expected ") + typeName);
    return j;
}

std::vector<uint8_t> ParseHex(const std::string& text, const std::string& name,
                              const std::string& place) {
    std::vector<uint8_t> bytes;
    std::string digits;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c))) continue;
        if (!std::isxdigit(static_cast<unsigned char>(c))) Refuse(name, place, "not hexadecimal");
        digits += c;
    }
    if (digits.size() % 2) Refuse(name, place, "odd number of hexadecimal digits");
    for (size_t i = 0; i < digits.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return bytes;
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

// Turns each WMI instance into its WmiObject as soon as the parser has read it, and drops it
// from the document: the parse then holds one instance as JSON at a time, not the whole file
// as a tree several times its size. A fault is kept and raised where the tree is checked, so
// that a syntax error later in the file still comes first.
class InstanceStream {
public:
    explicit InstanceStream(const std::string& name) : name_(name) {}

    struct Class {
        std::vector<WmiObject> objects;
        std::string fault; // the message of the first faulty instance
    };
    std::map<std::string, Class> classes;

    bool operator()(int depth, json::parse_event_t event, json& parsed) {
        using E = json::parse_event_t;
        if (event == E::key && depth == 1) {
            top_ = parsed.get<std::string>();
            inWmi_ = inClass_ = false;
        } else if (depth == 1 && top_ == "wmi" &&
                   (event == E::object_start || event == E::array_start)) {
            inWmi_ = event == E::object_start;
            if (inWmi_) classes.clear(); // a repeated "wmi" replaces the earlier one
        } else if (inWmi_ && event == E::key && depth == 2) {
            cls_ = parsed.get<std::string>();
            classes[cls_] = Class{};
            index_ = 0;
            inClass_ = false;
        } else if (inWmi_ && depth == 2 && event == E::array_start) {
            inClass_ = true;
        } else if (inClass_ && depth == 3 &&
                   (event == E::object_end || event == E::array_end || event == E::value)) {
            Take(event == E::object_end ? &parsed : nullptr);
            return false;
        }
        return true;
    }

private:
    void Take(const json* instance) {
        Class& c = classes[cls_];
        std::string at = "wmi." + cls_ + "[" + std::to_string(index_++) + "]";
        if (!c.fault.empty()) return;
        try {
            if (!instance) Refuse(name_, at, "expected an object");
            std::vector<WmiObject::Property> props;
            for (const auto& [prop, value] : instance->items())
                props.emplace_back(prop, ToVariant(value, name_, at + "." + prop));
            c.objects.emplace_back(props);
        } catch (const SnapshotError& e) {
            c.fault = e.what();
        }
    }

    const std::string& name_;
    std::string top_, cls_;
    size_t index_ = 0;
    bool inWmi_ = false, inClass_ = false;
};

void ParseWmi(const json& wmi, InstanceStream& stream, Snapshot& s, const std::string& name) {
    for (const auto& [cls, instances] : wmi.items()) {
        if (!instances.is_array()) Refuse(name, "wmi." + cls, "expected an array of instances");
        InstanceStream::Class& c = stream.classes[cls];
        if (!c.fault.empty()) throw SnapshotError(c.fault);
        s.wmi.emplace_back(cls, std::move(c.objects));
    }
}

Regional ParseRegional(const json& j, const std::string& name) {
    if (!j.is_object()) Refuse(name, "regional", "expected an object");
    Regional r;
    auto take = [&](const char* key, std::string& field) {
        if (!j.contains(key)) return;
        if (!j[key].is_string()) Refuse(name, std::string("regional.") + key, "expected a string");
        field = j[key].get<std::string>();
    };
    take("decimalSeparator", r.decimalSeparator);
    take("shortDate", r.shortDate);
    take("am", r.am);
    take("pm", r.pm);
    return r;
}

void ParseTopLevel(const json& doc, InstanceStream& stream, Snapshot& s, const std::string& name) {
    if (doc.contains("source"))
        s.source = Member(doc, "source", json::value_t::string, name, "a string");
    if (doc.contains("wmi"))
        ParseWmi(Member(doc, "wmi", json::value_t::object, name, "an object"), stream, s, name);
    if (doc.contains("registry"))
        for (const auto& [path, v] :
             Member(doc, "registry", json::value_t::object, name, "an object").items())
            s.registry.emplace_back(path, ToVariant(v, name, "registry." + path));
    if (doc.contains("binary"))
        for (const auto& [path, v] :
             Member(doc, "binary", json::value_t::object, name, "an object").items()) {
            if (!v.is_string())
                Refuse(name, "binary." + path, "expected a string of hexadecimal bytes");
            s.binary.emplace_back(path, ParseHex(v.get<std::string>(), name, "binary." + path));
        }
    if (doc.contains("environment"))
        for (const auto& [var, v] :
             Member(doc, "environment", json::value_t::object, name, "an object").items()) {
            if (!v.is_string()) Refuse(name, "environment." + var, "expected a string");
            s.environment.emplace_back(var, v.get<std::string>());
        }
    if (doc.contains("tickCount"))
        s.tickCount = Member(doc, "tickCount", json::value_t::number_integer, name, "an integer")
                          .get<int64_t>();
    if (doc.contains("mouseButtons")) {
        int64_t b = Member(doc, "mouseButtons", json::value_t::number_integer, name, "an integer")
                        .get<int64_t>();
        if (b < 0 || b > 64) Refuse(name, "mouseButtons", "out of range");
        s.mouseButtons = static_cast<int32_t>(b);
    }
    if (doc.contains("regional")) s.regional = ParseRegional(doc["regional"], name);
}

} // namespace

Snapshot ParseSnapshot(const std::string& text, const std::string& name) {
    json doc;
    InstanceStream stream(name);
    try {
        doc = json::parse(text, std::ref(stream));
    } catch (const json::exception& e) { // a syntax error, or a number beyond a double
        Refuse(name, "", "not valid JSON: " + PlainJsonError(text, e));
    }
    if (!doc.is_object()) Refuse(name, "", "expected a JSON object at the top");
    if (!doc.contains("format") || doc["format"] != kSnapshotFormat)
        Refuse(name, "format", std::string("expected \"") + kSnapshotFormat + "\"");
    Snapshot s;
    try {
        ParseTopLevel(doc, stream, s, name);
    } catch (const json::exception& e) {
        Refuse(name, "", e.what());
    }
    return s;
}

Snapshot LoadSnapshotFile(const std::string& path) {
    BoundedText file = ReadBoundedFile(path, kSnapshotCap);
    if (!file.Ok()) Refuse(path, "", file.refusal);
    return ParseSnapshot(file.bytes, path);
}

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
