#pragma once

namespace liftvox::caption_id {

// The caption ids of the language files' "[TRANSLATIONS]" by name. The table
// of lang/caption_ids.cpp is written with these names, so a name and its row
// cannot drift apart. The main window's commands are named as their actions;
// a command's hint is the id after its caption's.

inline constexpr int kPlayHint = 1;
inline constexpr int kStopHint = 2;
inline constexpr int kAutoPlay = 3;
inline constexpr int kAutoPlayHint = 4;
inline constexpr int kDilSwitch4Hint = 5;
// ... the browser's places, its missing folder's note and its selector's hint.
inline constexpr int kBrowserHome = 2075;
inline constexpr int kBrowserRecordings = 2076;
inline constexpr int kBrowserMissingFolder = 2077;
inline constexpr int kBrowserPlacesHint = 2078;
inline constexpr int kDilSwitch5Hint = 6;
inline constexpr int kDilSwitch6Hint = 7;
inline constexpr int kDilSwitch7Hint = 8;
inline constexpr int kFileMenu = 9;
inline constexpr int kSequenceMenu = 10;
inline constexpr int kMessageMenu = 11;
inline constexpr int kAnnouncerMenu = 12;
inline constexpr int kProgramMenu = 13;
inline constexpr int kHelpMenu = 14;

inline constexpr int kFile_Exit = 15;
inline constexpr int kFile_Open = 17;
inline constexpr int kFile_SaveAs = 19;
inline constexpr int kFile_New = 21;
inline constexpr int kFile_Save = 23;
inline constexpr int kFile_NacistKonfiguraciZRevazie = 25;
inline constexpr int kFile_UlozDIL = 27;
inline constexpr int kFile_NactiDIL = 29;
inline constexpr int kFile_NacistPametZRevazie = 31;
inline constexpr int kFile_UlozPametNaDisk = 33;
inline constexpr int kSekvence_PridejObecnouSekvenci = 35;
inline constexpr int kSekvence_PridejSekvenciPatro = 37;
inline constexpr int kSekvence_SmazPatro = 39;
inline constexpr int kSekvence_VlastnostiPatra = 41;
inline constexpr int kSekvence_PrehratVsechnySekvence = 43;
inline constexpr int kSekvence_PrehratSekvenci = 45;
inline constexpr int kHlaska_SmazHlasku = 47;
inline constexpr int kHlaska_VlastnostiHlasky = 49;
inline constexpr int kHlaska_PridatTicho = 51;
inline constexpr int kHlaska_PrehratHlasku = 53;
inline constexpr int kRevazi_NastaveniDilPrepinacu = 55;
inline constexpr int kRevazi_PrectiVlastnostiHardware = 57;
inline constexpr int kRevazi_NahrajSW = 59;
inline constexpr int kRevazi_SestavPamet = 61;
inline constexpr int kRevazi_NaprogramujRevazi = 63;
inline constexpr int kRevazi_NaprogramujRevaziZeSouboru = 65;
inline constexpr int kRevazi_Detekce = 67;
inline constexpr int kRevazi_ZmenPoradiJazyku = 69;
inline constexpr int kRevazi_PridatTichoMeziJazyky = 71;
inline constexpr int kProgram_Nastaveni = 73;
inline constexpr int kHelp_Napoveda1 = 75;
inline constexpr int kHelp_OAplikaci1 = 77;
inline constexpr int kInterfaceMenu = 79;
inline constexpr int kInterfaceMenuHint = 80;
inline constexpr int kRevazi_ZmenaKodovani = 81;
inline constexpr int kFile_Pruvodce = 83;
inline constexpr int kSekvence_VlastnostiSpousteniPater = 85;

// `TKonfiguraceZRevazieForm`
namespace configuration_read_back {
inline constexpr int kTitle = 100;
inline constexpr int kStatusGroup = 101;
inline constexpr int kProgressLabel = 102;
inline constexpr int kPortLabel = 103;
inline constexpr int kPortValue = 104;
inline constexpr int kErrorCountLabel = 105;
inline constexpr int kClose = 106;
}  // namespace configuration_read_back

// `TNahrajFirmwareForm`
namespace firmware_upload {
inline constexpr int kTitle = 200;
inline constexpr int kStatusGroup = 201;
inline constexpr int kFileLabel = 202;
inline constexpr int kPortLabel = 203;
inline constexpr int kProgressLabel = 204;
inline constexpr int kStart = 206;
inline constexpr int kClose = 207;
}  // namespace firmware_upload

// `TNahrajZvukyForm`
namespace programming {
inline constexpr int kTitle = 300;
inline constexpr int kStatusGroup = 301;
inline constexpr int kProgressLabel = 302;
inline constexpr int kPortLabel = 303;
inline constexpr int kPortValue = 304;
inline constexpr int kErrorCountLabel = 305;
inline constexpr int kStart = 306;
inline constexpr int kClose = 307;
}  // namespace programming

// `TNastaveniDILForm`
namespace dil_settings {
inline constexpr int kTitle = 400;
inline constexpr int kEntryListLabel = 401;
inline constexpr int kEntryNameLabel = 402;
inline constexpr int kSwitchBoxesGroup = 403;
inline constexpr int kNoteOnSwitches1To3 = 404;
inline constexpr int kNoteOnSwitch8 = 405;
inline constexpr int kIconListLabel = 406;
inline constexpr int kNewEntry = 407;
inline constexpr int kClose = 408;
inline constexpr int kDeleteEntry = 409;
}  // namespace dil_settings

// `TPametZRevazieForm`
namespace memory_read_back {
inline constexpr int kTitle = 500;
inline constexpr int kStatusGroup = 501;
inline constexpr int kProgressLabel = 502;
inline constexpr int kPortLabel = 503;
inline constexpr int kPortValue = 504;
inline constexpr int kErrorCountLabel = 505;
inline constexpr int kClose = 506;
}  // namespace memory_read_back

// `TPoradiJazykuForm`
namespace language_order {
inline constexpr int kTitle = 600;
inline constexpr int kApply = 601;
inline constexpr int kCancel = 602;
}  // namespace language_order

// `TTichoForm`
namespace silence {
inline constexpr int kTitle = 700;
inline constexpr int kGroup = 701;
inline constexpr int kLengthLabel = 702;
inline constexpr int kUnit = 703;
inline constexpr int kOk = 704;
inline constexpr int kCancel = 705;
}  // namespace silence

// `TSetupForm`
namespace program_settings {
inline constexpr int kTitle = 800;
inline constexpr int kSerialPortGroup = 801;
inline constexpr int kDetectPort = 802;
inline constexpr int kChoosePort = 803;
inline constexpr int kOk = 804;
inline constexpr int kCancel = 805;
inline constexpr int kMemorySizeGroup = 806;
inline constexpr int kDetectMemorySize = 807;
inline constexpr int kChooseMemorySize = 808;
inline constexpr int kConfigurationGroup = 809;
inline constexpr int kStoreConfiguration = 810;
inline constexpr int kRefreshPorts = 2000;
}  // namespace program_settings

// `TVlastnostiHlaskyForm`
namespace message_properties {
inline constexpr int kTitle = 900;
inline constexpr int kGeneralGroup = 901;
inline constexpr int kFileLabel = 902;
inline constexpr int kLengthLabel = 903;
inline constexpr int kSilenceUnit = 904;
inline constexpr int kDilGroup = 905;
inline constexpr int kSwitchBoxes = 906;
inline constexpr int kOk = 907;
inline constexpr int kCancel = 908;
}  // namespace message_properties

// The sound as the announcer plays it: the encoder in `TSetupForm`, the
// waveform and its edits in `TVlastnostiHlaskyForm`.
namespace sound {
inline constexpr int kSettingsGroup = 2300;
inline constexpr int kEncoderLabel = 2301;
inline constexpr int kStandardEncoder = 2302;
inline constexpr int kBestEncoder = 2303;
inline constexpr int kEncoderNote = 2304;
inline constexpr int kWaveformGroup = 2310;
inline constexpr int kPeakLabel = 2311;
inline constexpr int kLengthLabel = 2312;
inline constexpr int kTrimSilence = 2313;
inline constexpr int kNormalise = 2314;
inline constexpr int kEditsNote = 2315;
}  // namespace sound

// `TVlastnostiHWForm`
namespace hardware_properties {
inline constexpr int kTitle = 1000;
inline constexpr int kGroup = 1001;
inline constexpr int kHardwareVersionLabel = 1002;
inline constexpr int kFirmwareVersionLabel = 1003;
inline constexpr int kMemorySizeLabel = 1004;
inline constexpr int kPortLabel = 1005;
inline constexpr int kPortValue = 1006;
inline constexpr int kHardwareVersionValue = 1007;
inline constexpr int kFirmwareVersionValue = 1008;
inline constexpr int kMemorySizeValue = 1009;
inline constexpr int kOk = 1010;
inline constexpr int kRefresh = 1011;
}  // namespace hardware_properties

// `TVlastnostiSekvenceForm`
namespace sequence_properties {
inline constexpr int kTitle = 1100;
inline constexpr int kGeneralGroup = 1101;
inline constexpr int kPriorityLabel = 1102;
inline constexpr int kNameLabel = 1103;
inline constexpr int kCodeLabel = 1104;
inline constexpr int kParallelInputLabel = 1105;
inline constexpr int kCancel = 1106;
inline constexpr int kOk = 1107;
inline constexpr int kParallelProtocolGroup = 1108;
inline constexpr int kSerialProtocolGroup = 1109;
inline constexpr int kSerialBitLabel = 1110;
inline constexpr int kInvertInput = 1111;
inline constexpr int kRepeat = 1112;
inline constexpr int kRepeatAfterLabel = 1113;
inline constexpr int kRepeatUnit = 1114;
inline constexpr int kPriorityRange = 1115;
}  // namespace sequence_properties

// `TAboutBox`
namespace about_box {
inline constexpr int kTitle = 1200;
inline constexpr int kProgramTitle = 1201;
inline constexpr int kSubtitle = 1202;
inline constexpr int kWebLink = 1203;
inline constexpr int kOk = 1204;
}  // namespace about_box

// `TZmenaKodovaniForm`
namespace coding_change {
inline constexpr int kTitle = 1300;
inline constexpr int kCodingGroup = 1301;
inline constexpr int kPolarityGroup = 1302;
inline constexpr int kOffsetGroup = 1303;
inline constexpr int kPreviewGroup = 1304;
inline constexpr int kBinaryCode = 1305;
inline constexpr int kGrayCode = 1306;
inline constexpr int kInvertedPolarity = 1307;
inline constexpr int kFloorStartLabel = 1308;
inline constexpr int kSpecialStartLabel = 1309;
inline constexpr int kCancel = 1310;
inline constexpr int kOk = 1311;
}  // namespace coding_change

// `TPruvodceForm`
namespace wizard {
inline constexpr int kTitle = 1400;
inline constexpr int kSequencesInstruction = 1401;
inline constexpr int kOfferedSequencesLabel = 1402;
inline constexpr int kChosenSequencesLabel = 1403;
inline constexpr int kLanguagesInstruction = 1404;
inline constexpr int kOfferedLanguagesLabel = 1405;
inline constexpr int kChosenLanguagesLabel = 1406;
inline constexpr int kFloorCountLabel = 1407;
inline constexpr int kLowestFloorLabel = 1408;
inline constexpr int kCodingGroup = 1409;
inline constexpr int kPolarityGroup = 1410;
inline constexpr int kFloorsGroup = 1411;
inline constexpr int kBinaryCode = 1412;
inline constexpr int kGrayCode = 1413;
inline constexpr int kInvertedPolarity = 1414;
inline constexpr int kCancel = 1415;
inline constexpr int kBack = 1416;
inline constexpr int kNext = 1417;
}  // namespace wizard

// `TVlastnostiSpousteniForm`
namespace triggering_properties {
inline constexpr int kTitle = 1500;
inline constexpr int kParallelProtocolGroup = 1501;
inline constexpr int kInvertParallelSpeak = 1502;
inline constexpr int kSerialProtocolGroup = 1503;
inline constexpr int kInvertSerialSpeak = 1504;
inline constexpr int kOk = 1505;
inline constexpr int kCancel = 1506;
}  // namespace triggering_properties

// `HelpWindow`, the guide shown by F1
namespace help_window {
inline constexpr int kTitle = 2050;
inline constexpr int kBack = 2051;
inline constexpr int kForward = 2052;
inline constexpr int kHome = 2053;
inline constexpr int kOpenInBrowser = 2054;
inline constexpr int kClose = 2055;
inline constexpr int kBrowserNotStarted = 2056;
}  // namespace help_window

// `MissingRecordingsDialog`, and its command `Hlaska_ChybejiciNahravky`
namespace missing_recordings {
inline constexpr int kTitle = 2100;
inline constexpr int kIntro = 2101;
inline constexpr int kNothingMissing = 2102;
inline constexpr int kSequencesColumn = 2103;
inline constexpr int kStoredPathColumn = 2104;
inline constexpr int kStateColumn = 2105;
inline constexpr int kFileColumn = 2106;
inline constexpr int kSearchFolder = 2107;
inline constexpr int kChooseFile = 2108;
inline constexpr int kSearching = 2109;
inline constexpr int kProposedNote = 2110;
inline constexpr int kOk = 2111;
inline constexpr int kCancel = 2112;
inline constexpr int kCommand = 2190;  // the hint is the next id
}  // namespace missing_recordings
// Programming several announcers at once, verifying and the production log:
// the command, `BatchProgrammingDialog`, and the controls they add to
// `TNahrajZvukyForm` and `TSetupForm`.
inline constexpr int kRevazi_NaprogramujViceHlasicu = 2290;
namespace batch_programming {
inline constexpr int kTitle = 2200;
inline constexpr int kPortColumn = 2201;
inline constexpr int kStateColumn = 2202;
inline constexpr int kProgressColumn = 2203;
inline constexpr int kErrorsColumn = 2204;
inline constexpr int kTimeColumn = 2205;
inline constexpr int kDevicePathLabel = 2206;
inline constexpr int kAddDevice = 2207;
inline constexpr int kDetect = 2208;
inline constexpr int kVerify = 2209;
inline constexpr int kOtherInterface = 2210;
inline constexpr int kStart = 2211;
inline constexpr int kStop = 2212;
inline constexpr int kClose = 2213;
}  // namespace batch_programming
namespace programming {
inline constexpr int kVerify = 2260;
inline constexpr int kActivityLabel = 2261;
}  // namespace programming
namespace program_settings {
inline constexpr int kProductionLogGroup = 2270;
inline constexpr int kWriteProductionLog = 2271;
inline constexpr int kChooseLogFile = 2272;
}  // namespace program_settings

}  // namespace liftvox::caption_id
