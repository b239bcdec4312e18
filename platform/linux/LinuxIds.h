#pragma once

#include "LinuxFiles.h"

#include <map>
#include <string>

namespace hl {

struct IdNames {
    std::string vendor; // "" when unknown
    std::string device; // "" when unknown
};

// Names from the hwdata databases (pci.ids, usb.ids, pnp.ids). Each question scans the one file
// up to the vendor it needs and stops; nothing is parsed at start-up, and answers are kept for
// the life of the object. A missing database, or one past kIdsCap, gives empty names.
class IdDatabase {
public:
    // With `hostFallback`, a database missing under the root is read from this system.
    explicit IdDatabase(const RootFs& fs, bool hostFallback = false)
        : fs_(fs), hostFallback_(hostFallback) {}
    ~IdDatabase();
    IdDatabase(const IdDatabase&) = delete;
    IdDatabase& operator=(const IdDatabase&) = delete;

    IdNames Pci(uint32_t vendor, uint32_t device);
    IdNames Usb(uint32_t vendor, uint32_t product);
    // The class of a PCI device from pci.ids' class list: the subclass's name ("Non-Volatile
    // memory controller"), else the base class's ("Mass storage controller"); "" when unlisted.
    std::string PciClass(uint32_t baseClass, uint32_t subClass);
    // The name usb.ids gives a USB class code ("Hub", "Human Interface Device").
    std::string UsbClass(uint32_t deviceClass);
    // The maker behind a three-letter EDID manufacturer id ("SAM", "DEL").
    std::string Pnp(const std::string& code);

private:
    IdNames Lookup(const char* file, uint32_t vendor, uint32_t device);
    // The database's file, opened once for the life of the object (each look-up seeks in it),
    // -1 when there is none.
    int Open(const char* file) const;
    // The first copy of a database that opens (in the tree, then on this system when allowed).
    int OpenFirstCopy(const char* file) const;

    // The class list at the end of a database ("C 01  Mass storage controller" and its
    // subclasses), read once: keys "01" and "01:08".
    const std::map<std::string, std::string>& Classes(const char* file);

    const RootFs& fs_;
    std::map<std::string, std::map<std::string, std::string>> classes_;
    bool hostFallback_;
    std::map<std::string, IdNames> cache_;
    mutable std::map<std::string, int> open_; // file name to descriptor, -1 for none
};

} // namespace hl
