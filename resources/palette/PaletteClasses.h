#pragma once

// The classes that carry palette pictures: the four palette pages in their order, then the
// library classes that have pictures but no palette entry (known by resource name only).

#include <array>
#include <span>

namespace QzPalette {

inline constexpr const char* StandardClasses[] = {
    "TQzCApplication", "TQzCForm",      "TQzMainMenu",  "TQzPopupMenu",   "TQzLabel",
    "TQzEdit",         "TQzComboBox",   "TQzListBox",   "TQzMemo",        "TQzRichEdit",
    "TQzImage",        "TQzFocusImage", "TQzCheckBox",  "TQzRadioButton", "TQzGroupBox",
    "TQzRadioGroup",   "TQzPanel",      "TQzScrollBox", "TQzPageControl", "TQzBitBtn",
    "TQzSpeedButton",  "TQzPkgImage",   "TQzShape",     "TQzUpDown",      "TQzUpDownEx"};

inline constexpr const char* AdditionalClasses[] = {
    "TQzPkgImages",     "TQzPkgStrings",   "TQzPkgVars",      "TQzMemoBar",     "TQzRichEditBar",
    "TQzImageBar",      "TQzStatusBar",    "TQzSplitter",     "TQzProgressBar", "TQzTimer",
    "TQzThreadTimer",   "TQzImageForm",    "TQzMoveForm",     "TQzPanelMenu",   "TQzOutLookBar",
    "TQzPkgPrivileges", "TQzLBPrivileges", "TQzSetsGroup",    "TQzRuler",       "TQzCBuffer",
    "TQzFontComboBox",  "TQzFontListBox",  "TQzExtScrollBar", "TQzCFrame"};

inline constexpr const char* DataControlClasses[] = {
    "TQzDbLabel",       "TQzDbEdit",      "TQzDbComboBox",   "TQzDbListBox",     "TQzDbMemo",
    "TQzDbRichEdit",    "TQzDbImage",     "TQzDbFocusImage", "TQzDbCheckBox",    "TQzDbRadioGroup",
    "TQzDbPageControl", "TQzDbNavigator", "TQzDbBitBtn",     "TQzDbSpeedButton", "TQzDbPkgImage"};

inline constexpr const char* EditorClasses[] = {
    "TQzLBSetsColor",       "TQzCBSetsColor", "TQzLBSetsBackGround", "TQzCBSetsBackGround",
    "TQzLBSetsFont",        "TQzCBSetsFont",  "TQzLBPkgImages",      "TQzCBPkgImages",
    "TQzLBColors",          "TQzCBColors",    "TQzCBPrinters",       "TQzPkgImagesAdd",
    "TQzPkgImagesDesignRgn"};

struct Page {
    const char* title;
    std::span<const char* const> classes;
};

inline constexpr std::array<Page, 4> Pages{{{"Qz Standard", StandardClasses},
                                            {"Qz Additional", AdditionalClasses},
                                            {"Qz Data Controls", DataControlClasses},
                                            {"Qz Editors", EditorClasses}}};

// Library classes with pictures that are not put on the palette. Those marked `large16` carry
// their 24 x 24, 16-colour picture under the "16" name too; the others have a 16 x 16,
// 256-colour one there.
struct InertClass {
    const char* resourceName;
    bool large16;
};

inline constexpr InertClass InertClasses[] = {{"TQZANIMATE", true},
                                              {"TQZCHART", false},
                                              {"TQZCHECKLISTBOX", false},
                                              {"TQZCOMPILER", true},
                                              {"TQZDBBUTTONCOMMIT", true},
                                              {"TQZDBBUTTONROLLBACK", true},
                                              {"TQZDBCURSOR", true},
                                              {"TQZDBDATABASE", true},
                                              {"TQZDBDATASOURCE", true},
                                              {"TQZDBLABELSTATUS", true},
                                              {"TQZDBNVEDITION", true},
                                              {"TQZDBNVFILTER", true},
                                              {"TQZDBNVUPDOWN", true},
                                              {"TQZDBSQL", true},
                                              {"TQZDBSTOREDPROC", true},
                                              {"TQZDBTRANSACTION", true},
                                              {"TQZDBVMEM", true},
                                              {"TQZDBVQUERY", true},
                                              {"TQZDBVTABLE", true},
                                              {"TQZINC", true},
                                              {"TQZLABEL3D", false},
                                              {"TQZLABELINSERTMODE", true},
                                              {"TQZLED", false},
                                              {"TQZLISTMENU", false},
                                              {"TQZMEMOSTATUSLINES", true},
                                              {"TQZPROCESS", true},
                                              {"TQZSEQPAGES", true},
                                              {"TQZVISUALMENU", false}};

// The one registered class whose 16 x 16 picture has 16 colours instead of 256.
inline constexpr const char* Small16ColourClass = "TQzUpDownEx";

} // namespace QzPalette
