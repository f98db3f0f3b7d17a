#pragma once

// Driving a dialog's widgets by name as a person would: buttons, edits typed over, Ok.

#include "QzDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

inline QPushButton* button(QWidget& d, const char* name) {
    auto* b = d.findChild<QPushButton*>(QString::fromLatin1(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
}

inline QLineEdit* edit(QWidget& d, const char* name) {
    auto* e = d.findChild<QLineEdit*>(QString::fromLatin1(name));
    EXPECT_NE(e, nullptr) << name;
    return e;
}

// Types over the box's text; an empty text erases it.
inline void type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    else
        QTest::keyClicks(box, text);
}

inline void ok(QDialog& d) {
    static_cast<TQzDialog&>(d).OkButton()->click();
}
