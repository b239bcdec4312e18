#include "StringTable.h"

// Texts of the devices of Hard drives, Keyboard and mouse and Other hardware: their kinds and
// their fields' captions. sections/PeripheralTexts.h names each entry.

namespace hl {

namespace {
const Translation kTexts[] = {
    // kinds, from kPeripheralTextsFirst
    {"Disco", "Disk", "Schijf"},
    {"Partición", "Partition", "Partitie"},
    {"Dispositivo de entrada", "Input device", "Invoerapparaat"},
    {"Tarjeta de sonido", "Sound card", "Geluidskaart"},
    {"Dispositivo PCI", "PCI device", "PCI-apparaat"},
    {"Dispositivo USB", "USB device", "USB-apparaat"},
    // disk and partition fields
    {"Modelo", "Model", "Model"},
    {"Tamaño", "Size", "Grootte"},
    {"Interfaz", "Interface", "Interface"},
    {"Disco giratorio", "Spinning disk", "Draaiende schijf"},
    {"Firmware", "Firmware", "Firmware"},
    {"Temperatura", "Temperature", "Temperatuur"},
    {"Particiones", "Partitions", "Partities"},
    {"Punto de montaje", "Mount point", "Koppelpunt"},
    // input device fields and kinds
    {"Tipo", "Kind", "Soort"},
    {"Bus", "Bus", "Bus"},
    {"Id. de fabricante y producto", "Vendor and product id", "Fabrikant- en product-id"},
    {"Teclado", "Keyboard", "Toetsenbord"},
    {"Ratón", "Mouse", "Muis"},
    {"Panel táctil", "Touchpad", "Touchpad"},
    {"Pantalla táctil", "Touch screen", "Aanraakscherm"},
    {"Tableta gráfica", "Graphics tablet", "Tekentablet"},
    // sound card, PCI and USB fields
    {"Identificador", "Identifier", "Identificatie"},
    {"Controlador", "Driver", "Stuurprogramma"},
    {"Clase", "Class", "Klasse"},
    {"Dirección en el bus", "Bus address", "Busadres"},
    {"Velocidad", "Speed", "Snelheid"},
};
} // namespace

const TextBlock kPeripheralTexts = {kPeripheralTextsFirst, kTexts};

} // namespace hl
