#include "lang/caption_ids.h"

#include <algorithm>
#include <array>

namespace liftvox {
namespace {

constexpr CaptionProperty Caption = CaptionProperty::Caption;
constexpr CaptionProperty Hint = CaptionProperty::Hint;

constexpr auto kCaptionIds = std::to_array<CaptionId>({
    // Main window: the sample browser's buttons and the DIL simulation boxes.
    {1, Hint, "Přehrát vybranou hlášku nebo sekvenci", "PlayButton (sample browser)"},
    {2, Hint, "Zastavit přehrávání", "StopButton (sample browser)"},
    {3, Caption, "Auto", "AutoPlayButton (sample browser)"},
    {4, Hint, "Přehrát hlášku hned, jak je vybrána", "AutoPlayButton (sample browser)"},
    {5, Hint, "DIL 4 - Simuluj nastavení DIL, podle kterého se přehrají sekvence",
     "CheckBox1, DIL switch 4 simulation (fourth tool bar)"},
    {6, Hint, "DIL 5 - Simuluj nastavení DIL, podle kterého se přehrají sekvence",
     "CheckBox2, DIL switch 5 simulation (fourth tool bar)"},
    {7, Hint, "DIL 6 - Simuluj nastavení DIL, podle kterého se přehrají sekvence",
     "CheckBox3, DIL switch 6 simulation (fourth tool bar)"},
    {8, Hint, "DIL 7 - Simuluj nastavení DIL, podle kterého se přehrají sekvence",
     "CheckBox4, DIL switch 7 simulation (fourth tool bar)"},
    // The six tool-bar menu buttons.
    {9, Caption, "&Soubor", "File menu"},
    {10, Caption, "S&ekvence", "Sequence menu"},
    {11, Caption, "Hláš&ka", "Message menu"},
    {12, Caption, "&Hlásič", "Announcer menu"},
    {13, Caption, "&Program", "Program menu"},
    {14, Caption, "&Nápověda", "Help menu"},
    // Commands: the caption, then the hint of the same action.
    {15, Caption, "&Konec", "File_Exit"},
    {16, Hint, "Ukončit program", "File_Exit"},
    {17, Caption, "&Otevřít konfguraci...", "File_Open"},
    {18, Hint, "Otevřít konfiguraci nebo soubor paměti", "File_Open"},
    {19, Caption, "Uložit konfiguraci &jako...", "File_SaveAs"},
    {20, Hint, "Uložit konfiguraci pod novým jménem", "File_SaveAs"},
    {21, Caption, "&Nová konfigurace", "File_New"},
    {22, Hint, "Vytvořit novou konfiguraci", "File_New"},
    {23, Caption, "&Uložit konfiguraci", "File_Save"},
    {24, Hint, "Uložit konfiguraci", "File_Save"},
    {25, Caption, "Načíst konfiguraci z &hlásiče...", "File_NacistKonfiguraciZRevazie"},
    {26, Hint, "Načíst konfiguraci uloženou v hlásiči", "File_NacistKonfiguraciZRevazie"},
    {27, Caption, "Uložit nastavení &DIL...", "File_UlozDIL"},
    {28, Hint, "Uložit nastavení DIL přepínačů do souboru", "File_UlozDIL"},
    {29, Caption, "Načíst nastavení D&IL...", "File_NactiDIL"},
    {30, Hint, "Načíst nastavení DIL přepínačů ze souboru", "File_NactiDIL"},
    {31, Caption, "Načíst &paměť z hlásiče...", "File_NacistPametZRevazie"},
    {32, Hint, "Načíst obsah paměti hlásiče", "File_NacistPametZRevazie"},
    {33, Caption, "Uložit pa&měť na disk...", "File_UlozPametNaDisk"},
    {34, Hint, "Uložit sestavenou paměť do souboru", "File_UlozPametNaDisk"},
    {35, Caption, "&Přidej obecnou sekvenci", "Sekvence_PridejObecnouSekvenci"},
    {36, Hint, "Přidat sekvenci obecné události", "Sekvence_PridejObecnouSekvenci"},
    {37, Caption, "Při&dej sekvenci pro patro", "Sekvence_PridejSekvenciPatro"},
    {38, Hint, "Přidat sekvenci pro další patro", "Sekvence_PridejSekvenciPatro"},
    {39, Caption, "&Smaž sekvenci", "Sekvence_SmazPatro"},
    {40, Hint, "Smazat vybranou sekvenci", "Sekvence_SmazPatro"},
    {41, Caption, "&Vlastnosti sekvence...", "Sekvence_VlastnostiPatra"},
    {42, Hint, "Jméno, kód, vstup a opakování vybrané sekvence", "Sekvence_VlastnostiPatra"},
    {43, Caption, "Přehrát &všechny sekvence", "Sekvence_PrehratVsechnySekvence"},
    {44, Hint, "Přehrát všechny sekvence od vybrané", "Sekvence_PrehratVsechnySekvence"},
    {45, Caption, "Přeh&rát sekvenci", "Sekvence_PrehratSekvenci"},
    {46, Hint, "Přehrát vybranou sekvenci", "Sekvence_PrehratSekvenci"},
    {47, Caption, "&Smaž hlášku", "Hlaska_SmazHlasku"},
    {48, Hint, "Smazat vybranou hlášku", "Hlaska_SmazHlasku"},
    {49, Caption, "&Vlastnosti hlášky...", "Hlaska_VlastnostiHlasky"},
    {50, Hint, "Délka a nastavení DIL vybrané hlášky", "Hlaska_VlastnostiHlasky"},
    {51, Caption, "&Přidat ticho...", "Hlaska_PridatTicho"},
    {52, Hint, "Přidat ticho za vybranou hlášku", "Hlaska_PridatTicho"},
    {53, Caption, "Přeh&rát hlášku", "Hlaska_PrehratHlasku"},
    {54, Hint, "Přehrát vybranou hlášku", "Hlaska_PrehratHlasku"},
    {55, Caption, "&Nastavení DIL přepínačů...", "Revazi_NastaveniDilPrepinacu"},
    {56, Hint, "Upravit seznam nastavení DIL přepínačů", "Revazi_NastaveniDilPrepinacu"},
    {57, Caption, "&Vlastnosti hardware...", "Revazi_PrectiVlastnostiHardware"},
    {58, Hint, "Přečíst verzi, paměť a rozhraní připojeného hlásiče",
     "Revazi_PrectiVlastnostiHardware"},
    {59, Caption, "Nahrát nový &software...", "Revazi_NahrajSW"},
    {60, Hint, "Nahrát do hlásiče nový software ze souboru HEX", "Revazi_NahrajSW"},
    {61, Caption, "S&estavit paměť", "Revazi_SestavPamet"},
    {62, Hint, "Sestavit paměť hlásiče z konfigurace", "Revazi_SestavPamet"},
    {63, Caption, "Na&programovat hlásič...", "Revazi_NaprogramujRevazi"},
    {64, Hint, "Zapsat sestavenou paměť do hlásiče", "Revazi_NaprogramujRevazi"},
    {65, Caption, "Naprogramovat hlásič ze &souboru...", "Revazi_NaprogramujRevaziZeSouboru"},
    {66, Hint, "Zapsat do hlásiče paměť uloženou v souboru", "Revazi_NaprogramujRevaziZeSouboru"},
    {67, Caption, "&Detekce hlásiče", "Revazi_Detekce"},
    {68, Hint, "Vyhledat hlásič a zjistit velikost jeho paměti", "Revazi_Detekce"},
    {69, Caption, "Změna pořadí &jazyků...", "Revazi_ZmenPoradiJazyku"},
    {70, Hint, "Změnit pořadí jazyků ve všech sekvencích", "Revazi_ZmenPoradiJazyku"},
    {71, Caption, "Přid&at ticho mezi jazyky", "Revazi_PridatTichoMeziJazyky"},
    {72, Hint, "Vložit ticho všude, kde se v sekvenci mění jazyk", "Revazi_PridatTichoMeziJazyky"},
    {73, Caption, "&Nastavení programu...", "Program_Nastaveni"},
    {74, Hint, "Sériový port, velikost paměti a uložení konfigurace", "Program_Nastaveni"},
    {75, Caption, "&Nápověda", "Help_Napoveda1"},
    {76, Hint, "Zobrazit nápovědu", "Help_Napoveda1"},
    {77, Caption, "&O programu...", "Help_OAplikaci1"},
    {78, Hint, "Verze programu a kontakt na výrobce", "Help_OAplikaci1"},
    {79, Caption, "R&ozhraní přednastavené v paměti",
     "RozhraniProKtereSeSestavujePamet, the interface submenu"},
    {80, Hint, "Rozhraní, pro které se sestavuje paměť",
     "RozhraniProKtereSeSestavujePamet, the interface submenu"},
    {81, Caption, "Z&měna kódování pater...", "Revazi_ZmenaKodovani"},
    {82, Hint, "Hromadně přečíslovat kódy pater a speciálních sekvencí", "Revazi_ZmenaKodovani"},
    {83, Caption, "&Průvodce konfigurací...", "File_Pruvodce"},
    {84, Hint, "Sestavit novou konfiguraci pomocí průvodce", "File_Pruvodce"},
    {85, Caption, "&Vlastnosti spouštění pater...", "Sekvence_VlastnostiSpousteniPater"},
    {86, Hint, "Polarita signálu MLUV paralelního a sériového protokolu",
     "Sekvence_VlastnostiSpousteniPater"},

    // Read configuration from the announcer.
    {100, Caption, "Načtení konfigurace z hlásiče", "configuration read-back dialog: title"},
    {101, Caption, "Stav:", "configuration read-back: status group"},
    {102, Caption, "Průběh:", "configuration read-back: progress label"},
    {103, Caption, "Port:", "configuration read-back: port label"},
    {104, Caption, "Detekce...", "configuration read-back: port value"},
    {105, Caption, "Chyb přenosu:", "configuration read-back: transfer error count label"},
    {106, Caption, "&Konec", "configuration read-back: close button"},

    // Firmware upload.
    {200, Caption, "Nahraj do hlásiče nový software", "firmware upload dialog: title"},
    {201, Caption, "Stav:", "firmware upload: status group"},
    {202, Caption, "Soubor:", "firmware upload: HEX file label"},
    {203, Caption, "Port:", "firmware upload: port label"},
    {204, Caption, "Průběh programování:", "firmware upload: progress label"},
    {206, Caption, "&Start", "firmware upload: start button"},
    {207, Caption, "&Zavřít", "firmware upload: close button"},

    // Programming the announcer.
    {300, Caption, "Programování hlásiče", "programming dialog: title"},
    {301, Caption, "Stav:", "programming: status group"},
    {302, Caption, "Průběh:", "programming: progress label"},
    {303, Caption, "Port:", "programming: port label"},
    {304, Caption, "Detekce...", "programming: port value"},
    {305, Caption, "Chyb přenosu:", "programming: transfer error count label"},
    {306, Caption, "&Start", "programming: start button"},
    {307, Caption, "&Konec", "programming: close button"},

    // DIL switch settings.
    {400, Caption, "Nastavení DIL přepínačů", "DIL settings dialog: title"},
    {401, Caption, "Nastavení:", "DIL settings: entry list label"},
    {402, Caption, "Název:", "DIL settings: entry name label"},
    {403, Caption, "Stav přepínače, kdy se přehraje hláška:", "DIL settings: switch boxes group"},
    {404, Caption, "Přepínače 1-3 jsou vyhrazeny pro změnu základové stanice.",
     "DIL settings: note on switches 1 to 3"},
    {405, Caption, "Přepínač 8 je diagnostický režim.", "DIL settings: note on switch 8"},
    {406, Caption, "Ikona:", "DIL settings: icon list label"},
    {407, Caption, "&Nové nastavení", "DIL settings: new entry button"},
    {408, Caption, "&Zavřít", "DIL settings: close button"},
    {409, Caption, "&Smazat nastavení", "DIL settings: delete entry button"},

    // Read memory from the announcer.
    {500, Caption, "Načtení paměti z hlásiče", "memory read-back dialog: title"},
    {501, Caption, "Stav:", "memory read-back: status group"},
    {502, Caption, "Průběh:", "memory read-back: progress label"},
    {503, Caption, "Port:", "memory read-back: port label"},
    {504, Caption, "Detekce...", "memory read-back: port value"},
    {505, Caption, "Chyb přenosu:", "memory read-back: transfer error count label"},
    {506, Caption, "&Konec", "memory read-back: close button"},

    // Language order.
    {600, Caption, "Změna pořadí jazyků", "language order dialog: title"},
    {601, Caption, "&Změň", "language order: apply button"},
    {602, Caption, "&Strono", "language order: cancel button"},

    // Silence between languages.
    {700, Caption, "Přidat ticho mezi jazyky", "silence dialog: title"},
    {701, Caption, "Délka ticha:", "silence: group"},
    {702, Caption, "Délka:", "silence: length label"},
    {703, Caption, "[ms]", "silence: unit label"},
    {704, Caption, "&OK", "silence: OK button"},
    {705, Caption, "&Zrušit", "silence: cancel button"},

    // Program settings.
    {800, Caption, "Nastavení programu", "program settings dialog: title"},
    {801, Caption, "Sériový port", "program settings: serial port group"},
    {802, Caption, "&Autodetekce", "program settings: detect the port automatically"},
    {803, Caption, "&Zvolit port", "program settings: choose the port"},
    {804, Caption, "&OK", "program settings: OK button"},
    {805, Caption, "&Zrušit", "program settings: cancel button"},
    {806, Caption, "Velikost paměti:", "program settings: memory size group"},
    {807, Caption, "Autodetekce", "program settings: detect the memory size automatically"},
    {808, Caption, "Zvolit velikost", "program settings: choose the memory size"},
    {809, Caption, "Konfigurace", "program settings: configuration group"},
    {810, Caption, "Ukládat konfigurační soubor do hlásiče.",
     "program settings: store the configuration in the image"},

    // Message properties.
    {900, Caption, "Vlastnosti hlášky", "message properties dialog: title"},
    {901, Caption, "Obecné:", "message properties: general group"},
    {902, Caption, "Soubor:", "message properties: file label"},
    {903, Caption, "Délka:", "message properties: length label"},
    {904, Caption, "[ms]", "message properties: silence length unit"},
    {905, Caption, "Nastavení DIL přepínačů:", "message properties: DIL group"},
    {906, Caption,
     "Stav přepínače, kdy se přehraje hláška:", "message properties: switch boxes group"},
    {907, Caption, "&OK", "message properties: OK button"},
    {908, Caption, "&Zrušit", "message properties: cancel button"},

    // Hardware properties.
    {1000, Caption, "Vlastnosti hardware", "hardware properties dialog: title"},
    {1001, Caption, "Vlastnosti hlásiče", "hardware properties: group"},
    {1002, Caption, "Verze hardware:", "hardware properties: hardware version label"},
    {1003, Caption, "Verze software:", "hardware properties: firmware version label"},
    {1004, Caption, "Velikost paměti:", "hardware properties: memory size label"},
    {1005, Caption, "Komunikační port:", "hardware properties: port label"},
    {1006, Caption, "neurčen", "hardware properties: port value"},
    {1007, Caption, "neznámá", "hardware properties: hardware version value"},
    {1008, Caption, "neznámá", "hardware properties: firmware version value"},
    {1009, Caption, "neznámá", "hardware properties: memory size value"},
    {1010, Caption, "&OK", "hardware properties: OK button"},
    {1011, Caption, "&Obnovit", "hardware properties: refresh button"},

    // Sequence properties.
    {1100, Caption, "Nastavení sekvence", "sequence properties dialog: title"},
    {1101, Caption, "Obecné vlastnosti:", "sequence properties: general group"},
    {1102, Caption, "Priorita sekvence:", "sequence properties: priority label"},
    {1103, Caption, "Jméno sekvence:", "sequence properties: name label"},
    {1104, Caption, "Kód:", "sequence properties: code label"},
    {1105, Caption, "Spouštění vstupem:", "sequence properties: parallel input label"},
    {1106, Caption, "&Zrušit", "sequence properties: cancel button"},
    {1107, Caption, "&OK", "sequence properties: OK button"},
    {1108, Caption, " Paralelní protokol: ", "sequence properties: parallel protocol group"},
    {1109, Caption, " Vícebytový sériový protokol: ", "sequence properties: serial protocol group"},
    {1110, Caption, "Spouštění bitem číslo:", "sequence properties: serial bit label"},
    {1111, Caption, "Invertovat bit", "sequence properties: invert the parallel input"},
    {1112, Caption, "Automatické opakování", "sequence properties: repeat check box"},
    {1113, Caption, "Opakovat za:", "sequence properties: repeat interval label"},
    {1114, Caption, "sekund.", "sequence properties: repeat interval unit"},
    {1115, Caption, "(0 - 15)", "sequence properties: priority range note"},

    // About box.
    {1200, Caption, "O programu", "about box: title"},
    {1201, Caption, "Liftvox", "about box: program title"},
    {1202, Caption, "Editor konfigurace", "about box: subtitle"},
    {1203, Caption, "Webové stránky výrobce", "about box: web link text"},
    {1204, Caption, "&OK", "about box: OK button"},

    // Coding change.
    {1300, Caption, "Hromadná změna kódování pater", "coding change dialog: title"},
    {1301, Caption, "Typ kódování pater ", "coding change: coding group"},
    {1302, Caption, "Polarita signálů ", "coding change: polarity group"},
    {1303, Caption, "Posunutí ", "coding change: offset group"},
    {1304, Caption, "Ukázka ", "coding change: preview group"},
    {1305, Caption, "Binární kód", "coding change: binary code"},
    {1306, Caption, "Grayův kód", "coding change: Gray code"},
    {1307, Caption, "Invertovaná", "coding change: inverted polarity"},
    {1308, Caption, "Začít od:", "coding change: floor start label"},
    {1309, Caption, "Spec. sekvence od:", "coding change: special sequence start label"},
    {1310, Caption, "&Zrušit", "coding change: cancel button"},
    {1311, Caption, "&OK", "coding change: OK button"},

    // New configuration wizard.
    {1400, Caption, "Průvodce konfigurací", "wizard: title"},
    {1401, Caption, "Vyberte speciální sekvence, které chcete použít.",
     "wizard page 1: instruction"},
    {1402, Caption, "Možnosti:", "wizard page 1: offered sequences label"},
    {1403, Caption, "Použité sekvence:", "wizard page 1: chosen sequences label"},
    {1404, Caption, "Vyberte jazyky, které chcete použít.", "wizard page 3: instruction"},
    {1405, Caption, "Možnosti:", "wizard page 3: offered languages label"},
    {1406, Caption, "Použité jazyky:", "wizard page 3: chosen languages label"},
    {1407, Caption, "Počet stanic:", "wizard page 2: floor count label"},
    {1408, Caption, "Začni od:", "wizard page 2: lowest floor label"},
    {1409, Caption, " Typ kódování pater ", "wizard page 2: coding group"},
    {1410, Caption, " Polarita signálů ", "wizard page 2: polarity group"},
    {1411, Caption, " Patra ", "wizard page 2: floors group"},
    {1412, Caption, "Binární kód", "wizard page 2: binary code"},
    {1413, Caption, "Grayův kód", "wizard page 2: Gray code"},
    {1414, Caption, "Invertovaná", "wizard page 2: inverted polarity"},
    {1415, Caption, "&Zrušit", "wizard: cancel button"},
    {1416, Caption, "&Předchozí", "wizard: back button"},
    {1417, Caption, "&Další", "wizard: next button"},

    // Triggering properties.
    {1500, Caption, "Vlastnosti spouštění pater", "triggering properties dialog: title"},
    {1501, Caption, " Paralelní protokol ", "triggering properties: parallel protocol group"},
    {1502, Caption, "Invertuj signál MLUV",
     "triggering properties: invert the parallel speak signal"},
    {1503, Caption, " Sériový protokol ", "triggering properties: serial protocol group"},
    {1504, Caption, "Invertuj signál MLUV",
     "triggering properties: invert the serial speak signal"},
    {1505, Caption, "&OK", "triggering properties: OK button"},
    {1506, Caption, "&Zrušit", "triggering properties: cancel button"},
});

constexpr bool IdLess(const CaptionId& a, const CaptionId& b) { return a.id < b.id; }

// FindCaptionId searches by id; an entry out of place, or one id twice, would
// hide a control.
static_assert(std::adjacent_find(kCaptionIds.begin(), kCaptionIds.end(),
                                 [](const CaptionId& a, const CaptionId& b) {
                                   return !IdLess(a, b);
                                 }) == kCaptionIds.end());

}  // namespace

std::span<const CaptionId> CaptionIds() { return kCaptionIds; }

const CaptionId* FindCaptionId(int id) {
  const auto it = std::lower_bound(kCaptionIds.begin(), kCaptionIds.end(),
                                   CaptionId{id, CaptionProperty::Caption, {}, {}}, IdLess);
  return it != kCaptionIds.end() && it->id == id ? &*it : nullptr;
}

}  // namespace liftvox
