<#
.SYNOPSIS
    Records this Windows PC as a Hardlens snapshot, for viewing or reporting it elsewhere with
    hardlens --snapshot / hardlens-report --snapshot.

.DESCRIPTION
    Writes the same JSON that "hardlens-report.exe --capture FILE" writes, for machines where the
    program cannot be run: the WMI classes and properties the sections read (through the WMI
    scripting objects, so figures and dates come out exactly as the program receives them), the
    registry values it reads, the product-key bytes, two environment variables, the time since
    start-up, the number of mouse buttons and the regional settings.

    Run it in a 64-bit PowerShell (Windows PowerShell 5.1 or PowerShell 7); no administrator
    rights are needed, though some properties are only filled for an administrator:

        powershell -ExecutionPolicy Bypass -File record-snapshot.ps1 -Path mypc.json

.PARAMETER Path
    The snapshot file to write (UTF-8).

.PARAMETER Source
    Free text stored in the snapshot to say where it comes from.
#>
param(
    [Parameter(Mandatory = $true)][string]$Path,
    [string]$Source = "record-snapshot.ps1 on $env:COMPUTERNAME"
)

Set-StrictMode -Version 2
$ErrorActionPreference = 'Stop'

# The classes the sections read, in the order the program records them, with their properties.
$Classes = [ordered]@{
    Win32_OperatingSystem     = 'Caption', 'Version', 'BuildNumber', 'ServicePackMajorVersion',
                                'SerialNumber', 'OSLanguage', 'RegisteredUser', 'NumberOfProcesses',
                                'InstallDate', 'FreeVirtualMemory', 'TotalVirtualMemorySize',
                                'FreePhysicalMemory', 'LargeSystemCache'
    Win32_ComputerSystem      = 'Name', 'Manufacturer', 'Model', 'SystemType',
                                'AutomaticResetBootOption', 'SystemStartupDelay', 'Domain'
    Win32_UserAccount         = 'Name', 'Domain', 'AccountType', 'PasswordChangeable',
                                'PasswordExpires'
    Win32_NetworkLoginProfile = 'Name', 'Privileges', 'BadPasswordCount', 'LastLogon',
                                'NumberOfLogons'
    Win32_Processor           = 'Name', 'Caption', 'Manufacturer', 'SocketDesignation',
                                'Architecture', 'L2CacheSize', 'L3CacheSize'
    Win32_PhysicalMemory      = 'Capacity', 'MemoryType', 'FormFactor', 'DeviceLocator',
                                'TotalWidth', 'SMBIOSMemoryType'
    Win32_LogicalDisk         = 'Caption', 'DriveType', 'VolumeName', 'FileSystem',
                                'VolumeSerialNumber', 'Size', 'FreeSpace'
    Win32_DiskDrive           = 'Caption', 'InterfaceType', 'Partitions', 'Size'
    Win32_BIOS                = 'Name', 'Manufacturer', 'SMBIOSBIOSVersion', 'ReleaseDate',
                                'SerialNumber', 'PrimaryBIOS', 'SMBIOSMajorVersion'
    Win32_DesktopMonitor      = 'Name', 'MonitorManufacturer'
    Win32_VideoController     = 'Name', 'AdapterRAM', 'AdapterDACType', 'InstalledDisplayDrivers',
                                'DriverVersion', 'DriverDate', 'MinRefreshRate', 'MaxRefreshRate',
                                'CurrentHorizontalResolution', 'CurrentVerticalResolution',
                                'CurrentBitsPerPixel', 'CurrentRefreshRate'
    Win32_Keyboard            = 'Name', 'Description', 'NumberOfFunctionKeys'
    Win32_PointingDevice      = 'Name', 'Manufacturer', 'DeviceInterface', 'Handedness'
    Win32_CDROMDrive          = 'Drive', 'Name', 'MediaLoaded', 'Size'
    Win32_BaseBoard           = 'Manufacturer', 'Product'
    Win32_SoundDevice         = 'Name', 'Manufacturer'
}

$CimUInt32 = 19

# A property as a script receives it. The scripting objects already give 64-bit figures and
# datetimes as text; arrays are left out, as the program leaves them out.
function Get-PropertyValue($Object, [string]$Name) {
    try { $property = $Object.Properties_.Item($Name) } catch { return @{ Absent = $true } }
    if ($property.IsArray) { return @{ Absent = $true } }
    $value = $property.Value
    if ($null -ne $value -and $property.CIMType -eq $CimUInt32 -and $value -lt 0) {
        # uint32 travels in a signed 32-bit variant.
        $value = [int64]$value + 4294967296
    }
    return @{ Absent = $false; Value = $value }
}

function Get-WmiInstances($Service, [string]$Class, [string[]]$Names) {
    $instances = New-Object System.Collections.ArrayList
    # The enumeration may fail at its first step rather than at the call: guard both. A class
    # that cannot be read is recorded empty, as the program records it.
    try {
        foreach ($object in $Service.InstancesOf($Class)) {
            $record = [ordered]@{}
            foreach ($name in $Names) {
                $read = Get-PropertyValue $object $name
                if (-not $read.Absent) { $record[$name] = $read.Value }
            }
            [void]$instances.Add($record)
        }
    } catch {
        Write-Warning "$Class cannot be enumerated: $($_.Exception.Message)"
        $instances.Clear()
    }
    return , $instances
}

