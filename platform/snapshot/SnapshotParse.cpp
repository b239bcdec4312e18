#include "Snapshot.h"
#include "core/BoundedFile.h"
#include "core/JsonErrors.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <nlohmann/json.hpp>
#include <unordered_map>
#include <unordered_set>

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

// Reads the document event by event into the model, holding no JSON tree: memory goes only to
// what the model keeps, and that is charged against a budget as it grows, so that no shape of
// file (millions of empty instances, one object of millions of keys) takes many times its size.
// The first fault is kept and raised once the whole text has proved to be JSON, so that a
// syntax error later in the file still comes first; the budget stops the reading at once.
class SnapshotReader : public json::json_sax_t {
public:
    SnapshotReader(const std::string& name, const std::string& text)
        : name_(name), text_(text), budget_(std::max(kModelFloor, 2 * text.size())) {}

    Snapshot Finish() {
        if (!syntax_.empty()) Refuse(name_, "", "not valid JSON: " + syntax_);
        if (!overBudget_.empty()) throw SnapshotError(overBudget_);
        if (!object_) Refuse(name_, "", "expected a JSON object at the top");
        if (!formatOk_)
            Refuse(name_, "format", std::string("expected \"") + kSnapshotFormat + "\"");
        if (!fault_.empty()) throw SnapshotError(fault_);
        return std::move(s_);
    }

    bool null() override { return Scalar(json()); }
    bool boolean(bool v) override { return Scalar(json(v)); }
    bool number_integer(number_integer_t v) override { return Scalar(json(v)); }
    bool number_unsigned(number_unsigned_t v) override { return Scalar(json(v)); }
    bool number_float(number_float_t v, const string_t&) override { return Scalar(json(v)); }
    bool string(string_t& v) override { return Scalar(json(std::move(v))); }
    bool binary(binary_t&) override { return Scalar(json()); }
    bool key(string_t& v) override {
        key_ = std::move(v);
        return true;
    }
    bool start_object(std::size_t) override { return Open(true); }
    bool start_array(std::size_t) override { return Open(false); }
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }
    bool parse_error(std::size_t, const std::string&,
                     const nlohmann::detail::exception& e) override {
        syntax_ = PlainJsonError(text_, e);
        return false;
    }

