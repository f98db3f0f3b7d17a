#pragma once

// A published string list. Its lines stream as the defined property "Strings", a list of
// strings, so a form shows "Lines.Strings = ( ... )".

#include "Classes.h"

#include <QStringList>

class TStrings : public TPersistent {
    Q_OBJECT
public:
    explicit TStrings(QObject* parent = nullptr) : TPersistent(parent) {}

    const QStringList& Lines() const { return FLines; }
    void SetLines(const QStringList& lines) { FLines = lines; }
    int Count() const { return int(FLines.size()); }
    QString Text() const;
    // Splits at CR LF, LF or CR.
    void SetText(const QString& text);
    void Add(const QString& line) { FLines.push_back(line); }
    void Clear() { FLines.clear(); }

    void Assign(const TPersistent* source) override;
    void DefineProperties(TFiler& filer) override;

private:
    QStringList FLines;
};
