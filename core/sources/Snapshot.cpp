#include "Snapshot.h"

#include "core/BoundedFile.h"
#include "core/PlatformError.h"
#include "core/RowTable.h"
#include "core/Skip.h"

#include <cctype>
#include <fstream>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

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

class SnapshotService : public WmiService {
public:
    explicit SnapshotService(std::shared_ptr<const Snapshot> data) : data_(std::move(data)) {}
    std::vector<WmiObject> InstancesOf(const std::string& className) override {
        for (const auto& [cls, objects] : data_->wmi)
            if (cls == className) return objects;
        return {};
    }

private:
    std::shared_ptr<const Snapshot> data_;
};

} // namespace

const std::vector<std::string>& SnapshotClasses() {
    static const std::vector<std::string> kClasses = {
        "Win32_OperatingSystem",     "Win32_ComputerSystem",  "Win32_UserAccount",
        "Win32_NetworkLoginProfile", "Win32_Processor",       "Win32_PhysicalMemory",
        "Win32_LogicalDisk",         "Win32_DiskDrive",       "Win32_BIOS",
        "Win32_DesktopMonitor",      "Win32_VideoController", "Win32_Keyboard",
        "Win32_PointingDevice",      "Win32_CDROMDrive",      "Win32_BaseBoard",
        "Win32_SoundDevice",
    };
    return kClasses;
}

