// What the tests of the devices of Processor, RAM and Display share: a table of expected
// fields and the check of a device list against it.
#pragma once

#include "sections/BoardDevices.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace hl::test {

using json = nlohmann::json;

// A field of the index-th device of `kind`: the text shown (nullptr: not looked at) and its
// data.
struct Want {
    const char* kind;
    size_t index;
    const char* key;
    const char* text;
    json data;
};

inline const Device* NthOfKind(const DeviceList& devices, const std::string& kind, size_t index) {
    for (const Device& d : devices)
        if (d.kind && d.kind->id == kind && index-- == 0) return &d;
    return nullptr;
}

inline void ExpectFields(const DeviceList& devices, const std::vector<Want>& wants,
                         const std::string& where) {
    for (const Want& w : wants) {
        SCOPED_TRACE(where + ": " + w.kind + " " + std::to_string(w.index) + " " + w.key);
        const Device* device = NthOfKind(devices, w.kind, w.index);
        ASSERT_NE(device, nullptr);
        if (std::string(w.key) == "name") {
            EXPECT_EQ(device->name, w.text);
            continue;
        }
        const RowValue* value = FieldValue(*device, w.key);
        ASSERT_NE(value, nullptr);
        if (w.text) EXPECT_EQ(value->text, w.text);
        EXPECT_EQ(value->data, w.data);
    }
}

inline size_t CountOf(const DeviceList& devices, const std::string& kind) {
    size_t n = 0;
    for (const Device& d : devices)
        n += d.kind && d.kind->id == kind ? 1 : 0;
    return n;
}

inline const json kNoData = json();

} // namespace hl::test
