#pragma once

// Classes of the library that this package does not put on the palette. They carry only what
// their base publishes, so that forms holding them can still be read and written.

#include "QzButtons.h"
#include "QzData.h"
#include "QzLabels.h"
#include "QzLists.h"

class TQzAnimate : public TQzGraphicControl {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzAnimate(TComponent* owner = nullptr) : TQzGraphicControl(owner) {}
};

class TQzChart : public TQzWinControl {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzChart(TComponent* owner = nullptr) : TQzWinControl(owner) {}
};

class TQzCheckListBox : public TQzCustomListBox {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzCheckListBox(TComponent* owner = nullptr) : TQzCustomListBox(owner) {}
};

class TQzCompiler : public TComponent {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzCompiler(TComponent* owner = nullptr) : TComponent(owner) {}
};

class TQzDbButtonCommit : public TQzBitBtn {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzDbButtonCommit(TComponent* owner = nullptr) : TQzBitBtn(owner) {}
};

class TQzDbButtonRollback : public TQzBitBtn {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzDbButtonRollback(TComponent* owner = nullptr) : TQzBitBtn(owner) {}
};

class TQzDbCursor : public TComponent {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzDbCursor(TComponent* owner = nullptr) : TComponent(owner) {}
};

class TQzDbDatabase : public TComponent {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzDbDatabase(TComponent* owner = nullptr) : TComponent(owner) {}
};

class TQzDbDataSource : public TDataSource {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzDbDataSource(TComponent* owner = nullptr) : TDataSource(owner) {}
};

class TQzDbLabelStatus : public TQzBasicLabel {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzDbLabelStatus(TComponent* owner = nullptr) : TQzBasicLabel(owner) {}
};

class TQzDbNvEdition : public TQzWinControl {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzDbNvEdition(TComponent* owner = nullptr) : TQzWinControl(owner) {}
};

class TQzDbNvFilter : public TQzWinControl {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzDbNvFilter(TComponent* owner = nullptr) : TQzWinControl(owner) {}
};

class TQzDbNvUpDown : public TQzWinControl {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzDbNvUpDown(TComponent* owner = nullptr) : TQzWinControl(owner) {}
};

class TQzDbSql : public TDataSet {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzDbSql(TComponent* owner = nullptr) : TDataSet(owner) {}
};

class TQzDbStoredProc : public TDataSet {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzDbStoredProc(TComponent* owner = nullptr) : TDataSet(owner) {}
};

class TQzDbTransaction : public TComponent {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzDbTransaction(TComponent* owner = nullptr) : TComponent(owner) {}
};

class TQzDbVMem : public TDataSet {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzDbVMem(TComponent* owner = nullptr) : TDataSet(owner) {}
};

class TQzDbVQuery : public TDataSet {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzDbVQuery(TComponent* owner = nullptr) : TDataSet(owner) {}
};

class TQzDbVTable : public TDataSet {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzDbVTable(TComponent* owner = nullptr) : TDataSet(owner) {}
};

class TQzInc : public TQzWinControl {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzInc(TComponent* owner = nullptr) : TQzWinControl(owner) {}
};

class TQzLabel3D : public TQzBasicLabel {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzLabel3D(TComponent* owner = nullptr) : TQzBasicLabel(owner) {}
};

class TQzLabelInsertMode : public TQzBasicLabel {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzLabelInsertMode(TComponent* owner = nullptr) : TQzBasicLabel(owner) {}
};

class TQzLed : public TQzGraphicControl {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzLed(TComponent* owner = nullptr) : TQzGraphicControl(owner) {}
};

class TQzListMenu : public TQzWinControl {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzListMenu(TComponent* owner = nullptr) : TQzWinControl(owner) {}
};

class TQzMemoStatusLines : public TQzBasicLabel {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzMemoStatusLines(TComponent* owner = nullptr) : TQzBasicLabel(owner) {}
};

class TQzProcess : public TComponent {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzProcess(TComponent* owner = nullptr) : TComponent(owner) {}
};

class TQzSeqPages : public TQzWinControl {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzSeqPages(TComponent* owner = nullptr) : TQzWinControl(owner) {}
};

class TQzVisualMenu : public TQzWinControl {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzVisualMenu(TComponent* owner = nullptr) : TQzWinControl(owner) {}
};
