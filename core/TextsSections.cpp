#include "TextsSections.h"

#include "StringTable.h"

// Texts of the Sensors, Battery and Network sections.

namespace hl {

namespace {
const Translation kTexts[] = {
    {"Sensores", "Sensors", "Sensoren"}, // kTxtSensors
    {"Batería", "Battery", "Accu"},      // kTxtBattery
    {"Red", "Network", "Netwerk"},       // kTxtNetwork
    {"Temperatura del procesador", "Processor temperature",
     "Processortemperatuur"}, // kTxtCpuTemperature
    {"Temperatura de la gráfica", "Graphics temperature",
     "Temperatuur grafische kaart"},                                    // kTxtGpuTemperature
    {"Temperatura del disco", "Disk temperature", "Schijftemperatuur"}, // kTxtDiskTemperature
    {"Temperatura del sistema", "System temperature",
     "Systeemtemperatuur"},                                          // kTxtSystemTemperature
    {"Sensor más caliente", "Hottest sensor", "Warmste sensor"},     // kTxtHottest
    {"Velocidad del ventilador", "Fan speed", "Ventilatorsnelheid"}, // kTxtFanSpeed
    {"Ventiladores", "Fans", "Ventilatoren"},                        // kTxtFanCount
    {"Consumo", "Power draw", "Opgenomen vermogen"},                 // kTxtPowerDraw
    {"Tensión", "Voltage", "Spanning"},                              // kTxtVoltage
    {"Lecturas", "Readings", "Metingen"},                            // kTxtReadings
    {"Chips de sensores", "Sensor chips", "Sensorchips"},            // kTxtChips
    {"Esta máquina no expone sensores de temperatura, ventiladores ni tensiones.",
     "This machine exposes no temperature, fan or voltage sensors.",
     "Deze machine heeft geen temperatuur-, ventilator- of spanningssensoren."}, // kTxtNoSensors
    {"Carga", "Charge", "Lading"},                                               // kTxtCharge
    {"Estado", "State", "Toestand"},                                             // kTxtState
    {"Salud", "Health", "Conditie"},                                             // kTxtHealth
    {"Ciclos de carga", "Charge cycles", "Laadcycli"},                           // kTxtCycles
    {"Tecnología", "Technology", "Technologie"},                                 // kTxtTechnology
    {"Modelo", "Model", "Model"},                                                // kTxtModel
    {"Tiempo hasta agotarse", "Time to empty", "Tijd tot leeg"},                 // kTxtTimeToEmpty
    {"Tiempo hasta la carga completa", "Time to full", "Tijd tot vol"},          // kTxtTimeToFull
    {"Capacidad a plena carga", "Full charge capacity",
     "Capaciteit bij volle lading"},                         // kTxtFullCapacity
    {"Adaptador de corriente", "AC adapter", "Netadapter"},  // kTxtAcAdapter
    {"Cargando", "Charging", "Laden"},                       // kTxtCharging
    {"Descargando", "Discharging", "Ontladen"},              // kTxtDischarging
    {"Carga completa", "Fully charged", "Volledig geladen"}, // kTxtFullyCharged
    {"Sin cargar", "Not charging", "Laadt niet"},            // kTxtNotCharging
    {"Conectado", "Connected", "Verbonden"},                 // kTxtConnected
    {"Desconectado", "Disconnected", "Niet verbonden"},      // kTxtDisconnected
    {"Esta máquina no tiene batería.", "This machine has no battery.",
     "Deze machine heeft geen accu."},                            // kTxtNoBattery
    {"Adaptador", "Adapter", "Adapter"},                          // kTxtAdapter
    {"Interfaz", "Interface", "Interface"},                       // kTxtInterface
    {"Tipo de conexión", "Connection type", "Verbindingstype"},   // kTxtConnectionType
    {"Cableada", "Wired", "Bekabeld"},                            // kTxtWired
    {"Inalámbrica", "Wireless", "Draadloos"},                     // kTxtWireless
    {"Velocidad de enlace", "Link speed", "Verbindingssnelheid"}, // kTxtLinkSpeed
    {"Dirección MAC", "MAC address", "MAC-adres"},                // kTxtMacAddress
    {"Dirección IPv4", "IPv4 address", "IPv4-adres"},             // kTxtIpv4
    {"Dirección IPv6", "IPv6 address", "IPv6-adres"},             // kTxtIpv6
    {"Puerta de enlace predeterminada", "Default gateway", "Standaardgateway"}, // kTxtGateway
    {"Controlador", "Driver", "Stuurprogramma"},                                // kTxtDriver
    {"Otros adaptadores", "Other adapters", "Andere adapters"},                 // kTxtOtherAdapters
    {"No presente", "Not present", "Niet aanwezig"},                            // kTxtNotPresent
    {"Esta máquina no tiene adaptadores de red.", "This machine has no network adapter.",
     "Deze machine heeft geen netwerkadapter."},                     // kTxtNoAdapters
    {"Sensor", "Sensor", "Sensor"},                                  // kTxtSensor
    {"Chip", "Chip", "Chip"},                                        // kTxtChip
    {"Etiqueta", "Label", "Label"},                                  // kTxtLabel
    {"Tipo", "Kind", "Soort"},                                       // kTxtKind
    {"Valor", "Value", "Waarde"},                                    // kTxtValue
    {"Mínimo", "Low", "Minimum"},                                    // kTxtLow
    {"Máximo", "High", "Maximum"},                                   // kTxtHigh
    {"Crítico", "Critical", "Kritiek"},                              // kTxtCritical
    {"Capacidad de diseño", "Design capacity", "Ontwerpcapaciteit"}, // kTxtDesignCapacity
    {"Energía actual", "Energy now", "Huidige energie"},             // kTxtEnergyNow
    {"Número de serie", "Serial number", "Serienummer"},             // kTxtSerial
    {"Adaptador de red", "Network adapter", "Netwerkadapter"},       // kTxtNetworkAdapter
    {"Fabricante", "Manufacturer", "Fabrikant"},                     // kTxtManufacturer
    {"Temperatura", "Temperature", "Temperatuur"},                   // kTxtTemperature
    {"Ventilador", "Fan", "Ventilator"},                             // kTxtFan
    {"Corriente", "Current", "Stroom"},                              // kTxtCurrent
    {"Potencia", "Power", "Vermogen"},                               // kTxtPower
    {"baterías", "batteries", "accu's"},                             // kTxtBatteriesFound
};
} // namespace

const TextBlock kSectionTexts = {kSectionTextsFirst, kTexts};

} // namespace hl
