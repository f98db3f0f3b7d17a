#pragma once

// Setup packages: the application's key assignments and how its data controls talk to the
// database, in one ".stp" file or in the application's form.

#include "QzPkgInfo.h"
#include "QzRefs.h"

// Key assignments. A shortcut is a key combined with its modifiers as Qt combines them
// (QKeyCombination::toCombined()); 0 is none. Setters refuse negative values with EQzError.
class TQzPkgSetupKeys : public TPersistent {
    Q_OBJECT
public:
    // What the delete key removes: nothing, records in controls and grids, or only in one of them.
    enum TQzDeleteType { dltNone, dltBoth, dltControls, dltGrids };
    Q_ENUM(TQzDeleteType)

private:
    Q_PROPERTY(int InsertRecord READ InsertRecord WRITE SetInsertRecord)
    Q_PROPERTY(int EditRecord READ EditRecord WRITE SetEditRecord)
    Q_PROPERTY(int PostRecord READ PostRecord WRITE SetPostRecord)
    Q_PROPERTY(int Refresh READ Refresh WRITE SetRefresh)
    Q_PROPERTY(int DeleteRecord READ DeleteRecord WRITE SetDeleteRecord)
    Q_PROPERTY(int FirstRecord READ FirstRecord WRITE SetFirstRecord)
    Q_PROPERTY(int LastRecord READ LastRecord WRITE SetLastRecord)
    Q_PROPERTY(int NextRecord READ NextRecord WRITE SetNextRecord)
    Q_PROPERTY(int PriorRecord READ PriorRecord WRITE SetPriorRecord)
    Q_PROPERTY(int AppendRecord READ AppendRecord WRITE SetAppendRecord)
    Q_PROPERTY(int ButtonRelation READ ButtonRelation WRITE SetButtonRelation)
    Q_PROPERTY(int ButtonMaint READ ButtonMaint WRITE SetButtonMaint)
    Q_PROPERTY(int ButtonCalendar READ ButtonCalendar WRITE SetButtonCalendar)
    Q_PROPERTY(int ButtonCalculator READ ButtonCalculator WRITE SetButtonCalculator)
    Q_PROPERTY(int ButtonCustom1 READ ButtonCustom1 WRITE SetButtonCustom1)
    Q_PROPERTY(int ButtonCustom2 READ ButtonCustom2 WRITE SetButtonCustom2)
    Q_PROPERTY(bool InsertMode READ InsertMode WRITE SetInsertMode)
    Q_PROPERTY(bool ActionEnter READ ActionEnter WRITE SetActionEnter)
    Q_PROPERTY(TQzDeleteType DeleteType READ DeleteType WRITE SetDeleteType)

public:
    Q_INVOKABLE explicit TQzPkgSetupKeys(QObject* parent = nullptr);

    int InsertRecord() const { return FInsertRecord; }
    void SetInsertRecord(int shortCut) { setShortCut(FInsertRecord, shortCut); }
    int EditRecord() const { return FEditRecord; }
    void SetEditRecord(int shortCut) { setShortCut(FEditRecord, shortCut); }
    int PostRecord() const { return FPostRecord; }
    void SetPostRecord(int shortCut) { setShortCut(FPostRecord, shortCut); }
    int Refresh() const { return FRefresh; }
    void SetRefresh(int shortCut) { setShortCut(FRefresh, shortCut); }
    int DeleteRecord() const { return FDeleteRecord; }
    void SetDeleteRecord(int shortCut) { setShortCut(FDeleteRecord, shortCut); }
    int FirstRecord() const { return FFirstRecord; }
    void SetFirstRecord(int shortCut) { setShortCut(FFirstRecord, shortCut); }
    int LastRecord() const { return FLastRecord; }
    void SetLastRecord(int shortCut) { setShortCut(FLastRecord, shortCut); }
    int NextRecord() const { return FNextRecord; }
    void SetNextRecord(int shortCut) { setShortCut(FNextRecord, shortCut); }
    int PriorRecord() const { return FPriorRecord; }
    void SetPriorRecord(int shortCut) { setShortCut(FPriorRecord, shortCut); }
    int AppendRecord() const { return FAppendRecord; }
    void SetAppendRecord(int shortCut) { setShortCut(FAppendRecord, shortCut); }
    int ButtonRelation() const { return FButtonRelation; }
    void SetButtonRelation(int shortCut) { setShortCut(FButtonRelation, shortCut); }
    int ButtonMaint() const { return FButtonMaint; }
    void SetButtonMaint(int shortCut) { setShortCut(FButtonMaint, shortCut); }
    int ButtonCalendar() const { return FButtonCalendar; }
    void SetButtonCalendar(int shortCut) { setShortCut(FButtonCalendar, shortCut); }
    int ButtonCalculator() const { return FButtonCalculator; }
    void SetButtonCalculator(int shortCut) { setShortCut(FButtonCalculator, shortCut); }
    int ButtonCustom1() const { return FButtonCustom1; }
    void SetButtonCustom1(int shortCut) { setShortCut(FButtonCustom1, shortCut); }
    int ButtonCustom2() const { return FButtonCustom2; }
    void SetButtonCustom2(int shortCut) { setShortCut(FButtonCustom2, shortCut); }

