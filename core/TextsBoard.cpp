#include "BoardTexts.h"
#include "StringTable.h"

// Texts of the devices of Processor, RAM and Display: their kinds and their fields' captions.

namespace hl {

namespace {
const Translation kTexts[] = {
    {"Procesador", "Processor", "Processor"},
    {"Matriz de memoria", "Memory array", "Geheugenbank"},
    {"Módulo de memoria", "Memory module", "Geheugenmodule"},
    {"Tarjeta gráfica", "Graphics card", "Grafische kaart"},
    {"Monitor", "Monitor", "Beeldscherm"},
    // Processor packages.
    {"Modelo", "Model", "Model"},
    {"Fabricante", "Manufacturer", "Fabrikant"},
    {"Núcleos", "Cores", "Kernen"},
    {"Hilos", "Threads", "Threads"},
    {"Velocidad nominal", "Rated speed", "Nominale snelheid"},
    {"Velocidad máxima", "Maximum speed", "Maximale snelheid"},
    {"Tipos de núcleo", "Kinds of core", "Soorten kernen"},
    {"Caché L1 de datos", "L1 data cache", "L1-datacache"},
    {"Caché L1 de instrucciones", "L1 instruction cache", "L1-instructiecache"},
    {"Caché L2", "L2 cache", "L2-cache"},
    {"Caché L3", "L3 cache", "L3-cache"},
    {"Virtualización", "Virtualization", "Virtualisatie"},
    {"Hipervisor", "Hypervisor", "Hypervisor"},
    {"Juegos de instrucciones", "Instruction sets", "Instructiesets"},
    {"Vulnerabilidades", "Vulnerabilities", "Kwetsbaarheden"},
    {"núcleos de rendimiento", "performance cores", "prestatiekernen"},
    {"núcleos de eficiencia", "efficiency cores", "efficiëntiekernen"},
    {"núcleos", "cores", "kernen"},
    {"Ninguno", "None", "Geen"},
    {"Sí", "Yes", "Ja"},
    {"No", "No", "Nee"},
    {"Presente", "Present", "Aanwezig"},
    // Memory arrays and modules.
    {"Ranuras", "Slots", "Sleuven"},
    {"Ranuras libres", "Free slots", "Vrije sleuven"},
    {"Capacidad máxima", "Maximum capacity", "Maximale capaciteit"},
    {"Corrección de errores", "Error correction", "Foutcorrectie"},
    {"Paridad", "Parity", "Pariteit"},
    {"ECC de un bit", "Single-bit ECC", "Enkelbits-ECC"},
    {"ECC multibit", "Multi-bit ECC", "Multibits-ECC"},
    {"Ranura", "Slot", "Sleuf"},
    {"Banco", "Bank", "Bank"},
    {"Módulo instalado", "Module installed", "Module geplaatst"},
    {"Tamaño", "Size", "Grootte"},
    {"Tipo", "Type", "Type"},
    {"Formato", "Form factor", "Vormfactor"},
    {"Velocidad configurada", "Configured speed", "Ingestelde snelheid"},
    {"Número de pieza", "Part number", "Onderdeelnummer"},
    {"Número de serie", "Serial number", "Serienummer"},
    {"Rango", "Rank", "Rank"},
    {"Ancho de datos", "Data width", "Databreedte"},
    {"Ancho total", "Total width", "Totale breedte"},
    {"Voltaje", "Voltage", "Spanning"},
    // Graphics cards and monitors.
    {"Controlador", "Driver", "Stuurprogramma"},
    {"Versión del controlador", "Driver version", "Versie stuurprogramma"},
    {"Memoria", "Memory", "Geheugen"},
    {"Memoria según", "Memory according to", "Geheugen volgens"},
    {"el controlador", "the driver", "het stuurprogramma"},
    {"la ventana PCI (estimación)", "the PCI window (an estimate)", "het PCI-venster (schatting)"},
    {"Ranura PCI", "PCI slot", "PCI-sleuf"},
    {"GPU de arranque", "Boot GPU", "Opstart-GPU"},
    {"Año de fabricación", "Year of manufacture", "Bouwjaar"},
    {"Tamaño de la imagen", "Image size", "Beeldgrootte"},
    {"Diagonal", "Diagonal", "Diagonaal"},
    {"Modo actual", "Current mode", "Huidige modus"},
    {"Modo preferido", "Preferred mode", "Voorkeursmodus"},
    {"Frecuencias de refresco", "Refresh rates", "Verversingsfrequenties"},
    {"Conector", "Connector", "Aansluiting"},
    {"Tarjeta gráfica", "Graphics card", "Grafische kaart"},
};
static_assert(std::size(kTexts) == kTxtBoardTextsEnd - kBoardTextsFirst);
static_assert(kTxtBoardTextsEnd <= kPeripheralTextsFirst);
} // namespace

const TextBlock kBoardTexts = {kBoardTextsFirst, kTexts};

} // namespace hl
