#include "JsonReport.h"

#include "core/CopyText.h"
#include "core/Navigation.h"
#include "core/PlainText.h"
#include "core/RowTable.h"
#include "core/Version.h"
#include "sections/Devices.h"

#include <map>
#include <nlohmann/json.hpp>

namespace hl {

namespace {

using nlohmann::json;

// What the row holds as typed data; none where it shows "Unknown".
const json* TypedData(const App& app, const InfoRow& row) {
    if (!row.data || row.value == app.T(kUnknown)) return nullptr;
    return row.data.get();
}

// {"kind", "name", then each field's typed data by its key}; a field never hides the two.
json DeviceJson(const Device& device, bool maskIdentifying) {
    json out = {{"kind", device.kind->id}, {"name", PlainText(device.name)}};
    const auto& fields = device.kind->fields;
    for (size_t i = 0; i < fields.size() && i < device.values.size(); ++i) {
        if (out.contains(fields[i].key)) continue;
        const bool masked = fields[i].identifying && maskIdentifying;
        out[fields[i].key] = masked ? json(kPrivateMarker) : device.values[i].data;
    }
    return out;
}

json DevicesJson(App& app, int section) {
    json devices = json::array();
    for (const Device& device : SectionDevices(app, section))
        if (device.kind) devices.push_back(DeviceJson(device, app.privateValues));
    return devices;
}

// The section as the document holds it, each row's value and typed data copied in; given
// `shown`, those two are left null and the area's rows listed instead, to be written from there
// (a list several rows show is then written from the one copy the rows share).
json SectionJson(App& app, int section, bool details, std::vector<InfoRow*>* shown,
                 bool listsOnce = false) {
    MenuClick(app, section);
    const SectionRows& table = app.sections->RowsOf(section);
    if (app.privateValues) MaskPrivateRows(app.area, table);
    json rows = json::array();
    std::map<const json*, std::string> listedBy; // a shared list, and the first row with it
    for (int r = 1; r <= 12; ++r) {
        std::string key = RowKey(table, r);
        if (key.empty()) continue;
        InfoRow& row = app.area.Row(r);
        const json* data = TypedData(app, row);
        if (shown) shown->push_back(&row);
        json entry = {{"key", key},
                      {"caption", BareCaption(row.caption)},
                      {"value", shown ? json() : json(row.value)}};
        auto listed = data && listsOnce ? listedBy.find(data) : listedBy.end();
        if (listed != listedBy.end()) {
            entry["data_from"] = listed->second;
        } else {
            entry["data"] = data && !shown ? *data : json();
            if (data && listsOnce && data->is_array()) listedBy.emplace(data, key);
        }
        rows.push_back(std::move(entry));
    }
    json out = {{"id", table.id},
                {"number", section},
                {"title", app.area.titulo},
                {"rows", std::move(rows)}};
    if (details) out["devices"] = DevicesJson(app, section);
    if (app.area.lavisoVisible) out["notice"] = app.area.laviso;
    if (!app.main.lastError.empty()) out["error"] = app.main.lastError;
    return out;
}

json DocumentHead(const App& app, bool details) {
    // A report without the devices stays the 1.1 document its readers know, byte for byte.
    return {{"format", details ? "hardlens-report/1.2" : "hardlens-report/1.1"},
            {"product", kProductLine},
            {"language", app.settings.language}};
}

// Writes JSON as dump(2) lays it out, in pieces: pieces of at most about 64 KiB, or, with
// `wholeMembers`, pieces that end between two members, never inside a value.
class JsonPieces {
public:
    JsonPieces(const PieceSink& put, bool wholeMembers) : put_(put), wholeMembers_(wholeMembers) {}

    JsonPieces& operator<<(std::string_view raw) {
        buffer_ += raw;
        if (!wholeMembers_ && buffer_.size() >= kPieceSize) Flush();
        return *this;
    }
    // Objects and arrays are laid out here, member by member, so that a piece may end after
    // any of them: a list of long texts is then never one piece. Everything else goes through
    // the serializer, which also makes JSON of a device name that is not valid UTF-8.
    void Value(const json& value, unsigned indent) {
        if (!value.is_structured() || value.empty()) {
            nlohmann::detail::serializer<json> out(std::make_shared<Adapter>(*this), ' ',
                                                   json::error_handler_t::replace);
            out.dump(value, true, false, 2, indent);
            return;
        }
        *this << (value.is_object() ? "{\n" : "[\n");
        size_t left = value.size();
        for (auto member = value.begin(); member != value.end(); ++member) {
            if (value.is_object())
                Key(member.key(), indent + 2);
            else
                *this << std::string(indent + 2, ' ');
            Value(*member, indent + 2);
            *this << (--left ? ",\n" : "\n");
            MemberEnd();
        }
        *this << std::string(indent, ' ') << (value.is_object() ? "}" : "]");
    }
    void Key(const std::string& key, unsigned indent) {
        *this << std::string(indent, ' ');
        Value(key, 0);
        *this << ": ";
    }
    void MemberEnd() {
        if (wholeMembers_) Flush();
    }
    void Flush() {
        if (!buffer_.empty()) put_(buffer_);
        if (buffer_.capacity() > 2 * kPieceSize)
            buffer_ = std::string(); // a long member's bytes are not kept for the next
        buffer_.clear();
    }

private:
    static constexpr size_t kPieceSize = 64 * 1024;

