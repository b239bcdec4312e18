# The snapshot that hardlens-report.exe --capture wrote on this machine.
file(READ ${CAPTURE} doc)
string(JSON format GET "${doc}" format)
if(NOT format STREQUAL "hardlens-snapshot/1")
  message(FATAL_ERROR "format is \"${format}\"")
endif()
foreach(cls Win32_OperatingSystem Win32_ComputerSystem Win32_UserAccount
            Win32_NetworkLoginProfile Win32_Processor Win32_PhysicalMemory Win32_LogicalDisk
            Win32_DiskDrive Win32_BIOS Win32_DesktopMonitor Win32_VideoController Win32_Keyboard
            Win32_PointingDevice Win32_CDROMDrive Win32_BaseBoard Win32_SoundDevice
            Win32_PhysicalMemoryArray Hardlens_MemorySlot)
  string(JSON type ERROR_VARIABLE missing TYPE "${doc}" wmi ${cls})
  if(missing OR NOT type STREQUAL "ARRAY")
    message(FATAL_ERROR "class ${cls} not recorded")
  endif()
endforeach()
# Every Windows machine has exactly one running operating system and a processor 0.
string(JSON os_count LENGTH "${doc}" wmi Win32_OperatingSystem)
string(JSON caption GET "${doc}" wmi Win32_OperatingSystem 0 Caption)
string(JSON build GET "${doc}" wmi Win32_OperatingSystem 0 BuildNumber)
string(JSON mhz GET "${doc}" registry
       "HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0\\~MHz")
string(JSON user GET "${doc}" environment USERNAME)
string(JSON ticks GET "${doc}" tickCount)
string(JSON decimal GET "${doc}" regional decimalSeparator)
if(NOT os_count EQUAL 1 OR caption STREQUAL "" OR NOT build MATCHES "^[0-9]+$"
   OR NOT mhz GREATER 0 OR user STREQUAL "" OR NOT ticks GREATER 0 OR decimal STREQUAL "")
  message(FATAL_ERROR "implausible capture: ${os_count} OS, caption \"${caption}\", build "
                      "\"${build}\", ${mhz} MHz, user \"${user}\", ticks ${ticks}, "
                      "decimal \"${decimal}\"")
endif()
message("captured ${caption} build ${build}, processor 0 at ${mhz} MHz")
