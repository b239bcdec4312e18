#include "DataSource.h"

#include <cctype>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <strings.h>
#include <unordered_map>
#include <unordered_set>

namespace hl {

namespace {

// WMI property names are case-insensitive ("FreeSpace" and "Freespace" are one property).
bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

std::string Folded(const std::string& name) {
    std::string folded = name;
    for (char& c : folded)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

// Classes have a few dozen property names, shared by all their instances.
const std::string* Interned(const std::string& name) {
    static std::mutex guard;
    static auto* names = new std::unordered_set<std::string>; // outlives every static object
    std::lock_guard lock(guard);
    return &*names->insert(name).first;
}

template <class T> void Put(std::string& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <class T> T Take(const std::string& in, size_t at) {
    T value;
    std::memcpy(&value, in.data() + at, sizeof value);
    return value;
}

// A packed property: the name's pointer, the kind in a byte, then the value: a byte for a
// Boolean, eight for a number, a 4-byte length and the bytes for text, nothing for Empty and
// Null.
struct Packed {
    size_t start = 0, value = 0, end = 0;
    const std::string* name = nullptr;
    Variant::Kind kind = Variant::Kind::Null;
};

void Pack(std::string& out, const std::string* name, const Variant& v) {
    Put(out, name);
    out += static_cast<char>(v.kind());
    switch (v.kind()) {
    case Variant::Kind::Boolean: out += static_cast<char>(v.ToBool()); break;
    case Variant::Kind::Integer: Put(out, v.ToInt64()); break;
    case Variant::Kind::Double: Put(out, v.ToDouble()); break;
    case Variant::Kind::Text: {
        const std::string& text = *v.TextPtr();
        if (text.size() > UINT32_MAX) throw std::length_error("a property value over 4 GiB");
        Put(out, static_cast<uint32_t>(text.size()));
        out += text;
        break;
    }
    default: break;
    }
}

Packed Unpack(const std::string& in, size_t at) {
    Packed p;
    p.start = at;
    p.name = Take<const std::string*>(in, at);
    p.kind = static_cast<Variant::Kind>(in[at + sizeof p.name]);
    p.value = at + sizeof p.name + 1;
    switch (p.kind) {
    case Variant::Kind::Boolean: p.end = p.value + 1; break;
    case Variant::Kind::Integer:
    case Variant::Kind::Double: p.end = p.value + 8; break;
    case Variant::Kind::Text: p.end = p.value + 4 + Take<uint32_t>(in, p.value); break;
    default: p.end = p.value; break;
    }
    return p;
}

Variant ValueOf(const std::string& in, const Packed& p) {
    switch (p.kind) {
    case Variant::Kind::Empty: return Variant();
    case Variant::Kind::Boolean: return Variant(in[p.value] != 0);
    case Variant::Kind::Integer: return Variant(Take<int64_t>(in, p.value));
    case Variant::Kind::Double: return Variant(Take<double>(in, p.value));
    case Variant::Kind::Text: return Variant(in.substr(p.value + 4, p.end - p.value - 4));
    default: return Variant::Null();
    }
}

std::optional<Packed> Find(const std::string& in, const std::string& name) {
    for (size_t at = 0; at < in.size();) {
        Packed p = Unpack(in, at);
        if (SameName(*p.name, name)) return p;
        at = p.end;
    }
    return std::nullopt;
}

} // namespace

WmiObject::WmiObject(const std::vector<Property>& props) {
    if (props.size() <= kFewProperties) {
        for (const auto& [name, value] : props)
            Set(name, value);
    } else {
        PackWithoutRescanning(props);
    }
    if (packed_) packed_->shrink_to_fit();
}

const std::string& WmiObject::Bytes() const {
    static const std::string kNone;
    return packed_ ? *packed_ : kNone;
}

std::string& WmiObject::WritableBytes() {
    if (!packed_)
        packed_ = std::make_shared<std::string>();
    else if (packed_.use_count() > 1)
        packed_ = std::make_shared<std::string>(*packed_);
    return *packed_;
}

// As Set one by one gives (a name's first spelling, its last value), without a scan of the
// properties so far for each: a recorded instance may hold millions.
void WmiObject::PackWithoutRescanning(const std::vector<Property>& props) {
    std::unordered_map<std::string, size_t> lastOf;
    for (size_t i = 0; i < props.size(); ++i)
        lastOf[Folded(props[i].first)] = i;
    for (const Property& prop : props) {
        auto last = lastOf.find(Folded(prop.first));
        if (last == lastOf.end()) continue; // a later spelling of a name already packed
        Pack(WritableBytes(), Interned(prop.first), props[last->second].second);
        lastOf.erase(last);
    }
}

Variant WmiObject::Get(const std::string& name) const {
    std::optional<Packed> p = Find(Bytes(), name);
    Variant value = p ? ValueOf(Bytes(), *p) : Variant::Null();
    return hook_ ? (*hook_)(name, value) : value;
}

void WmiObject::Set(const std::string& name, const Variant& value) {
    std::optional<Packed> p = Find(Bytes(), name);
    if (!p) return Pack(WritableBytes(), Interned(name), value);
    std::string replacement;
    Pack(replacement, p->name, value);
    WritableBytes().replace(p->start, p->end - p->start, replacement);
}

std::vector<WmiObject::Property> WmiObject::Properties() const {
    std::vector<Property> props;
    const std::string& packed = Bytes();
    for (size_t at = 0; at < packed.size();) {
        Packed p = Unpack(packed, at);
        props.emplace_back(*p.name, ValueOf(packed, p));
        at = p.end;
    }
    return props;
}

std::string CpuMhzPath(int processor) {
    return "HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\" +
           std::to_string(processor) + "\\~MHz";
}

bool IsSettingsPath(const std::string& path) {
    return path.rfind(kSettingsKey, 0) == 0;
}

} // namespace hl
