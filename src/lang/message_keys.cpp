#include "lang/message_keys.h"

#include <algorithm>
#include <array>

namespace liftvox {
namespace {

constexpr auto kMessageTexts = std::to_array<MessageText>({
    {"AboutMemory", "Fyzická paměť: %d MB"},
    {"AboutSystem", "Operační systém: %s"},
    {"AboutVersion", "Verze %s"},
    // "Žádný" heads the parallel-input list, "Žádným" the serial-bit list.
    {"ActivateByNone", "Žádný"},
    {"ActivateByNone", "Žádným"},
    {"ActiveInterface", "Aktivní rozhraní:"},
    {"AddSample", "Přidání hlášky"},
    {"Autodetection", "Autodetekce"},
    // Loading an image file names the file; programming from a file does not.
    {"BadFileFormat", "Soubor %s má špatný formát!"},
    {"BadFileFormat", "Soubor má špatný formát!"},
    {"BitExists", "Tento bit je již přiřazen sekvenci \"%s\"!"},
    {"CodeChanging", "Změna kódu"},
    {"CodeExists", "Tento kód je již přiřazen sekvenci \"%s\"!"},
    {"CommunicationError", "Chyba komunikace! Pokračovat v přenosu?"},
    // Opening a file says "Načítání", reading it from the announcer "Načtení".
    {"ConfLoad", "Načítání konfigurace"},
    {"ConfLoad", "Načtení konfigurace"},
    {"ConfNotSaved", "Současná konfigurace nebyla uložena. Přejete si ji uložit?"},
    {"ConfSave", "Uložení konfigurace"},
    {"ConfigurationTooLarge",
     "Konfigurace by v souboru %s zabrala %s bajtů, ale načíst lze nejvýše %s bajtů. Nebyla "
     "uložena."},
    {"ConfigurationUpLoad", "Skutečně chcete naprogramovat paměť hlásiče?"},
    {"Convert", "Převést"},
    {"ConvertNormalise", "Normalizovat (špička na -1 dBFS)"},
    {"CsvFiles", "Soubory CSV (*.csv)"},
    {"DILLoad", "Načítání DIL konfigurace"},
    {"DILSave", "Ukládání konfigurace DIL"},
    {"DataForMemory", "Data byla sestavena pro paměť %d. Paměť není možno naprogramovat!"},
    {"DefaultFileName", "Konfigurace.cfg"},
    {"DetectedMemory", "Detekovaná paměť:"},
    {"Detection", "Detekce..."},
    {"DifferentInterface",
     "V hlásiči je nastaveno rozhraní \"%s\". Pokoušíte se nastavit rozhraní \"%s\". Přejete si "
     "pokračovat?"},
    {"DoesntMatter", "Nezáleží"},
    {"Done", "Hotovo"},
    {"File", "Soubor"},
    {"FileForMemory", "Tento soubor byl sestaven pro paměť: %s. Soubor není možno načíst!"},
    {"FileTooLarge", "Soubor %s nelze načíst: je delší než %s bajtů."},
    // The file dialogs' type filters.
    {"FilterConfiguration", "Konfigurace hlásiče (*.cfg)"},
    {"FilterDil", "Nastavení DIL přepínače (*.dil)"},
    {"FilterHex", "Intel HEX soubor (*.hex)"},
    {"FilterImage", "Binarni soubory paměti (*.bin)"},
    {"FilterSupported", "Podporované formáty (*.cfg *.bin)"},
    {"Finish", "&Konec"},
    {"FirmwareCommunicationError", "Chyba komunikace s hlásičem. Zkontrolujte prosím propojení."},
    {"FirmwareUpLoad", "Skutečně chcete nahrát do hlásiče nový software?"},
    {"FirmwareUploadError", "Chyba programování hlásiče!"},
    {"FirmwareUploading", "Nahrávání software"},
    {"GuideMissing", "Nápověda nebyla nalezena: chybí soubor %s."},
    {"HWProperties", "Vlastnosti hardware"},
    {"ImageProblem", "Soubor %s nelze naprogramovat, jeho obsah je poškozený: %s."},
    // Programming several announcers: the memory they get and, when the
    // configuration changed since it was built, that it is out of date.
    {"ImageStale", "Sestavená paměť neodpovídá aktuální konfiguraci."},
    {"ImageToProgram", "Paměť k naprogramování: %d bajtů pro paměť %s."},
    // "Interface" + the number of each interface in Interfaces.ini; the
    // default is the menu item's caption, the name in that file.
    {"Interface0", "Standardní"},
    {"Interface1", "Paralelní binární kód"},
    {"Interface2", "Paralelní Grayův kód"},
    {"Interface3", "Sériový protokol"},
    // A batch's announcer set to another interface, not programmed.
    {"InterfaceDeclined", "Hlásič je nastaven na jiné rozhraní."},
    {"Length", "Délka"},
    {"MemoryAutodetection", "Autodetekce paměti..."},
    {"MemoryBuilding", "Generování paměti"},
    {"MemoryBuilt", "Byla sestavena paměť hlásiče o velikosti %d kB."},
    {"MemoryFromSpeaker", "Paměť z hlásiče"},
    {"MemoryFull", "Příliš mnoho dat. Do této paměti se nevejdou!"},
    {"MemoryIncludeConf", "Paměť obsahuje konfiguraci hlásiče, přejete si ji načíst?"},
    {"MemoryLoad", "Načítání paměti"},
    {"MemorySave", "Uložení paměti"},
    {"MemoryUsed", "Využitá paměť"},
    {"NewDILSettings", "Nastavení"},
    {"NewSekv", "Přidání sekvence"},
    {"Next", "&Další"},
    {"OldFW", "V hlásiči je stará verze software. Prosím, nahrajte novou (minimálně verze 3.4)"},
    {"PinExists", "Tento pin je již přiřazen sekvenci \"%s\"!"},
    {"ProductionLogOff", "Protokol výroby se nezapisuje."},
    {"ProductionLogTo", "Protokol výroby: %s"},
    {"ProgramAgain", "Naprogramovat hlásič znovu?"},
    {"ProgramCaption", "Liftvox"},
    {"ReBuild", "Přejete si znovu sestavit paměť podle aktuální konfigurace?"},
    // The missing recordings dialog: a folder search that stopped at its
    // bounds (folder levels, entries), and a recording's state in its list.
    {"RecordingSearchCut",
     "Hledání skončilo na své mezi (%d úrovní složek, %d položek): další soubory mohou ležet v "
     "tom, co nebylo prohledáno."},
    {"RecordingStateAmbiguous", "nejednoznačná"},
    {"RecordingStateFound", "nalezena"},
    {"RecordingStateFoundElsewhere", "nalezena jinde"},
    {"RecordingStateMissing", "chybí"},
    // Loading: recordings taken from other folders or under other letter case.
    {"RecordingsFoundElsewhere", "Nahrávky nalezené jinde, než uvádí konfigurace: %d"},
    // The undo and redo menu items, followed by the step's name.
    {"Redo", "Znovu"},
    {"SampleCopy", "Kopírování hlášky"},
    {"SampleDIL", "Změna DIL hlášky"},
    {"SampleDelete", "Smazání hlášky"},
    {"SampleDeleteConfirm", "Skutečně chcete smazat hlášku %s?"},
    {"SampleMove", "Přesun hlášky"},
    {"SamplesCut", "Sekvence může obsahovat nejvýše %d hlášek; zbytek nebyl načten u sekvencí %s."},
    {"SamplesTooMany", "Sekvence může obsahovat nejvýše %d hlášek."},
    // The special sequences: the short input name, and with "Hint" the name a
    // new sequence of that kind gets.
    {"SekvAlarm", "ALARM"},
    {"SekvAlarmHint", "Požární režim"},
    {"SekvClose", "ZAVIR"},
    {"SekvCloseHint", "Dveře se zavírají"},
    {"SekvCopy", "Kopírování sekvence"},
    {"SekvCut", "Konfigurace může obsahovat nejvýše %d sekvencí; %d dalších nebylo načteno."},
    {"SekvDelete", "Smazání sekvence"},
    {"SekvDeleteConfirm", "Skutečně chcete smazat sekvenci %s (%s)?"},
    {"SekvDown", "DOLU"},
    {"SekvDownHint", "Výtah jede dolů"},
    {"SekvFloorNumbered", "%s. patro"},
    {"SekvGround", "Přízemí"},
    {"SekvMove", "Přesun sekvence"},
    {"SekvOpen", "OTVIR"},
    {"SekvOpenHint", "Dveře se otevírají"},
    {"SekvOverload", "PRETIZ"},
    {"SekvOverloadHint", "Výtah je přetížen"},
    {"SekvSubfloor", "Suterén"},
    {"SekvSubfloor2", "2. suterén"},
    {"SekvSubfloor3", "3. suterén"},
    {"SekvTooMany", "Maximální počet sekvencí je %d."},
    {"SekvUniv", "UNIV"},
    {"SekvUnivHint", "Univerzální vstup"},
    {"SekvUp", "NAHORU"},
    {"SekvUpHint", "Výtah jede nahoru"},
    {"SelectedMemory", "Zvolená paměť:"},
    {"Silence", "Ticho"},
    {"SilenceClamped",
     "Ticho může trvat %d až %d vzorků; délka %d tich ze souboru byla upravena do tohoto rozsahu."},
    {"SilenceLength", "Změna délky ticha"},
    {"SoundUploading", "Programování paměti hlásiče"},
    {"SpeakerDetected", "Hlásič detekován"},
    {"SpeakerNotConnected", "Hlásič není připojen, nebo má špatně nastaveny propojky!"},
    // The status bar and the hardware properties say "detekován", the
    // programming run adds "!", the read-back runs say "nalezen".
    {"SpeakerNotDetected", "Hlásič nebyl detekován"},
    {"SpeakerNotDetected", "Hlásič nebyl detekován!"},
    {"SpeakerNotDetected", "Hlásič nebyl nalezen!"},
    // What a programming run is doing, in the programming dialogs.
    {"StateFailed", "Chyba"},
    {"StateStopped", "Zastaveno"},
    {"StateVerifying", "Ověřování"},
    {"StateWaiting", "Čeká"},
    {"StateWriting", "Zápis"},
    // The button that stops opening a large configuration.
    {"Stop", "&Zastavit"},
    {"Trying", "Testuji"},
    {"UnableFindConf", "Hlásič neobsaguje konfigurační data!"},
    {"UnableLoadFile", "Soubor %s nelze načíst!"},
    {"UnableOpenPort", "Nepodařilo se otevřít port COM%d!"},
    // The status bar's note when a preview cannot be heard.
    {"UnableToPlay", "Zvuk nelze přehrát"},
    {"UnableWriteFile", "Do souboru %s nelze zapisovat!"},
    {"Undo", "Zpět"},
    {"UnknownInterface", "neznámé"},
    {"UnknownMemorySize", "neznámá"},
    {"VerifyFailed",
     "Ověření po programování selhalo: liší se %d bajtů, první na adrese %s (stránka %d)."},
    {"VerifyTime",
     "Ověření zdvojnásobí dobu programování: zápis této paměti trvá asi %s min, s ověřením asi %s "
     "min. Po chybách přenosu se paměť ověří vždy."},
    {"WavFormat", "Zvukový soubor musí mít formát 14456Hz mono!"},
    {"WavSampleRate", "Soubor %s udává vzorkovací kmitočet %d Hz, takový zvuk nelze použít!"},
    // The filter of the file dialog that chooses a recording.
    {"WaveFileFilter", "Zvukové soubory (*.wav)"},
});

constexpr bool KeyLess(const MessageText& a, const MessageText& b) { return a.key < b.key; }

// Lookups search by key, so a row out of place would hide a key.
static_assert(std::is_sorted(kMessageTexts.begin(), kMessageTexts.end(), KeyLess));

}  // namespace

std::span<const MessageText> MessageTexts() { return kMessageTexts; }

std::vector<std::string_view> CzechTextsOf(std::string_view key) {
  const auto [first, last] =
      std::equal_range(kMessageTexts.begin(), kMessageTexts.end(), MessageText{key, {}}, KeyLess);
  std::vector<std::string_view> texts;
  for (auto it = first; it != last; ++it) texts.push_back(it->czech);
  return texts;
}

bool IsMessageKey(std::string_view key) { return !CzechTextsOf(key).empty(); }

}  // namespace liftvox
