#include "QzComponents.h"

#include "Controls.h"
#include "QzBars.h"
#include "QzButtons.h"
#include "QzCApplication.h"
#include "QzContainers.h"
#include "QzEdits.h"
#include "QzImageControls.h"
#include "QzInert.h"
#include "QzLabels.h"
#include "QzLists.h"
#include "QzMemos.h"
#include "QzMenus.h"
#include "QzNonVisual.h"
#include "QzPkgImages.h"
#include "QzPkgStrings.h"
#include "QzSetEditors.h"

template <typename... T>
static QList<TClass> classes() {
    return {ClassOf<T>()...};
}

const QList<TQzPalettePage>& QzPaletteClasses() {
    static const QList<TQzPalettePage> pages{
        {QStringLiteral("Qz Standard"),
         classes<TQzCApplication, TQzCForm, TQzMainMenu, TQzPopupMenu, TQzLabel, TQzEdit,
                 TQzComboBox, TQzListBox, TQzMemo, TQzRichEdit, TQzImage, TQzFocusImage,
                 TQzCheckBox, TQzRadioButton, TQzGroupBox, TQzRadioGroup, TQzPanel, TQzScrollBox,
                 TQzPageControl, TQzBitBtn, TQzSpeedButton, TQzPkgImage, TQzShape, TQzUpDown,
                 TQzUpDownEx>()},
        {QStringLiteral("Qz Additional"),
         classes<TQzPkgImages, TQzPkgStrings, TQzPkgVars, TQzMemoBar, TQzRichEditBar, TQzImageBar,
                 TQzStatusBar, TQzSplitter, TQzProgressBar, TQzTimer, TQzThreadTimer, TQzImageForm,
                 TQzMoveForm, TQzPanelMenu, TQzOutLookBar, TQzPkgPrivileges, TQzLBPrivileges,
                 TQzSetsGroup, TQzRuler, TQzCBuffer, TQzFontComboBox, TQzFontListBox,
                 TQzExtScrollBar, TQzCFrame>()},
        {QStringLiteral("Qz Data Controls"),
         classes<TQzDbLabel, TQzDbEdit, TQzDbComboBox, TQzDbListBox, TQzDbMemo, TQzDbRichEdit,
                 TQzDbImage, TQzDbFocusImage, TQzDbCheckBox, TQzDbRadioGroup, TQzDbPageControl,
                 TQzDbNavigator, TQzDbBitBtn, TQzDbSpeedButton, TQzDbPkgImage>()},
        {QStringLiteral("Qz Editors"),
         classes<TQzLBSetsColor, TQzCBSetsColor, TQzLBSetsBackGround, TQzCBSetsBackGround,
                 TQzLBSetsFont, TQzCBSetsFont, TQzLBPkgImages, TQzCBPkgImages, TQzLBColors,
                 TQzCBColors, TQzCBPrinters, TQzPkgImagesAdd, TQzPkgImagesDesignRgn>()},
    };
    return pages;
}

const QList<TClass>& QzInertClasses() {
    static const QList<TClass> list =
        classes<TQzAnimate, TQzChart, TQzCheckListBox, TQzCompiler, TQzDbButtonCommit,
                TQzDbButtonRollback, TQzDbCursor, TQzDbDatabase, TQzDbDataSource, TQzDbLabelStatus,
                TQzDbNvEdition, TQzDbNvFilter, TQzDbNvUpDown, TQzDbSql, TQzDbStoredProc,
                TQzDbTransaction, TQzDbVMem, TQzDbVQuery, TQzDbVTable, TQzInc, TQzLabel3D,
                TQzLabelInsertMode, TQzLed, TQzListMenu, TQzMemoStatusLines, TQzProcess,
                TQzSeqPages, TQzVisualMenu>();
    return list;
}

const QList<TClass>& QzComponentClasses() {
    static const QList<TClass> list = [] {
        QList<TClass> all;
        for (const TQzPalettePage& page : QzPaletteClasses())
            all += page.Classes;
        all += classes<TQzMenuItem, TQzEditBtns, TQzTabSheet, TQzOutLookBarPage, TQzStatusBarPanel,
                       TQzTabControl, TQzCollection, TQzCollectionItem, TQzCFormDataSource,
                       TQzCustomMenu, TQzCustomEdit, TQzCustomComboBox, TQzCustomListBox,
                       TQzCustomMemo, TQzCustomImage, TQzCustomFocusImage, TQzBasicLabel,
                       TQzCustomPageControl, TQzCustomRichEditOle, TQzGraphicControl, TQzWinControl,
                       TQzScrollBarSettings, TDataSource, TDataSet, TQzSqlDataSet, TFont, TQzPen,
                       TQzBrush, TQzMemoryLabel, TQzMemoryMessage, TQzMemoryText, TQzMemoryImage,
                       TQzSetColor, TQzSetFont, TQzSetBackGround, TQzPrivilege, TQzMask,
                       TQzPkgDisplay, TQzPkgLanguage, TQzPkgSetup, TForm, TFrame, TDataModule>();
        all += QzInertClasses();
        return all;
    }();
    return list;
}

void QzRegisterComponentClasses() {
    RegisterEventType<TNotifyEvent>();
    RegisterStringType<TQzMultiLine>();
    for (TClass cls : QzComponentClasses())
        RegisterClass(cls);
}
