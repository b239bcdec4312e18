#pragma once

#include "core/StringTable.h"

namespace hl {

// Entries of the texts of the devices of Processor, RAM and Display (core/TextsBoard.cpp).
enum : int {
    // Kinds of device.
    kTxtProcessorKind = kBoardTextsFirst,
    kTxtMemoryArrayKind,
    kTxtMemoryModuleKind,
    kTxtGpuKind,
    kTxtMonitorKind,
    // Processor packages.
    kTxtModel,
    kTxtManufacturer,
    kTxtCores,
    kTxtThreads,
    kTxtRatedSpeed,
    kTxtMaximumSpeed,
    kTxtKindsOfCore,
    kTxtL1DataCache,
    kTxtL1InstructionCache,
    kTxtL2Cache,
    kTxtL3Cache,
    kTxtVirtualization,
    kTxtHypervisor,
    kTxtInstructionSets,
    kTxtVulnerabilities,
    kTxtPerformanceCores,
    kTxtEfficiencyCores,
    kTxtPlainCores,
    kTxtNone,
    kTxtYes,
    kTxtNo,
    kTxtPresent,
    // Memory arrays and modules.
    kTxtSlots,
    kTxtFreeSlots,
    kTxtMaximumCapacity,
    kTxtErrorCorrection,
    kTxtParity,
    kTxtSingleBitEcc,
    kTxtMultiBitEcc,
    kTxtSlot,
    kTxtBank,
    kTxtInstalled,
    kTxtSize,
    kTxtType,
    kTxtFormFactor,
    kTxtConfiguredSpeed,
    kTxtPartNumber,
    kTxtSerialNumber,
    kTxtRank,
    kTxtDataWidth,
    kTxtTotalWidth,
    kTxtVoltage,
    // Graphics cards and monitors.
    kTxtDriver,
    kTxtDriverVersion,
    kTxtMemory,
    kTxtMemoryFrom,
    kTxtFromDriver,
    kTxtFromPciWindow,
    kTxtPciSlot,
    kTxtBootGpu,
    kTxtYearOfManufacture,
    kTxtImageSize,
    kTxtDiagonal,
    kTxtCurrentMode,
    kTxtPreferredMode,
    kTxtRefreshRates,
    kTxtConnector,
    kTxtGraphicsCard,
    kTxtBoardTextsEnd
};

} // namespace hl
