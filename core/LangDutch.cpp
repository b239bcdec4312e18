#include "StringTable.h"

namespace hl {

namespace {
const char* const kTexts[StringTable::kSize] = {
    /*   0 */ "Nederlands (Nederland)",
    /*   1 */ "Nederlandse vertaling door",
    /*   2 */ "Brevin Haldoe",
    /*   3 */ "", // TODO translate
    /*   4 */ "", // TODO translate
    /*   5 */ "", // TODO translate
    /*   6 */ "", // TODO translate
    /*   7 */ "", // TODO translate
    /*   8 */ "", // TODO translate
    /*   9 */ "Versie",
    /*  10 */ "Overzicht",
    /*  11 */ "Gebruiker",
    /*  12 */ "Computer",
    /*  13 */ "Besturingssysteem",
    /*  14 */ "Processor",
    /*  15 */ "Geheugen",
    /*  16 */ "Harde schijven",
    /*  17 */ "BIOS",
    /*  18 */ "Beeldscherm",
    /*  19 */ "Toetsenbord en muis",
    /*  20 */ "Verwisselbare media",
    /*  21 */ "CD's/DVD's",
    /*  22 */ "Andere hardware",
    /*  23 */ "", // TODO translate
    /*  24 */ "De informatie opnieuw ophalen",
    /*  25 */ "Rapport",
    /*  26 */ "Een rapport maken",
    /*  27 */ "Opties",
    /*  28 */ "Aanpassen",
    /*  29 */ "Over...",
    /*  30 */ "Kopiëren",
    /*  31 */ "Afsluiten",
    /*  32 */ "Alles kopiëren",
    /*  33 */ "Klaar",
    /*  34 */ "", // TODO translate
    /*  35 */ "Violet",
    /*  36 */ "", // TODO translate
    /*  37 */ "", // TODO translate
    /*  38 */ "", // TODO translate
    /*  39 */ "", // TODO translate
    /*  40 */ "", // TODO translate
    /*  41 */ "", // TODO translate
    /*  42 */ "", // TODO translate
    /*  43 */ "", // TODO translate
    /*  44 */ "", // TODO translate
    /*  45 */ "De informatie in dit onderdeel het betrekking tot het gebruikersaccount dat Hardlens heeft uitgevoerd.",
    /*  46 */ "Temp duplicate",
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
    /*  78 */ "",
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
    /*  97 */ "Roze",
    /*  98 */ "", // TODO translate
    /*  99 */ "", // TODO translate
    /* 100 */ "", // TODO translate
    /* 101 */ "", // TODO translate
    /* 102 */ ",",
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
    /* 158 */ "Geen verwisselbare media verbonden.",
    /* 159 */ "Gelieve een verwisselbare schijf aan te sluiten.",
    /* 160 */ "Geen CD's/DVD's in de stations.",
    /* 161 */ "Gelieve een CD/DVD in te voeren.",
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
    /* 196 */ "Rapport gemaakt door",
    /* 197 */ "op",
    /* 198 */ "Rapport maken, even geduld a.u.b....",
    /* 199 */ "Onderdeel",
    /* 200 */ "Voortgang",
    /* 201 */ "voltooid...",
    /* 202 */ "Rapport bekijken",
    /* 203 */ "Status",
    /* 204 */ "Videokaart",
    /* 205 */ "Toetsenbord",
    /* 206 */ "Bedankt voor het gebruiken van Hardlens!",
    /* 207 */ "Rapport gemaakt",
    /* 208 */ "Tekstdocument (*.txt)|*.txt|",
    /* 209 */ "Rapport opslaan als...",
    /* 210 */ "Rapport gemaakt!",
    /* 211 */ "Opslaan geannuleerd.",
    /* 212 */ "Opslaan geannuleerd.",
    /* 213 */ "Voltooid",
    /* 214 */ "Hardlens Rapport",
    /* 215 */ "Blauw",
    /* 216 */ "Groen",
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
    /* 232 */ ".",
    /* 233 */ "Rapport naar het klembord kopiëren",
    /* 234 */ "Het rapport is succesvol naar het klembord gekopiëerd. Je kunt het nu in een tekstbewerker plakken.",
    /* 235 */ "Kon het rapport niet naar het klembord kopiëren.",
    /* 236 */ "Rapport opslaan als...",
    /* 237 */ "Wilt u Kladblok openen?",
    /* 238 */ "HTML-pagina (*.html)|*.html",
    /* 239 */ "Geen",
    /* 240 */ "Rapport wijzigen naar...",
    /* 241 */ "Tekstdocument",
    /* 242 */ "HTML-pagina",
    /* 243 */ "Rapport bewerken",
    /* 244 */ "", // TODO translate
    /* 245 */ "", // TODO translate
    /* 246 */ "", // TODO translate
    /* 247 */ "", // TODO translate
};
} // namespace

void LangDutch(StringTable& table) { table.Assign(kTexts, "Muis"); }

} // namespace hl
