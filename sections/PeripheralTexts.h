#pragma once

#include "core/StringTable.h"

namespace hl {

// The entries of core/TextsPeripherals.cpp, in its order.
enum : int {
    kTxtDisk = kPeripheralTextsFirst,
    kTxtPartition,
    kTxtInputDevice,
    kTxtSoundCard,
    kTxtPciDevice,
    kTxtUsbDevice,
    kTxtModel,
    kTxtSize,
    kTxtInterface,
    kTxtSpinning,
    kTxtFirmware,
    kTxtTemperature,
    kTxtPartitions,
    kTxtMountPoint,
    kTxtKind,
    kTxtBus,
    kTxtIds,
    kTxtKeyboard,
    kTxtMouse,
    kTxtTouchpad,
    kTxtTouchScreen,
    kTxtTablet,
    kTxtIdentifier,
    kTxtDriver,
    kTxtClass,
    kTxtBusAddress,
    kTxtSpeed,
    kTxtPeripheralsEnd // one past the last: the block ends before kDetailsTextsFirst
};
static_assert(kTxtPeripheralsEnd <= kDetailsTextsFirst);

// Entries of the first 248 that the device fields share.
inline constexpr int kTxtName = 39, kTxtManufacturer = 56, kTxtSerialNumber = 69,
                     kTxtFileSystem = 120, kTxtYes = 51, kTxtNo = 52;

} // namespace hl