    struct Adapter : nlohmann::detail::output_adapter_protocol<char> {
        explicit Adapter(JsonPieces& out) : out(out) {}
        void write_character(char c) override { out << std::string_view(&c, 1); }
        void write_characters(const char* s, std::size_t n) override {
            out << std::string_view(s, n);
        }
        JsonPieces& out;
    };

    const PieceSink& put_;
    const bool wholeMembers_;
    std::string buffer_;
};

// A row object, its value and typed data written from the area's row.
void WriteRow(JsonPieces& out, const App& app, const json& row, InfoRow& shown, unsigned indent) {
    out << "{\n";
    size_t left = row.size();
    for (const auto& [key, value] : row.items()) {
        out.Key(key, indent + 2);
        if (key == "value") {
            // Lent to the writer and taken back: a list as long as its machine is not copied.
            json value(std::move(shown.value));
            out.Value(value, indent + 2);
            shown.value = std::move(value.get_ref<std::string&>());
        } else if (key == "data") {
            const json* data = TypedData(app, shown);
            out.Value(data ? *data : json(), indent + 2);
        } else {
            out.Value(value, indent + 2);
        }
        out << (--left ? ",\n" : "\n");
        out.MemberEnd();
    }
    out << std::string(indent, ' ') << "}";
}

void WriteSection(JsonPieces& out, App& app, int section, bool details, unsigned indent) {
    std::vector<InfoRow*> shown;
    const json doc = SectionJson(app, section, details, &shown);
    out << "{\n";
    size_t left = doc.size();
    for (const auto& [key, value] : doc.items()) {
        out.Key(key, indent + 2);
        if (key != "rows" || value.empty()) {
            out.Value(value, indent + 2);
        } else {
            out << "[\n";
            for (size_t i = 0; i < value.size(); ++i) {
                out << std::string(indent + 4, ' ');
                WriteRow(out, app, value[i], *shown[i], indent + 4);
                out << (i + 1 < value.size() ? ",\n" : "\n");
            }
            out << std::string(indent + 2, ' ') << "]";
        }
        out << (--left ? ",\n" : "\n");
        out.MemberEnd();
    }
    out << std::string(indent, ' ') << "}";
}

} // namespace

void WriteJsonReport(App& app, const std::vector<int>& sections, bool details, const PieceSink& put,
                     bool wholeMembers) {
    std::shared_ptr<void> oneRead = app.source->HoldReads();
    JsonPieces out(put, wholeMembers);
    out << "{\n";
    const json head = DocumentHead(app, details);
    for (const auto& [key, value] : head.items()) {
        out.Key(key, 2);
        out.Value(value, 2);
        out << ",\n";
    }
    out.Key("sections", 2);
    if (sections.empty()) out << "[]";
    for (size_t i = 0; i < sections.size(); ++i) {
        out << (i ? ",\n    " : "[\n    ");
        WriteSection(out, app, sections[i], details, 4);
    }
    if (!sections.empty()) out << "\n  ]";
    out << "\n}\n";
    out.Flush();
}

std::string JsonReport(App& app, const std::vector<int>& sections, bool details) {
    std::string document;
    WriteJsonReport(app, sections, details, [&](std::string_view piece) {
        document += piece;
        return true;
    });
    return document;
}

json JsonReportDocument(App& app, const std::vector<int>& sections, bool details, bool listsOnce) {
    std::shared_ptr<void> oneRead = app.source->HoldReads();
    json doc = DocumentHead(app, details);
    json list = json::array();
    for (int section : sections)
        list.push_back(SectionJson(app, section, details, nullptr, listsOnce));
    doc["sections"] = std::move(list);
    return doc;
}

} // namespace hl