private:
    // The model may be charged twice the text it comes from (with the text itself, three times
    // the file at the most), and never less than this, which real recordings stay far below.
    static constexpr size_t kModelFloor = 16 * 1024 * 1024;
    static constexpr size_t kDeepest = 64; // a recording nests four deep
    enum class Frame { Root, Wmi, Class, Instance, Registry, Binary, Environment, Regional, Skip };

    std::string At() const {
        return "wmi." + s_.wmi[class_].first + "[" + std::to_string(index_) + "]";
    }

    void Fault(const std::string& place, const std::string& problem) {
        if (fault_.empty()) fault_ = name_ + ": " + (place.empty() ? "" : place + ": ") + problem;
    }

    // Bytes a text takes on the heap (past the string's own short buffer), with the allocator's.
    static size_t Heap(size_t length) { return length > 15 ? length + 1 + 16 : 0; }

    // What a WmiObject packs of a property: the name's pointer, the kind, the value.
    static size_t Packed(const Variant& v) {
        switch (v.kind()) {
        case Variant::Kind::Boolean: return 10;
        case Variant::Kind::Integer:
        case Variant::Kind::Double: return 17;
        case Variant::Kind::Text: return 13 + v.TextPtr()->size();
        default: return 9;
        }
    }

    // Memory the model takes from now on. False, and the reading stops, past the budget.
    bool Charge(size_t bytes) {
        used_ += bytes;
        if (used_ <= budget_) return true;
        overBudget_ = name_ + ": holds more than a recording of its size may keep (" +
                      CapText(budget_) + " in memory)";
        return false;
    }

    // Room for one more element of `v`: the grown buffer is charged before it is taken (the old
    // one is still held while the elements move), and the old one given back after.
    template <class V> bool Room(V& v) {
        if (v.size() < v.capacity()) return true;
        const size_t element = sizeof(typename V::value_type), old = v.capacity() * element;
        const size_t grown = std::max<size_t>(4, 2 * v.capacity());
        if (!Charge(grown * element)) return false;
        v.reserve(grown);
        used_ -= old;
        return true;
    }

    // A property name the program keeps once for all instances (here and where WmiObject
    // interns it).
    bool Name(const std::string& name) {
        if (names_.count(name)) return true;
        if (!Charge(2 * (64 + Heap(name.size())))) return false;
        names_.insert(name);
        return true;
    }

    bool Open(bool isObject) {
        Frame parent = frames_.empty() ? Frame::Skip : frames_.back();
        Frame frame = Frame::Skip;
        if (frames_.empty())
            object_ = isObject, frame = isObject ? Frame::Root : Frame::Skip;
        else if (parent == Frame::Root)
            frame = MemberFrame(isObject);
        else if (parent == Frame::Wmi && !isObject)
            frame = StartClass();
        else if (parent == Frame::Wmi)
            Fault("wmi." + key_, "expected an array of instances");
        else if (parent == Frame::Class && isObject)
            frame = Frame::Instance, props_.clear();
        else if (parent != Frame::Skip)
            Misplaced(parent);
        frames_.push_back(frame);
        if (frames_.size() > kDeepest && overBudget_.empty())
            overBudget_ = name_ + ": nested deeper than a recording is";
        return overBudget_.empty();
    }

    Frame MemberFrame(bool isObject) {
        static const std::pair<const char*, Frame> kMembers[] = {
            {"wmi", Frame::Wmi},
            {"registry", Frame::Registry},
            {"binary", Frame::Binary},
            {"environment", Frame::Environment},
            {"regional", Frame::Regional}};
        for (const auto& [member, frame] : kMembers)
            if (key_ == member) {
                if (!isObject) Fault(key_, "expected an object");
                if (!isObject || !fault_.empty()) return Frame::Skip;
                if (frame == Frame::Wmi) s_.wmi.clear(), classes_.clear(); // the last "wmi" counts
                if (frame == Frame::Regional) s_.regional = Regional{};
                return frame;
            }
        TopScalar(json::object()); // a member that must be a single value
        return Frame::Skip;
    }

    Frame StartClass() {
        if (!fault_.empty()) return Frame::Skip;
        if (!Room(s_.wmi) || !Charge(64 + 2 * Heap(key_.size()))) return Frame::Skip;
        auto [it, added] = classes_.emplace(key_, s_.wmi.size());
        if (added)
            s_.wmi.emplace_back(key_, std::vector<WmiObject>{});
        else
            s_.wmi[it->second].second.clear(); // a repeated class replaces the earlier one
        class_ = it->second;
        index_ = 0;
        return Frame::Class;
    }

    void Misplaced(Frame parent) {
        switch (parent) {
        case Frame::Class: Fault(At(), "expected an object"), ++index_; break;
        case Frame::Instance:
            Fault(At() + "." + key_, "expected a string, number, true, false or null");
            break;
        case Frame::Registry:
            Fault("registry." + key_, "expected a string, number, true, false or null");
            break;
        case Frame::Binary:
            Fault("binary." + key_, "expected a string of hexadecimal bytes");
            break;
        default:
            Fault(std::string(parent == Frame::Regional ? "regional." : "environment.") + key_,
                  "expected a string");
        }
    }

    bool Close() {
        Frame frame = frames_.back();
        frames_.pop_back();
        if (frame != Frame::Instance || !fault_.empty()) return overBudget_.empty();
        std::vector<WmiObject>& objects = s_.wmi[class_].second;
        // Many properties are packed through a map of their names, for the time of the packing.
        const size_t packing = props_.size() * (64 + 32);
        // A packed instance's bytes live in a block of their own (shared between its copies).
        const size_t block = packed_ ? 64 + (packed_ > 15 ? 16 : 0) : 0;
        if (!Room(objects) || !Charge(block + packing)) return false;
        objects.emplace_back(props_);
        used_ -= packing + transient_;
        ++index_;
        props_.clear();
        packed_ = transient_ = 0;
        return true;
    }

    bool Scalar(json v) {
        if (frames_.empty()) return true; // a document that is not an object
        Frame frame = frames_.back();
        try {
            if (frame == Frame::Root) TopScalar(v);
            if (!fault_.empty() || frame == Frame::Root || frame == Frame::Skip) return true;
            return Keep(frame, v);
        } catch (const SnapshotError& e) {
            if (fault_.empty()) fault_ = e.what();
        }
        return overBudget_.empty();
    }

    // Where the value of `key_` goes in the document, for messages.
    std::string Place(Frame frame) const {
        switch (frame) {
        case Frame::Instance: return At() + "." + key_;
        case Frame::Registry: return "registry." + key_;
        case Frame::Binary: return "binary." + key_;
        case Frame::Environment: return "environment." + key_;
        case Frame::Regional: return "regional." + key_;
        default: return key_;
        }
    }

    // No machine gives a longer text than the bounded reads take of one file (a table's bytes
    // are written as two hexadecimal digits each); a longer one would only be copied into
    // every row, report and comparison that shows it.
    void CheckLength(Frame frame, const json& v) const {
        if (!v.is_string()) return;
        const size_t cap = frame == Frame::Binary ? 2 * kFirmwareCap : kAttributeCap;
        const size_t length = v.get_ref<const std::string&>().size();
        if (length > cap)
            Refuse(name_, Place(frame),
                   "a text of " + CapText(length) + ", longer than any a machine gives (" +
                       CapText(cap) + " at most)");
    }

    bool Keep(Frame frame, const json& v) {
        CheckLength(frame, v);
        const size_t texts =
            Heap(key_.size()) + Heap(v.is_string() ? v.get_ref<const std::string&>().size() : 0);
        switch (frame) {
        case Frame::Instance: return KeepProperty(v, texts);
        case Frame::Registry:
            if (!Room(s_.registry) || !Charge(texts)) return false;
            s_.registry.emplace_back(key_, ToVariant(v, name_, "registry." + key_));
            return true;
        case Frame::Binary:
            if (!v.is_string())
                Refuse(name_, "binary." + key_, "expected a string of hexadecimal bytes");
            if (!Room(s_.binary) || !Charge(texts)) return false; // the bytes take half the text
            s_.binary.emplace_back(key_, ParseHex(v.get<std::string>(), name_, "binary." + key_));
            return true;
        case Frame::Environment:
            if (!v.is_string()) Refuse(name_, "environment." + key_, "expected a string");
            if (!Room(s_.environment) || !Charge(texts)) return false;
            s_.environment.emplace_back(key_, v.get<std::string>());
            return true;
        case Frame::Regional: TakeRegional(v); return true;
        case Frame::Wmi: Refuse(name_, "wmi." + key_, "expected an array of instances");
        default: Refuse(name_, At(), "expected an object"); // a value where an instance goes
        }
    }

    // Read into the instance's list first (given back once packed), then packed.
    bool KeepProperty(const json& v, size_t texts) {
        Variant value = ToVariant(v, name_, At() + "." + key_);
        if (!Name(key_) || !Room(props_) || !Charge(texts + Packed(value))) return false;
        props_.emplace_back(key_, std::move(value));
        transient_ += texts;
        packed_ += Packed(props_.back().second);
        return true;
    }

    void TakeRegional(const json& v) {
        std::string* fields[] = {&s_.regional->decimalSeparator, &s_.regional->shortDate,
                                 &s_.regional->am, &s_.regional->pm};
        const char* names[] = {"decimalSeparator", "shortDate", "am", "pm"};
        for (size_t i = 0; i < std::size(names); ++i)
            if (key_ == names[i]) {
                if (!v.is_string()) Refuse(name_, "regional." + key_, "expected a string");
                *fields[i] = v.get<std::string>();
            }
    }

    void TopScalar(const json& v) {
        if (key_ == "format") {
            formatOk_ = v == kSnapshotFormat;
        } else if (key_ == "source") {
            if (!v.is_string())
                Fault("source", "expected a string");
            else
                s_.source = v.get<std::string>();
        } else if (key_ == "tickCount" || key_ == "mouseButtons") {
            TopInteger(v);
        } else if (key_ == "wmi" || key_ == "registry" || key_ == "binary" ||
                   key_ == "environment" || key_ == "regional") {
            Fault(key_, "expected an object");
        }
    }

    void TopInteger(const json& v) {
        if (!v.is_number_integer()) return Fault(key_, "expected an integer");
        if (v.is_number_unsigned() && v.get<uint64_t>() > static_cast<uint64_t>(INT64_MAX))
            return Fault(key_, "out of range");
        int64_t n = v.get<int64_t>();
        if (key_ == "tickCount") {
            s_.tickCount = n;
        } else if (n < 0 || n > 64) {
            Fault(key_, "out of range");
        } else {
            s_.mouseButtons = static_cast<int32_t>(n);
        }
    }

    const std::string& name_;
    const std::string& text_; // for the place of a syntax error
    size_t budget_, used_ = 0;
    Snapshot s_;
    std::vector<Frame> frames_;
    std::unordered_map<std::string, size_t> classes_; // class name to its place in s_.wmi
    std::unordered_set<std::string> names_;           // of properties, as charged
    std::vector<WmiObject::Property> props_;          // of the instance being read
    size_t packed_ = 0, transient_ = 0;               // its packed size, its texts in props_
    std::string key_, fault_, syntax_, overBudget_;
    size_t class_ = 0, index_ = 0;
    bool object_ = false, formatOk_ = false;
};

} // namespace

Snapshot ParseSnapshot(const std::string& text, const std::string& name) {
    SnapshotReader reader(name, text);
    json::sax_parse(text, &reader);
    return reader.Finish();
}

Snapshot LoadSnapshotFile(const std::string& path) {
    BoundedText file = ReadBoundedFile(path, kSnapshotCap);
    if (!file.Ok()) Refuse(path, "", file.refusal);
    return ParseSnapshot(file.bytes, path);
}

} // namespace hl