Snapshot ParseSnapshot(const std::string& text, const std::string& name) {
    json doc;
    InstanceStream stream(name);
    try {
        doc = json::parse(text, std::ref(stream));
    } catch (const json::exception& e) { // a syntax error, or a number beyond a double
        std::string what = e.what();
        size_t colon = what.find("]: ");
        Refuse(name, "",
               "not valid JSON (" + (colon == std::string::npos ? what : what.substr(colon + 3)) +
                   ")");
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

Snapshot CaptureSnapshot(DataSource& source, const std::string& description) {
    Snapshot s;
    s.source = description;
    std::shared_ptr<WmiService> service;
    Skip([&] { service = source.ConnectWmi(); });
    for (const std::string& cls : SnapshotClasses()) {
        std::vector<WmiObject> objects;
        if (service) Skip([&] { objects = service->InstancesOf(cls); });
        for (WmiObject& obj : objects)
            obj.SetHook(nullptr);
        s.wmi.emplace_back(cls, std::move(objects));
    }
    std::vector<std::string> paths;
    for (int cpu = 0; cpu < 8; ++cpu)
        paths.push_back(CpuMhzPath(cpu));
    paths.push_back(kMainboardFullPath);
    for (const std::string& path : paths)
        Skip([&] { s.registry.emplace_back(path, source.RegRead(path)); });
    if (auto bytes = source.RegReadBinary(kProductIdKey, kProductIdValue))
        s.binary.emplace_back(
            std::string("HKEY_LOCAL_MACHINE\\") + kProductIdKey + "\\" + kProductIdValue, *bytes);
    for (const char* var : {"USERNAME", "PROCESSOR_ARCHITECTURE"})
        s.environment.emplace_back(var, source.ReadEnvironment(var));
    Skip([&] { s.tickCount = source.TickCount(); });
    Skip([&] { s.mouseButtons = source.GetSystemMetrics(kSmCMouseButtons); });
    Skip([&] { s.regional = source.RegionalSettings(); });
    return s;
}

namespace {

// Characters a login name may hold (useradd's rule, with the Windows ones that occur in paths).
bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '-' ||
           c == '$' || static_cast<unsigned char>(c) >= 0x80;
}

bool IsPrivateProperty(const std::string& cls, const std::string& name) {
    if (name == "SerialNumber" || name == "VolumeSerialNumber") return true;
    if (cls == "Win32_OperatingSystem")
        return name == "RegisteredUser" || name == "Organization" || name == "SerialNumber";
    if (cls == "Win32_ComputerSystem")
        return name == "Domain" || name == "UserName" || name == "PrimaryOwnerName";
    if (cls == "Win32_UserAccount" || cls == "Win32_NetworkLoginProfile")
        return name == "Name" || name == "FullName" || name == "Domain" || name == "Caption" ||
               name == "SID";
    return false;
}

// The user's own account ("ana") or login profile ("HOST\\ana").
bool IsUsersEntry(const WmiObject& obj, const std::string& login) {
    const Variant name = obj.Get("Name");
    if (!name.IsText()) return false;
    const std::string n = name.Text();
    size_t sep = n.rfind('\\');
    return (sep == std::string::npos ? n : n.substr(sep + 1)) == login;
}

std::string LoginOf(const Snapshot& s) {
    for (const auto& [var, value] : s.environment)
        if (var == "USERNAME") return value;
    return {};
}

WmiObject MaskObject(const std::string& cls, const WmiObject& obj, const std::string& login) {
    std::vector<WmiObject::Property> props;
    for (const auto& [name, value] : obj.Properties()) {
        if (IsPrivateProperty(cls, name) && !value.IsNull())
            props.emplace_back(name, Variant(kPrivateMarker));
        else if (value.IsText())
            props.emplace_back(name, Variant(MaskLoginInPaths(value.Text(), login)));
        else
            props.emplace_back(name, value);
    }
    return WmiObject(std::move(props));
}

} // namespace

std::string MaskLoginInPaths(const std::string& text, const std::string& login) {
    if (login.empty()) return text;
    std::string out;
    for (size_t i = 0; i < text.size();) {
        // "</" closes an HTML tag; it is no path.
        const bool afterSeparator =
            i > 0 && (text[i - 1] == '\\' || (text[i - 1] == '/' && (i < 2 || text[i - 2] != '<')));
        const size_t end = i + login.size();
        if (afterSeparator && text.compare(i, login.size(), login) == 0 &&
            (end == text.size() || !IsNameChar(text[end]))) {
            out += kPrivateMarker;
            i = end;
        } else {
            out += text[i++];
        }
    }
    return out;
}

Snapshot MaskPrivateFacts(Snapshot s) {
    const std::string login = LoginOf(s);
    for (auto& [cls, objects] : s.wmi) {
        const bool accounts = cls == "Win32_UserAccount" || cls == "Win32_NetworkLoginProfile";
        std::vector<WmiObject> kept;
        for (const WmiObject& obj : objects)
            if (!accounts || IsUsersEntry(obj, login)) kept.push_back(MaskObject(cls, obj, login));
        objects = std::move(kept);
    }
    s.binary.clear();
    for (auto& [var, value] : s.environment)
        value = var == "USERNAME" && !value.empty() ? std::string(kPrivateMarker)
                                                    : MaskLoginInPaths(value, login);
    for (auto& [path, value] : s.registry)
        if (value.IsText()) value = Variant(MaskLoginInPaths(value.Text(), login));
    return s;
}

bool StoreRegRead(const SettingsStore& store, const std::string& path, Variant& out) {
    if (!IsSettingsPath(path)) return false;
    std::optional<std::string> value = store.Read(path.substr(std::string(kSettingsKey).size()));
    if (!value) throw PlatformError("registry value not found: " + path);
    out = Variant(*value);
    return true;
}

bool StoreRegWrite(const SettingsStore& store, const std::string& path, const Variant& value) {
    if (!IsSettingsPath(path)) return false;
    if (!store.Write(path.substr(std::string(kSettingsKey).size()), value.Text()))
        throw PlatformError("cannot write " + store.Path());
    return true;
}

SnapshotSource::SnapshotSource(Snapshot snapshot, SettingsStore store)
    : data_(std::make_shared<const Snapshot>(std::move(snapshot))), store_(std::move(store)) {}

std::shared_ptr<WmiService> SnapshotSource::ConnectWmi() {
    return std::make_shared<SnapshotService>(data_);
}

Variant SnapshotSource::RegRead(const std::string& path) {
    Variant out;
    if (StoreRegRead(store_, path, out)) return out;
    for (const auto& [p, v] : data_->registry)
        if (p == path) return v;
    throw PlatformError("registry value not found: " + path);
}

void SnapshotSource::RegWrite(const std::string& path, const Variant& value) {
    if (!StoreRegWrite(store_, path, value))
        throw PlatformError("a recorded machine's registry is read-only: " + path);
}

std::optional<std::vector<uint8_t>> SnapshotSource::RegReadBinary(const std::string& keyPath,
                                                                  const std::string& valueName) {
    std::string full = "HKEY_LOCAL_MACHINE\\" + keyPath + "\\" + valueName;
    for (const auto& [p, bytes] : data_->binary)
        if (p == full) return bytes;
    return std::nullopt;
}

std::string SnapshotSource::ReadEnvironment(const std::string& name) {
    for (const auto& [var, v] : data_->environment)
        if (var == name) return v;
    return {};
}

int32_t SnapshotSource::GetSystemMetrics(int index) {
    return index == kSmCMouseButtons ? data_->mouseButtons : 0;
}

Regional SnapshotSource::RegionalSettings() {
    return data_->regional.value_or(Regional{});
}

} // namespace hl
