#include "FormData.h"

#include <cstring>

TFormValue TFormValue::makeInteger(qint64 v) {
    TFormValue r;
    r.kind = Integer;
    r.Int = v;
    return r;
}

TFormValue TFormValue::makeBoolean(bool v) {
    TFormValue r;
    r.kind = Boolean;
    r.Int = v ? 1 : 0;
    return r;
}

TFormValue TFormValue::makeFloat(long double v, FloatKind k) {
    TFormValue r;
    r.kind = Float;
    r.floatKind = k;
    r.Real = v;
    return r;
}

TFormValue TFormValue::makeString(QString v) {
    TFormValue r;
    r.kind = String;
    r.Str = std::move(v);
    return r;
}

TFormValue TFormValue::makeIdent(QString v) {
    TFormValue r;
    r.kind = Ident;
    r.Str = std::move(v);
    return r;
}

TFormValue TFormValue::makeSet(QStringList names) {
    TFormValue r;
    r.kind = Set;
    r.Names = std::move(names);
    return r;
}

TFormValue TFormValue::makeBinary(QByteArray bytes) {
    TFormValue r;
    r.kind = Binary;
    r.Bytes = std::move(bytes);
    return r;
}

TFormValue TFormValue::makeNil() {
    TFormValue r;
    r.kind = Nil;
    return r;
}

bool TFormValue::operator==(const TFormValue& o) const {
    if (kind != o.kind)
        return false;
    switch (kind) {
    case Null:
    case Nil:
        return true;
    case Boolean:
    case Integer:
        return Int == o.Int;
    case Float:
        // Compare the bits that carry the value; NaN payloads included.
        if (floatKind != o.floatKind)
            return false;
        if (floatKind == Currency)
            return Int == o.Int;
        return Real == o.Real || (Real != Real && o.Real != o.Real);
    case String:
    case Ident:
        return Str == o.Str;
    case Set:
        return Names == o.Names;
    case Binary:
        return Bytes == o.Bytes;
    case List:
        return Elements == o.Elements;
    case Collection:
        return Items == o.Items;
    }
    return false;
}
