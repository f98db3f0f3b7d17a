#include "QzPkgSetup.h"

#include "QzExcept.h"

namespace {
int keys(QKeyCombination combination) {
    return combination.toCombined();
}
} // namespace

// ---------------------------------------------------------------------------------------------
// Keys

TQzPkgSetupKeys::TQzPkgSetupKeys(QObject* parent)
    : TPersistent(parent), FInsertRecord(keys(Qt::Key_Insert)), FEditRecord(keys(Qt::Key_F2)),
      FPostRecord(keys(Qt::CTRL | Qt::Key_Return)), FRefresh(keys(Qt::Key_F5)),
      FDeleteRecord(keys(Qt::CTRL | Qt::Key_Delete)), FFirstRecord(keys(Qt::CTRL | Qt::Key_Home)),
      FLastRecord(keys(Qt::CTRL | Qt::Key_End)), FNextRecord(keys(Qt::CTRL | Qt::Key_PageDown)),
      FPriorRecord(keys(Qt::CTRL | Qt::Key_PageUp)), FAppendRecord(keys(Qt::CTRL | Qt::Key_Insert)),
      FButtonRelation(keys(Qt::Key_F3)), FButtonMaint(keys(Qt::Key_F4)),
      FButtonCalendar(keys(Qt::Key_F7)), FButtonCalculator(keys(Qt::Key_F8)),
      FButtonCustom1(keys(Qt::Key_F11)), FButtonCustom2(keys(Qt::Key_F12)) {}

void TQzPkgSetupKeys::setShortCut(int& field, int shortCut) {
    if (shortCut < 0)
        QzExcept(QStringLiteral("%1 is not a shortcut").arg(shortCut));
    field = shortCut;
}

void TQzPkgSetupKeys::SetDeleteType(TQzDeleteType deleteType) {
    QzCheckRange(deleteType, dltNone, dltGrids, QStringLiteral("The delete type"));
    FDeleteType = deleteType;
}

void TQzPkgSetupKeys::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TQzPkgSetupKeys*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    FInsertRecord = other->FInsertRecord;
    FEditRecord = other->FEditRecord;
    FPostRecord = other->FPostRecord;
    FRefresh = other->FRefresh;
    FDeleteRecord = other->FDeleteRecord;
    FFirstRecord = other->FFirstRecord;
    FLastRecord = other->FLastRecord;
    FNextRecord = other->FNextRecord;
    FPriorRecord = other->FPriorRecord;
    FAppendRecord = other->FAppendRecord;
    FButtonRelation = other->FButtonRelation;
    FButtonMaint = other->FButtonMaint;
    FButtonCalendar = other->FButtonCalendar;
    FButtonCalculator = other->FButtonCalculator;
    FButtonCustom1 = other->FButtonCustom1;
    FButtonCustom2 = other->FButtonCustom2;
    FInsertMode = other->FInsertMode;
    FActionEnter = other->FActionEnter;
    FDeleteType = other->FDeleteType;
}

// ---------------------------------------------------------------------------------------------
// Database

TQzPkgSetupDataBase::TQzPkgSetupDataBase(QObject* parent) : TPersistent(parent) {}

void TQzPkgSetupDataBase::SetDataBaseEngine(TQzDataBaseEngine engine) {
    QzCheckRange(engine, dbeManual, dbeStandard, QStringLiteral("The database engine"));
    FDataBaseEngine = engine;
}

void TQzPkgSetupDataBase::SetDateFormat(TQzDateFormat format) {
    QzCheckRange(format, dfDMY, dfYMD, QStringLiteral("The date format"));
    FDateFormat = format;
}

void TQzPkgSetupDataBase::SetDateSeparatorText(const QString& text) {
    FDateSeparator = QzOneCharacter(text, QStringLiteral("The date separator"));
}

void TQzPkgSetupDataBase::SetTimeSeparatorText(const QString& text) {
    FTimeSeparator = QzOneCharacter(text, QStringLiteral("The time separator"));
}

void TQzPkgSetupDataBase::SetNumericDecimalSeparatorText(const QString& text) {
    FNumericDecimalSeparator = QzOneCharacter(text, QStringLiteral("The decimal separator"));
}

void TQzPkgSetupDataBase::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TQzPkgSetupDataBase*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    FDataBaseEngine = other->FDataBaseEngine;
    FDateFormat = other->FDateFormat;
    FDateSeparator = other->FDateSeparator;
    FTimeSeparator = other->FTimeSeparator;
    FNumericDecimalSeparator = other->FNumericDecimalSeparator;
    FQuotedNumber = other->FQuotedNumber;
    FSQLSyntax = other->FSQLSyntax;
}

// ---------------------------------------------------------------------------------------------
// Package

TQzPkgSetupData::TQzPkgSetupData(QObject* parent)
    : TQzPkgData(parent), FKeys(new TQzPkgSetupKeys(this)),
      FDataBase(new TQzPkgSetupDataBase(this)) {}

TQzPkgSetup::TQzPkgSetup(TComponent* owner)
    : TQzPkgInfo(owner, TQzPkgKind::Setup, QStringLiteral("stp")) {
    InitData();
}

std::unique_ptr<TQzPkgData> TQzPkgSetup::CreateData() const {
    return std::make_unique<TQzPkgSetupData>();
}
