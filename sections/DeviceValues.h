#pragma once

// What the device listers of Processor, RAM and Display share: guarded reads of a class,
// properties read without failing, and the values of the usual kinds of field.

#include "core/App.h"
#include "sections/Devices.h"
#include "sections/PlatformReads.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hl {

// Reads classes for one gathering of devices, binding the service once.
class DeviceReader {
public:
    explicit DeviceReader(App& app) : app_(app) {}
    // The instances of `cls`; none when the service cannot be bound or the class read.
    std::vector<WmiObject> Of(const char* cls);

private:
    App& app_;
    std::shared_ptr<WmiService> service_;
};
// The instance whose property `key` reads `value`; nullptr when none does.
const WmiObject* FindBy(const std::vector<WmiObject>& instances, const char* key,
                        const std::string& value);

// A property as a whole number; nothing when it is Null, not a number or unreadable.
std::optional<int64_t> IntOf(const WmiObject* object, const char* property);
// A property as a Boolean; nothing when it is Null or not one.
std::optional<bool> BoolOf(const WmiObject* object, const char* property);

// A text that is its own data; "" is unknown.
RowValue TextValue(const std::string& text);
// A number followed by its unit ("2133 MT/s"), the number as data.
RowValue NumberValue(std::optional<int64_t> number, const std::string& unit);
// "Yes" or "No", a Boolean as data.
RowValue YesNoValue(const App& app, std::optional<bool> flag);
// Kilobytes as the Processor section shows a cache ("512 KB", "12 MB"), bytes as data.
RowValue CacheValue(const App& app, std::optional<int64_t> kilobytes);
// A mode "1920 x 1080, 60 Hz" with its figures as data; unknown without width and height.
RowValue ModeValue(std::optional<int64_t> width, std::optional<int64_t> height,
                   std::optional<int64_t> hertz);

} // namespace hl
