#pragma once

// Reading and writing of the values behind properties that a class defines itself
// (TPersistent::DefineProperties): lists, binary blocks, anything a published property
// cannot express.

#include "FormData.h"

#include <functional>

class TComponent;

// Reads the value of one defined property.
class TReader {
public:
    TReader(const TFormValue& value, TComponent* root);

    TComponent* Root() const { return FRoot; }
    // The kind of the next value; `TFormValue::Null` at the end of a list.
    TFormValue::Kind NextValue() const;
    qint64 ReadInteger();
    bool ReadBoolean();
    long double ReadFloat();
    QString ReadString();
    QString ReadIdent();
    QByteArray ReadBinary();
    TFormValue ReadValue();
    void ReadListBegin();
    bool EndOfList() const;
    void ReadListEnd();

private:
    const TFormValue& take(TFormValue::Kind kind, const char* what);
    const TFormValue* peek() const;

    struct Frame {
        const TFormValue* List;
        std::size_t Index;
    };
    const TFormValue& FValue;
    bool FTaken = false;
    std::vector<Frame> FFrames;
    TComponent* FRoot;
};

// Builds the value of one defined property.
class TWriter {
public:
    explicit TWriter(TComponent* root) : FRoot(root) {}

    TComponent* Root() const { return FRoot; }
    void WriteInteger(qint64 value);
    void WriteBoolean(bool value);
    void WriteFloat(long double value);
    void WriteString(const QString& value);
    void WriteIdent(const QString& value);
    void WriteBinary(const QByteArray& value);
    void WriteValue(TFormValue value);
    void WriteListBegin();
    void WriteListEnd();
    // The value written; raises EWriteError when nothing or an unclosed list was written.
    TFormValue Take();

private:
    TFormValue FResult;
    bool FHasResult = false;
    std::vector<TFormValue> FOpen;
    TComponent* FRoot;
};

class TFiler {
public:
    virtual ~TFiler() = default;
    TComponent* Root() const { return FRoot; }
    // `hasData` says whether the writer has anything to store for the property.
    virtual void DefineProperty(const QString& name, const std::function<void(TReader&)>& readData,
                                const std::function<void(TWriter&)>& writeData, bool hasData) = 0;
    virtual void DefineBinaryProperty(const QString& name,
                                      const std::function<void(const QByteArray&)>& readData,
                                      const std::function<QByteArray()>& writeData,
                                      bool hasData) = 0;

protected:
    explicit TFiler(TComponent* root) : FRoot(root) {}
    TComponent* FRoot;
};
