#pragma once

// Shared by the strings editor and translator tests: a strings package "User" on a form of a
// designer (whose modification reports are counted), a scratch folder as the application folder,
// and the scripted UI.

#include "QzDialog.h"
#include "QzHooks.h"
#include "QzPkgStrings.h"
#include "QzRuntime.h"
#include "QzScriptedUi.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline void ok(QDialog& d) {
    static_cast<TQzDialog&>(d).OkButton()->click();
}

class StringsEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        QzRegisterRuntimeClasses();
        ASSERT_TRUE(Dir.isValid());
        QzSetAppPath(Dir.path());
        Form = std::make_unique<TComponent>();
        Pkg = new TQzPkgStrings(Form.get());
        Pkg->SetPkgName("User");
        Form->SetDesigning(true);
        Form->SetDesigner(&FDesigner);
        FPrevious = QzDsgnModified;
        QzDsgnModified = [this](TComponent*) {
            ++Modified;
        };
    }
    void TearDown() override {
        QzDsgnModified = FPrevious;
        QzSetAppPath(QString());
    }
    QString path(const QString& name) const { return Dir.filePath(name); }

    QTemporaryDir Dir;
    std::unique_ptr<TComponent> Form;
    TQzPkgStrings* Pkg = nullptr;
    // How often the designer was told the design changed.
    int Modified = 0;
    TQzScriptedUi Ui{[](const QString& failure) {
        ADD_FAILURE() << failure.toStdString();
    }};

private:
    int FDesigner = 0;
    TQzHook<void(TComponent*)> FPrevious;
};
