#pragma once

// Small classes with one published property of every kind the streams handle.

#include "Classes.h"
#include "Controls.h"
#include "Filer.h"
#include "Strings.h"

#include <QVariant>

class TTestFont : public TPersistent {
    Q_OBJECT
public:
    enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
    Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
    Q_FLAG(TFontStyles)
private:
    Q_PROPERTY(QString Name MEMBER FName)
    Q_PROPERTY(int Size MEMBER FSize)
    Q_PROPERTY(TFontStyles Style READ Style WRITE SetStyle)

public:
    using TPersistent::TPersistent;
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style) { FStyle = style; }
    void Assign(const TPersistent* source) override {
        if (auto* f = qobject_cast<const TTestFont*>(source)) {
            FName = f->FName;
            FSize = f->FSize;
            FStyle = f->FStyle;
            return;
        }
        TPersistent::Assign(source);
    }
    QString FName = QStringLiteral("Tahoma");
    int FSize = 8;
    TFontStyles FStyle;
};

class TTestItem : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER FCaption)
    Q_PROPERTY(int Value MEMBER FValue)
    Q_PROPERTY(TTestFont* Font READ Font)
public:
    Q_INVOKABLE explicit TTestItem(TCollection* collection = nullptr)
        : TCollectionItem(collection), FFont(new TTestFont(this)) {}
    TTestFont* Font() const { return FFont; }
    QString DisplayName() const override { return FCaption.isEmpty() ? ClassName() : FCaption; }
    void Assign(const TPersistent* source) override {
        if (auto* i = qobject_cast<const TTestItem*>(source)) {
            FCaption = i->FCaption;
            FValue = i->FValue;
            FFont->Assign(i->FFont);
            return;
        }
        TCollectionItem::Assign(source);
    }
    QString FCaption;
    int FValue = 0;
    TTestFont* FFont;
};

class TTestLabel : public TControl {
    Q_OBJECT
public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)
    enum TAnchorKind { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
    Q_DECLARE_FLAGS(TAnchors, TAnchorKind)
    Q_FLAG(TAnchors)
private:
    Q_PROPERTY(QString Caption MEMBER FCaption)
    Q_PROPERTY(TAlignment Alignment MEMBER FAlignment)
    Q_PROPERTY(TAnchors Anchors READ Anchors WRITE SetAnchors)
    Q_PROPERTY(TTestFont* Font READ Font)
    Q_PROPERTY(TCollection* Items READ Items)
    Q_PROPERTY(double Ratio MEMBER FRatio)
    Q_PROPERTY(float Scale MEMBER FScale)
    Q_PROPERTY(qint64 Big MEMBER FBig)
    Q_PROPERTY(QVariant Value MEMBER FValue)
    Q_PROPERTY(TControl* FocusControl MEMBER FFocusControl)
    Q_PROPERTY(TNotifyEvent OnClick MEMBER FOnClick)
    Q_PROPERTY(TStrings* Lines READ Lines)
    Q_PROPERTY(bool WordWrap MEMBER FWordWrap)

public:
    Q_INVOKABLE explicit TTestLabel(TComponent* owner = nullptr)
        : TControl(owner), FFont(new TTestFont(this)),
          FItems(new TCollection(ClassOf<TTestItem>(), this)), FLines(new TStrings(this)) {
        FWidth = 65;
        FHeight = 17;
    }
    TTestFont* Font() const { return FFont; }
    TCollection* Items() const { return FItems; }
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors anchors) { FAnchors = anchors; }
    TStrings* Lines() const { return FLines; }

    // Custom data: a binary block that only exists when set.
    void DefineProperties(TFiler& filer) override {
        TControl::DefineProperties(filer);
        filer.DefineBinaryProperty(
            QStringLiteral("Blob"), [this](const QByteArray& data) { FBlob = data; },
            [this] { return FBlob; }, !FBlob.isEmpty());
    }

    QString FCaption;
    TAlignment FAlignment = taLeftJustify;
    TAnchors FAnchors = TAnchors(akLeft) | akTop;
    TTestFont* FFont;
    TCollection* FItems;
    double FRatio = 1.0;
    float FScale = 0;
    qint64 FBig = 0;
    QVariant FValue;
    TControl* FFocusControl = nullptr;
    TNotifyEvent FOnClick;
    TStrings* FLines;
    bool FWordWrap = false;
    QByteArray FBlob;
};

class TTestPanel : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER FCaption)
public:
    Q_INVOKABLE explicit TTestPanel(TComponent* owner = nullptr) : TWinControl(owner) {}
    QString FCaption;
};

// A non-visual component that refuses to be loaded, to see what a failed read leaves.
class TTestFailing : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Trigger READ Trigger WRITE SetTrigger)
public:
    Q_INVOKABLE explicit TTestFailing(TComponent* owner = nullptr) : TComponent(owner) {}
    int Trigger() const { return 0; }
    void SetTrigger(int value) {
        if (value != 0)
            throw EComponentError(QStringLiteral("Trigger refused"));
    }
};

// A component that holds another component as a sub-component, streamed inside it.
class TTestSub : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString FileName MEMBER FFileName)
    Q_PROPERTY(TCollection* Items READ Items)
public:
    Q_INVOKABLE explicit TTestSub(TComponent* owner = nullptr)
        : TComponent(owner), FItems(new TCollection(ClassOf<TTestItem>(), this)) {}
    TCollection* Items() const { return FItems; }
    void Loaded() override {
        TComponent::Loaded();
        ++FLoadedCalls;
    }
    QString FFileName;
    TCollection* FItems;
    int FLoadedCalls = 0;
};

class TTestHolder : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TTestSub* Sub READ Sub)
    Q_PROPERTY(TTestSub* Other MEMBER FOther)
public:
    Q_INVOKABLE explicit TTestHolder(TComponent* owner = nullptr)
        : TComponent(owner), FSub(new TTestSub(this)) {
        FSub->SetName(QStringLiteral("Sub"));
        FSub->SetSubComponent(true);
    }
    TTestSub* Sub() const { return FSub; }
    TTestSub* FSub;
    TTestSub* FOther = nullptr;
};

inline void RegisterTestClasses() {
    RegisterRtlClasses();
    RegisterClasses<TTestLabel, TTestPanel, TTestItem, TTestFailing, TTestHolder, TTestSub>();
}