# WMI leaves MemoryType 0 for memory newer than DDR2 and gives the SMBIOS code in
# SMBIOSMemoryType; the program then takes that code in WMI's numbering, and so does the record.
# Up to DDR2 the two numberings differ (SMBIOS 0x12 DDR is WMI 20); from DDR3 (24) on they agree.
$SmbiosToWmiMemoryType = @{
    3 = 2; 4 = 6; 5 = 7; 6 = 8; 7 = 9; 8 = 10; 9 = 11; 10 = 12; 11 = 13; 12 = 14
    13 = 15; 14 = 16; 15 = 17; 16 = 18; 17 = 19; 18 = 20; 19 = 21; 20 = 22
}
foreach ($code in 24..35) { $SmbiosToWmiMemoryType[$code] = $code }

function Set-MemoryTypeFromSmbios($Module) {
    $type = $Module['MemoryType']
    if ($null -ne $type -and [int64]$type -ne 0) { return }
    $smbios = $Module['SMBIOSMemoryType']
    if ($null -eq $smbios -or -not $SmbiosToWmiMemoryType.ContainsKey([int]$smbios)) { return }
    $Module['MemoryType'] = $SmbiosToWmiMemoryType[[int]$smbios]
}

function Get-RegistryValues {
    $values = [ordered]@{}
    $cpuKey = 'HKLM:\HARDWARE\DESCRIPTION\System\CentralProcessor'
    for ($cpu = 0; $cpu -lt 8; $cpu++) {
        $item = Get-ItemProperty -Path "$cpuKey\$cpu" -Name '~MHz' -ErrorAction SilentlyContinue
        if ($item) {
            $path = "HKEY_LOCAL_MACHINE\HARDWARE\DESCRIPTION\System\CentralProcessor\$cpu\~MHz"
            $values[$path] = [int]$item.'~MHz'
        }
    }
    $board = Get-ItemProperty -Path 'HKCU:\Software\Install\Hardlens\Mainboard' -Name 'Full' `
        -ErrorAction SilentlyContinue
    if ($board) {
        $values['HKEY_CURRENT_USER\Software\Install\Hardlens\Mainboard\Full'] = [string]$board.Full
    }
    return $values
}

# The program reads the product id into a 164-byte buffer: a longer value does not fit and is
# not read; a shorter one comes back padded with zeros.
function Get-ProductIdHex {
    $key = Get-ItemProperty -Path 'HKLM:\SOFTWARE\Microsoft\Windows NT\CurrentVersion' `
        -Name 'DigitalProductId' -ErrorAction SilentlyContinue
    if (-not $key -or $key.DigitalProductId.Length -gt 164) { return $null }
    $bytes = New-Object byte[] 164
    [Array]::Copy($key.DigitalProductId, $bytes, $key.DigitalProductId.Length)
    $groups = for ($i = 0; $i -lt 164; $i += 4) {
        -join ($bytes[$i..($i + 3)] | ForEach-Object { $_.ToString('x2') })
    }
    return $groups -join ' '
}

function Get-TickCount {
    if ([Environment] | Get-Member -Static -Name TickCount64) { return [Environment]::TickCount64 }
    # Windows PowerShell has only the 32-bit count, which wraps after 49.7 days.
    return ([int64][Environment]::TickCount) -band 0xFFFFFFFF
}

$locator = New-Object -ComObject WbemScripting.SWbemLocator
$service = $locator.ConnectServer('.', 'ROOT\CIMV2')
$wmi = [ordered]@{}
foreach ($class in $Classes.Keys) {
    $wmi[$class] = Get-WmiInstances $service $class $Classes[$class]
}
foreach ($module in $wmi['Win32_PhysicalMemory']) { Set-MemoryTypeFromSmbios $module }

$binary = [ordered]@{}
$productId = Get-ProductIdHex
if ($productId) {
    $binary['HKEY_LOCAL_MACHINE\SOFTWARE\MICROSOFT\Windows NT\CurrentVersion\DigitalProductId'] =
        $productId
}

# The program is a 64-bit process: a 32-bit PowerShell sees "x86" here, the real one in
# PROCESSOR_ARCHITEW6432.
$architecture = if ($env:PROCESSOR_ARCHITEW6432) { $env:PROCESSOR_ARCHITEW6432 } else {
    $env:PROCESSOR_ARCHITECTURE }

Add-Type -AssemblyName System.Windows.Forms
$culture = Get-Culture

$snapshot = [ordered]@{
    format       = 'hardlens-snapshot/1'
    source       = $Source
    wmi          = $wmi
    registry     = Get-RegistryValues
    binary       = $binary
    environment  = [ordered]@{ USERNAME = [string]$env:USERNAME; PROCESSOR_ARCHITECTURE = [string]$architecture }
    tickCount    = [int64](Get-TickCount)
    mouseButtons = [int][System.Windows.Forms.SystemInformation]::MouseButtons
    regional     = [ordered]@{
        decimalSeparator = $culture.NumberFormat.NumberDecimalSeparator
        shortDate        = $culture.DateTimeFormat.ShortDatePattern
        am               = $culture.DateTimeFormat.AMDesignator
        pm               = $culture.DateTimeFormat.PMDesignator
    }
}

$json = ConvertTo-Json -InputObject $snapshot -Depth 8
# Relative to the PowerShell location, which .NET's own current folder need not follow.
$full = $ExecutionContext.SessionState.Path.GetUnresolvedProviderPathFromPSPath($Path)
[IO.File]::WriteAllText($full, $json, (New-Object System.Text.UTF8Encoding $false))
Write-Host "Snapshot written to $full"