    // New records are inserted at the current one rather than appended.
    bool InsertMode() const { return FInsertMode; }
    void SetInsertMode(bool insertMode) { FInsertMode = insertMode; }
    // Enter moves to the next control.
    bool ActionEnter() const { return FActionEnter; }
    void SetActionEnter(bool actionEnter) { FActionEnter = actionEnter; }
    TQzDeleteType DeleteType() const { return FDeleteType; }
    void SetDeleteType(TQzDeleteType deleteType);

    void Assign(const TPersistent* source) override;

private:
    static void setShortCut(int& field, int shortCut);

    int FInsertRecord;
    int FEditRecord;
    int FPostRecord;
    int FRefresh;
    int FDeleteRecord;
    int FFirstRecord;
    int FLastRecord;
    int FNextRecord;
    int FPriorRecord;
    int FAppendRecord;
    int FButtonRelation;
    int FButtonMaint;
    int FButtonCalendar;
    int FButtonCalculator;
    int FButtonCustom1;
    int FButtonCustom2;
    bool FInsertMode = false;
    bool FActionEnter = true;
    TQzDeleteType FDeleteType = dltBoth;
};

// How values are written for the database: the date order, the separators (character code 0 when
// none) and whether numbers are quoted and statements use SQL syntax.
class TQzPkgSetupDataBase : public TPersistent {
    Q_OBJECT
public:
    // Manual settings; the platform's separators with quoted numbers; or fixed "/", ":" and ".".
    enum TQzDataBaseEngine { dbeManual, dbePlatform, dbeStandard };
    Q_ENUM(TQzDataBaseEngine)

private:
    Q_PROPERTY(TQzDataBaseEngine DataBaseEngine READ DataBaseEngine WRITE SetDataBaseEngine)
    Q_PROPERTY(QzTypes::TQzDateFormat DateFormat READ DateFormat WRITE SetDateFormat)
    Q_PROPERTY(QString DateSeparator READ DateSeparatorText WRITE SetDateSeparatorText)
    Q_PROPERTY(QString TimeSeparator READ TimeSeparatorText WRITE SetTimeSeparatorText)
    Q_PROPERTY(QString NumericDecimalSeparator READ NumericDecimalSeparatorText WRITE
                   SetNumericDecimalSeparatorText)
    Q_PROPERTY(bool QuotedNumber READ QuotedNumber WRITE SetQuotedNumber)
    Q_PROPERTY(bool SQLSyntax READ SQLSyntax WRITE SetSQLSyntax)

public:
    Q_INVOKABLE explicit TQzPkgSetupDataBase(QObject* parent = nullptr);

    TQzDataBaseEngine DataBaseEngine() const { return FDataBaseEngine; }
    void SetDataBaseEngine(TQzDataBaseEngine engine);
    TQzDateFormat DateFormat() const { return FDateFormat; }
    void SetDateFormat(TQzDateFormat format);
    QChar DateSeparator() const { return FDateSeparator; }
    void SetDateSeparator(QChar separator) { FDateSeparator = separator; }
    QChar TimeSeparator() const { return FTimeSeparator; }
    void SetTimeSeparator(QChar separator) { FTimeSeparator = separator; }
    QChar NumericDecimalSeparator() const { return FNumericDecimalSeparator; }
    void SetNumericDecimalSeparator(QChar separator) { FNumericDecimalSeparator = separator; }
    bool QuotedNumber() const { return FQuotedNumber; }
    void SetQuotedNumber(bool quoted) { FQuotedNumber = quoted; }
    bool SQLSyntax() const { return FSQLSyntax; }
    void SetSQLSyntax(bool sqlSyntax) { FSQLSyntax = sqlSyntax; }

    void Assign(const TPersistent* source) override;

private:
    // Separators stream as one-character strings, "none" included.
    QString DateSeparatorText() const { return FDateSeparator; }
    void SetDateSeparatorText(const QString& text);
    QString TimeSeparatorText() const { return FTimeSeparator; }
    void SetTimeSeparatorText(const QString& text);
    QString NumericDecimalSeparatorText() const { return FNumericDecimalSeparator; }
    void SetNumericDecimalSeparatorText(const QString& text);

    TQzDataBaseEngine FDataBaseEngine = dbeStandard;
    TQzDateFormat FDateFormat = dfMDY;
    QChar FDateSeparator = u'/';
    QChar FTimeSeparator = u':';
    QChar FNumericDecimalSeparator = u'.';
    bool FQuotedNumber = false;
    bool FSQLSyntax = false;
};

class TQzPkgSetupData : public TQzPkgData {
    Q_OBJECT
    Q_PROPERTY(TQzPkgSetupKeys* Keys READ Keys)
    Q_PROPERTY(TQzPkgSetupDataBase* DataBase READ DataBase)
public:
    Q_INVOKABLE explicit TQzPkgSetupData(QObject* parent = nullptr);
    TQzPkgSetupKeys* Keys() const { return FKeys; }
    TQzPkgSetupDataBase* DataBase() const { return FDataBase; }

private:
    TQzPkgSetupKeys* FKeys;
    TQzPkgSetupDataBase* FDataBase;
};

// Owned by the application component.
class TQzPkgSetup : public TQzPkgInfo {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzPkgSetup(TComponent* owner = nullptr);

    // Part of the content: a load brings new objects.
    TQzPkgSetupKeys* Keys() const { return data()->Keys(); }
    TQzPkgSetupDataBase* DataBase() const { return data()->DataBase(); }

protected:
    std::unique_ptr<TQzPkgData> CreateData() const override;

private:
    TQzPkgSetupData* data() const { return static_cast<TQzPkgSetupData*>(Data()); }
};
