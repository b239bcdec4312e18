#include "Snapshot.h"
#include "core/RowTable.h"

#include <cctype>

namespace hl {

namespace {

// Characters a login name may hold (useradd's rule, with the Windows ones that occur in paths).
bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '-' ||
           c == '$' || static_cast<unsigned char>(c) >= 0x80;
}

bool IsPrivateProperty(const std::string& cls, const std::string& name) {
    if (name == "SerialNumber" || name == "VolumeSerialNumber") return true;
    if (cls == "WmiMonitorID" && name == "SerialNumberID") return true;
    if (name == "MACAddress" || name == "IPAddress" || name == "DefaultIPGateway") return true;
    if (cls == "Win32_OperatingSystem")
        return name == "RegisteredUser" || name == "Organization" || name == "SerialNumber";
    if (cls == "Win32_ComputerSystem")
        return name == "Domain" || name == "UserName" || name == "PrimaryOwnerName";
    if (cls == "Win32_UserAccount" || cls == "Win32_NetworkLoginProfile")
        return name == "Name" || name == "FullName" || name == "Domain" || name == "Caption" ||
               name == "SID";
    return false;
}

// Windows names a USB device that has a serial number by it: the part of its device id after
// the second backslash ("USB\\VID_0781&PID_5567\\4C530001230314115332").
bool IsDeviceIdProperty(const std::string& name) {
    return name == "PNPDeviceID" || name == "DeviceID";
}

std::string MaskUsbInstance(const std::string& id) {
    if (id.rfind("USB\\", 0) != 0 && id.rfind("USBSTOR\\", 0) != 0) return id;
    size_t second = id.find('\\', id.find('\\') + 1);
    return second == std::string::npos ? id : id.substr(0, second + 1) + kPrivateMarker;
}

std::string MaskDeviceText(const std::string& name, const std::string& text,
                           const std::string& login) {
    std::string masked = MaskLoginInPaths(text, login);
    return IsDeviceIdProperty(name) ? MaskUsbInstance(masked) : masked;
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
            props.emplace_back(name, Variant(MaskDeviceText(name, value.Text(), login)));
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

} // namespace hl
