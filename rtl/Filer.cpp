#include "Filer.h"

#include "SysUtils.h"

namespace {
const char* kindName(TFormValue::Kind kind) {
    switch (kind) {
    case TFormValue::Null:
        return "Null";
    case TFormValue::Nil:
        return "nil";
    case TFormValue::Boolean:
        return "boolean";
    case TFormValue::Integer:
        return "integer";
    case TFormValue::Float:
        return "float";
    case TFormValue::String:
        return "string";
    case TFormValue::Ident:
        return "identifier";
    case TFormValue::Set:
        return "set";
    case TFormValue::Binary:
        return "binary data";
    case TFormValue::List:
        return "list";
    case TFormValue::Collection:
        return "collection";
    }
    return "value";
}
} // namespace

TReader::TReader(const TFormValue& value, TComponent* root) : FValue(value), FRoot(root) {}

const TFormValue* TReader::peek() const {
    if (FFrames.empty())
        return FTaken ? nullptr : &FValue;
    const Frame& f = FFrames.back();
    return f.Index < f.List->Elements.size() ? &f.List->Elements[f.Index] : nullptr;
}

TFormValue::Kind TReader::NextValue() const {
    const TFormValue* v = peek();
    return v ? v->kind : TFormValue::Null;
}

const TFormValue& TReader::take(TFormValue::Kind kind, const char* what) {
    const TFormValue* v = peek();
    if (!v)
        throw EReadError(QStringLiteral("Invalid property value: %1 expected but no value is left")
                             .arg(QLatin1String(what)));
    if (v->kind != kind)
        throw EReadError(QStringLiteral("Invalid property value: %1 expected but %2 found")
                             .arg(QLatin1String(what), QLatin1String(kindName(v->kind))));
    if (FFrames.empty())
        FTaken = true;
    else
        ++FFrames.back().Index;
    return *v;
}

qint64 TReader::ReadInteger() {
    return take(TFormValue::Integer, "integer").Int;
}

bool TReader::ReadBoolean() {
    return take(TFormValue::Boolean, "boolean").Int != 0;
}

long double TReader::ReadFloat() {
    if (NextValue() == TFormValue::Integer)
        return static_cast<long double>(ReadInteger());
    return take(TFormValue::Float, "float").Real;
}

QString TReader::ReadString() {
    return take(TFormValue::String, "string").Str;
}

QString TReader::ReadIdent() {
    return take(TFormValue::Ident, "identifier").Str;
}

QByteArray TReader::ReadBinary() {
    return take(TFormValue::Binary, "binary data").Bytes;
}

TFormValue TReader::ReadValue() {
    const TFormValue* v = peek();
    if (!v)
        throw EReadError(QStringLiteral("Invalid property value: no value is left"));
    return take(v->kind, kindName(v->kind));
}

void TReader::ReadListBegin() {
    const TFormValue& list = take(TFormValue::List, "list");
    FFrames.push_back({&list, 0});
}

bool TReader::EndOfList() const {
    return !FFrames.empty() && FFrames.back().Index >= FFrames.back().List->Elements.size();
}

void TReader::ReadListEnd() {
    if (!EndOfList())
        throw EReadError(QStringLiteral("Invalid property value: end of list expected"));
    FFrames.pop_back();
}

void TWriter::WriteValue(TFormValue value) {
    if (!FOpen.empty()) {
        FOpen.back().Elements.push_back(std::move(value));
        return;
    }
    if (FHasResult)
        throw EWriteError(QStringLiteral("A defined property holds one value; write a list"));
    FResult = std::move(value);
    FHasResult = true;
}

void TWriter::WriteInteger(qint64 value) {
    WriteValue(TFormValue::makeInteger(value));
}

void TWriter::WriteBoolean(bool value) {
    WriteValue(TFormValue::makeBoolean(value));
}

void TWriter::WriteFloat(long double value) {
    WriteValue(TFormValue::makeFloat(value));
}

void TWriter::WriteString(const QString& value) {
    WriteValue(TFormValue::makeString(value));
}

void TWriter::WriteIdent(const QString& value) {
    WriteValue(TFormValue::makeIdent(value));
}

void TWriter::WriteBinary(const QByteArray& value) {
    WriteValue(TFormValue::makeBinary(value));
}

void TWriter::WriteListBegin() {
    TFormValue list;
    list.kind = TFormValue::List;
    FOpen.push_back(std::move(list));
}

void TWriter::WriteListEnd() {
    if (FOpen.empty())
        throw EWriteError(QStringLiteral("WriteListEnd without WriteListBegin"));
    TFormValue list = std::move(FOpen.back());
    FOpen.pop_back();
    WriteValue(std::move(list));
}

TFormValue TWriter::Take() {
    if (!FOpen.empty())
        throw EWriteError(QStringLiteral("A list was begun but not ended"));
    if (!FHasResult)
        throw EWriteError(QStringLiteral("A defined property wrote no value"));
    FHasResult = false;
    return std::move(FResult);
}
