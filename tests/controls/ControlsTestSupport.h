#pragma once

// Shared by the control editor tests: a form open in the designer with the package loaded as the
// designer loads it, the scripted UI, and reading the saved form back.

#include "ComponentStreams.h"
#include "DesignRegistry.h"
#include "QzFormDesigner.h"
#include "QzRuntime.h"
#include "QzScriptedUi.h"
#include "registration/QzPackage.h"
#include "registration/QzRegister.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

class ControlsTest : public ::testing::Test {
protected:
    // `body` is the form's objects, as a form file writes them inside the form.
    void openForm(const QByteArray& body) {
        ASSERT_TRUE(FDir.isValid());
        QFile form(path(QStringLiteral("Unit1.dfm")));
        ASSERT_TRUE(form.open(QIODevice::WriteOnly));
        form.write("object Form1: TForm1\n  Width = 400\n  Height = 300\n" + body + "end\n");
        form.close();
        QFile unit(path(QStringLiteral("Unit1.pas")));
        ASSERT_TRUE(unit.open(QIODevice::WriteOnly));
        unit.write("unit Unit1;\n\ninterface\n\ntype\n  TForm1 = class(TForm)\n  end;\n\n"
                   "implementation\n\nend.\n");
        unit.close();
        FDesigner = std::make_unique<TQzFormDesigner>(nullptr, path(QStringLiteral("Unit1.pas")));
        QObject::connect(FDesigner.get(), &TQzFormDesigner::DesignModified,
                         [this] { ++FModified; });
    }

    void SetUp() override {
        QzRegisterRuntimeClasses();
        QzPackageInit();
        BeginModuleRegistration(QStringLiteral("test"));
        Register();
        BeginModuleRegistration(QString());
    }

    void TearDown() override {
        FDesigner.reset();
        // Windows that follow a freed menu or collection go at the next turn of the event loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        UnregisterModule(QStringLiteral("test"));
        QzPackageFinal();
    }

    QString path(const QString& name) const { return FDir.filePath(name); }
    TQzFormDesigner* designer() const { return FDesigner.get(); }
    TComponent* root() const { return FDesigner->GetRoot(); }
    template <typename T>
    T* find(const char* name) const {
        auto* component = qobject_cast<T*>(root()->FindComponent(QString::fromLatin1(name)));
        EXPECT_NE(component, nullptr) << name;
        return component;
    }
    int modifiedCount() const { return FModified; }

    // Saves the form and reads the file back into a form of its own.
    TComponent* saveAndReadBack() {
        FDesigner->Save();
        FReadBack = std::make_unique<TQzFormDesigner>(nullptr, path(QStringLiteral("Unit1.pas")));
        return FReadBack->GetRoot();
    }

    TQzScriptedUi Ui{[](const QString& failure) {
        ADD_FAILURE() << failure.toStdString();
    }};

private:
    QTemporaryDir FDir;
    std::unique_ptr<TQzFormDesigner> FDesigner;
    std::unique_ptr<TQzFormDesigner> FReadBack;
    int FModified = 0;
};
