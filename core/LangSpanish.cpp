#include "StringTable.h"

namespace hl {

namespace {
const char* const kTexts[StringTable::kSize] = {
    /*   0 */ "Español (Argentina)",
    /*   1 */ "Traducción español por",
    /*   2 */ "Tarsel Omunde",
    /*   3 */ "", // TODO translate
    /*   4 */ "", // TODO translate
    /*   5 */ "", // TODO translate
    /*   6 */ "", // TODO translate
    /*   7 */ "", // TODO translate
    /*   8 */ "", // TODO translate
    /*   9 */ "Versión",
    /*  10 */ "Resumen",
    /*  11 */ "Usuario",
    /*  12 */ "Computadora",
    /*  13 */ "Sistema operativo",
    /*  14 */ "Procesador",
    /*  15 */ "Memoria RAM",
    /*  16 */ "Discos rígidos",
    /*  17 */ "Bios",
    /*  18 */ "Pantalla",
    /*  19 */ "Teclado y mouse",
    /*  20 */ "Memorias extraíbles",
    /*  21 */ "CDs/DVDs",
    /*  22 */ "Otros hardware",
    /*  23 */ "", // TODO translate
    /*  24 */ "Obtener nuevamente la información",
    /*  25 */ "Informe",
    /*  26 */ "Generar informe",
    /*  27 */ "Opciones",
    /*  28 */ "Personalizar",
    /*  29 */ "Acerca de...",
    /*  30 */ "Copiar",
    /*  31 */ "Salir",
    /*  32 */ "Copiar todo",
    /*  33 */ "Listo",
    /*  34 */ "", // TODO translate
    /*  35 */ "Violeta",
    /*  36 */ "", // TODO translate
    /*  37 */ "", // TODO translate
    /*  38 */ "", // TODO translate
    /*  39 */ "", // TODO translate
    /*  40 */ "", // TODO translate
    /*  41 */ "", // TODO translate
    /*  42 */ "", // TODO translate
    /*  43 */ "", // TODO translate
    /*  44 */ "", // TODO translate
    /*  45 */ "La información obtenida en esta sección corresponde a la cuenta de usuario que ha ejecutado Hardlens.",
    /*  46 */ "Temporal duplicada",
    /*  47 */ "", // TODO translate
    /*  48 */ "", // TODO translate
    /*  49 */ "", // TODO translate
    /*  50 */ "", // TODO translate
    /*  51 */ "", // TODO translate
    /*  52 */ "", // TODO translate
    /*  53 */ "", // TODO translate
    /*  54 */ "", // TODO translate
    /*  55 */ "", // TODO translate
    /*  56 */ "", // TODO translate
    /*  57 */ "", // TODO translate
    /*  58 */ "", // TODO translate
    /*  59 */ "", // TODO translate
    /*  60 */ "", // TODO translate
    /*  61 */ "", // TODO translate
    /*  62 */ "", // TODO translate
    /*  63 */ "", // TODO translate
    /*  64 */ "", // TODO translate
    /*  65 */ "", // TODO translate
    /*  66 */ "", // TODO translate
    /*  67 */ "", // TODO translate
    /*  68 */ "", // TODO translate
    /*  69 */ "", // TODO translate
    /*  70 */ "", // TODO translate
    /*  71 */ "", // TODO translate
    /*  72 */ "", // TODO translate
    /*  73 */ "", // TODO translate
    /*  74 */ "", // TODO translate
    /*  75 */ "", // TODO translate
    /*  76 */ "", // TODO translate
    /*  77 */ "", // TODO translate
    /*  78 */ "hs.",
    /*  79 */ "", // TODO translate
    /*  80 */ "", // TODO translate
    /*  81 */ "", // TODO translate
    /*  82 */ "", // TODO translate
    /*  83 */ "", // TODO translate
    /*  84 */ "", // TODO translate
    /*  85 */ "", // TODO translate
    /*  86 */ "", // TODO translate
    /*  87 */ "", // TODO translate
    /*  88 */ "", // TODO translate
    /*  89 */ "", // TODO translate
    /*  90 */ "", // TODO translate
    /*  91 */ "", // TODO translate
    /*  92 */ "", // TODO translate
    /*  93 */ "", // TODO translate
    /*  94 */ "", // TODO translate
    /*  95 */ "", // TODO translate
    /*  96 */ "", // TODO translate
    /*  97 */ "Rosado",
    /*  98 */ "", // TODO translate
    /*  99 */ "", // TODO translate
    /* 100 */ "", // TODO translate
    /* 101 */ "", // TODO translate
    /* 102 */ ".",
    /* 103 */ "", // TODO translate
    /* 104 */ "", // TODO translate
    /* 105 */ "", // TODO translate
    /* 106 */ "", // TODO translate
    /* 107 */ "", // TODO translate
    /* 108 */ "", // TODO translate
    /* 109 */ "", // TODO translate
    /* 110 */ "", // TODO translate
    /* 111 */ "", // TODO translate
    /* 112 */ "", // TODO translate
    /* 113 */ "", // TODO translate
    /* 114 */ "", // TODO translate
    /* 115 */ "", // TODO translate
    /* 116 */ "", // TODO translate
    /* 117 */ "", // TODO translate
    /* 118 */ "", // TODO translate
    /* 119 */ "", // TODO translate
    /* 120 */ "", // TODO translate
    /* 121 */ "", // TODO translate
    /* 122 */ "", // TODO translate
    /* 123 */ "", // TODO translate
    /* 124 */ "", // TODO translate
    /* 125 */ "", // TODO translate
    /* 126 */ "", // TODO translate
    /* 127 */ "", // TODO translate
    /* 128 */ "", // TODO translate
    /* 129 */ "", // TODO translate
    /* 130 */ "", // TODO translate
    /* 131 */ "", // TODO translate
    /* 132 */ "", // TODO translate
    /* 133 */ "", // TODO translate
    /* 134 */ "", // TODO translate
    /* 135 */ "", // TODO translate
    /* 136 */ "", // TODO translate
    /* 137 */ "", // TODO translate
    /* 138 */ "", // TODO translate
    /* 139 */ "", // TODO translate
    /* 140 */ "", // TODO translate
    /* 141 */ "", // TODO translate
    /* 142 */ "", // TODO translate
    /* 143 */ "", // TODO translate
    /* 144 */ "", // TODO translate
    /* 145 */ "", // TODO translate
    /* 146 */ "", // TODO translate
    /* 147 */ "", // TODO translate
    /* 148 */ "", // TODO translate
    /* 149 */ "", // TODO translate
    /* 150 */ "", // TODO translate
    /* 151 */ "", // TODO translate
    /* 152 */ "", // TODO translate
    /* 153 */ "", // TODO translate
    /* 154 */ "", // TODO translate
    /* 155 */ "", // TODO translate
    /* 156 */ "", // TODO translate
    /* 157 */ "", // TODO translate
    /* 158 */ "No se ha detectado ninguna unidad extraíble conectada a la PC.",
    /* 159 */ "Por favor, conecte al menos una unidad extraíble.",
    /* 160 */ "No se ha encontrado ningún CD/DVD en las unidades.",
    /* 161 */ "Por favor, inserte al menos un CD/DVD.",
    /* 162 */ "", // TODO translate
    /* 163 */ "", // TODO translate
    /* 164 */ "", // TODO translate
    /* 165 */ "", // TODO translate
    /* 166 */ "", // TODO translate
    /* 167 */ "", // TODO translate
    /* 168 */ "", // TODO translate
    /* 169 */ "", // TODO translate
    /* 170 */ "", // TODO translate
    /* 171 */ "", // TODO translate
    /* 172 */ "", // TODO translate
    /* 173 */ "", // TODO translate
    /* 174 */ "", // TODO translate
    /* 175 */ "", // TODO translate
    /* 176 */ "", // TODO translate
    /* 177 */ "", // TODO translate
    /* 178 */ "", // TODO translate
    /* 179 */ "", // TODO translate
    /* 180 */ "", // TODO translate
    /* 181 */ "", // TODO translate
    /* 182 */ "", // TODO translate
    /* 183 */ "", // TODO translate
    /* 184 */ "", // TODO translate
    /* 185 */ "", // TODO translate
    /* 186 */ "", // TODO translate
    /* 187 */ "", // TODO translate
    /* 188 */ "", // TODO translate
    /* 189 */ "", // TODO translate
    /* 190 */ "", // TODO translate
    /* 191 */ "", // TODO translate
    /* 192 */ "", // TODO translate
    /* 193 */ "", // TODO translate
    /* 194 */ "", // TODO translate
    /* 195 */ "", // TODO translate
    /* 196 */ "Informe generado por",
    /* 197 */ "del día",
    /* 198 */ "Generando informe... Espere por favor.",
    /* 199 */ "Sección",
    /* 200 */ "Progreso",
    /* 201 */ "completado...",
    /* 202 */ "Ver informe",
    /* 203 */ "Estado",
    /* 204 */ "Placa de video",
    /* 205 */ "Teclado",
    /* 206 */ "¡Muchas gracias por utilizar Hardlens!",
    /* 207 */ "Informe generado",
    /* 208 */ "Documento de texto (*.txt)|*.txt|",
    /* 209 */ "Guardar informe como...",
    /* 210 */ "¡Informe guardado satisfactoriamente!",
    /* 211 */ "Se canceló el guardado.",
    /* 212 */ "Informe cancelado",
    /* 213 */ "Completado",
    /* 214 */ "Informe de Hardlens",
    /* 215 */ "Azul",
    /* 216 */ "Verde",
    /* 217 */ "", // TODO translate
    /* 218 */ "", // TODO translate
    /* 219 */ "", // TODO translate
    /* 220 */ "", // TODO translate
    /* 221 */ "", // TODO translate
    /* 222 */ "", // TODO translate
    /* 223 */ "", // TODO translate
    /* 224 */ "", // TODO translate
    /* 225 */ "", // TODO translate
    /* 226 */ "", // TODO translate
    /* 227 */ "", // TODO translate
    /* 228 */ "", // TODO translate
    /* 229 */ "", // TODO translate
    /* 230 */ "", // TODO translate
    /* 231 */ "", // TODO translate
    /* 232 */ ",",
    /* 233 */ "Copiar informe al portapapeles",
    /* 234 */ "El informe se copió satisfactoriamente al portapapeles, ahora puede pegar el informe en cualquier editor de texto.",
    /* 235 */ "No se ha podido copiar el informe al portapapeles.",
    /* 236 */ "Guardar informe como...",
    /* 237 */ "¿Desea abrir el Bloc de Notas?",
    /* 238 */ "Página HTML (*.html)|*.html",
    /* 239 */ "Ninguno",
    /* 240 */ "Cambiar informe a...",
    /* 241 */ "Documento de texto",
    /* 242 */ "Página HTML",
    /* 243 */ "Editar informe",
    /* 244 */ "", // TODO translate
    /* 245 */ "", // TODO translate
    /* 246 */ "", // TODO translate
    /* 247 */ "", // TODO translate
};
} // namespace

void LangSpanish(StringTable& table) { table.Assign(kTexts, "Mouse"); }

} // namespace hl
