// Numbered and literal message boxes through the scripted UI seam, and the seam itself: a test
// that meets a message it did not expect, or leaves an expected one unshown, must fail.

#include "PkgTestSupport.h"
#include "QzMsg.h"
#include "QzScriptedUi.h"
#include "QzSystemStrings.h"

#include <memory>

namespace {

class Msg : public PkgTest {
protected:
    // Fails the test on anything the script does not expect.
    static void fail(const QString& failure) { ADD_FAILURE() << failure.toStdString(); }
};

// A seam whose failures are collected, to test the seam itself.
struct RecordingSeam {
    QStringList Failures;
    std::unique_ptr<TQzScriptedUi> Ui =
        std::make_unique<TQzScriptedUi>([this](const QString& failure) { Failures << failure; });
};

std::unique_ptr<TQzPkgStrings> stringsPackage(const QString& name) {
    auto package = std::make_unique<TQzPkgStrings>();
    package->SetPkgName(name);
    return package;
}

} // namespace

TEST_F(Msg, NumberedMessageTakesItsTextFromTheLoadedPackage) {
    auto system = stringsPackage(QStringLiteral("System"));
    system->Messages()->Add(26, QStringLiteral("Really delete it?"));

    TQzScriptedUi ui(fail);
    ui.ExpectMessage(26, bkOk);
    EXPECT_EQ(QzMsgPkg(TQzMessageType::mtConfirmation, QStringLiteral("system"), 26,
                       {bkOk, bkCancel}, bkOk),
              bkOk);
    ASSERT_EQ(ui.Messages().size(), 1);
    const TQzMessageRequest& shown = ui.Messages().front();
    EXPECT_EQ(shown.Text, QStringLiteral("Really delete it?"));
    EXPECT_EQ(shown.Type, TQzMessageType::mtConfirmation);
    EXPECT_EQ(shown.Buttons, (TQzButtons{bkOk, bkCancel}));
    EXPECT_EQ(shown.Default, bkOk);
    EXPECT_EQ(shown.Package, QStringLiteral("system"));
    EXPECT_EQ(shown.MessageId, 26);

    // Of two packages of the name, the active one speaks.
    auto other = stringsPackage(QStringLiteral("System"));
    other->Messages()->Add(26, QStringLiteral("Delete, says the active one?"));
    other->SetActive(true);
    ui.ExpectMessage(26, bkCancel);
    EXPECT_EQ(QzMsgPkg(TQzMessageType::mtConfirmation, QStringLiteral("System"), 26,
                       {bkOk, bkCancel}, bkOk),
              bkCancel);
    EXPECT_EQ(ui.Messages().back().Text, QStringLiteral("Delete, says the active one?"));
}

TEST_F(Msg, SystemMessagesFallBackToTheBuiltInText) {
    TQzScriptedUi ui(fail);
    // No "System" package at all.
    ui.ExpectMessage(58, bkCancel);
    EXPECT_EQ(QzMsgPkg(TQzMessageType::mtConfirmation, QStringLiteral("System"), 58,
                       {bkOk, bkCancel}, bkCancel),
              bkCancel);
    EXPECT_EQ(ui.Messages().back().Text, QzSystemMessageText(58));

    // A package that lacks the message, or has it empty.
    auto system = stringsPackage(QStringLiteral("System"));
    system->Messages()->Add(25, QString());
    for (int id : {25, 50}) {
        ui.ExpectMessage(id, bkOk);
        QzMsgPkg(TQzMessageType::mtConfirmation, QStringLiteral("System"), id, {bkOk, bkCancel});
        EXPECT_EQ(ui.Messages().back().Text, QzSystemMessageText(id));
        EXPECT_FALSE(ui.Messages().back().Text.isEmpty());
    }

    // Arguments fill the built-in format.
    ui.ExpectMessage(49, bkOk);
    QzMsgPkgArgs(TQzMessageType::mtInformation, QStringLiteral("System"), 49,
                 {QStringLiteral("missing.pst")});
    EXPECT_TRUE(ui.Messages().back().Text.contains(QStringLiteral("\"missing.pst\"")));
    EXPECT_FALSE(ui.Messages().back().Text.contains(QStringLiteral("%s")));
}

TEST_F(Msg, UnknownMessagesStillShowALine) {
    auto user = stringsPackage(QStringLiteral("User"));
    TQzScriptedUi ui(fail);
    ui.ExpectMessage(9999, bkOk);
    QzMsgPkg(TQzMessageType::mtInformation, QStringLiteral("System"), 9999);
    EXPECT_EQ(ui.Messages().back().Text, QStringLiteral("Message 9999 of package System"));
    // The built-in texts are the "System" package's only.
    ui.ExpectMessage(26, bkOk, QStringLiteral("User"));
    QzMsgPkg(TQzMessageType::mtInformation, QStringLiteral("User"), 26);
    EXPECT_EQ(ui.Messages().back().Text, QStringLiteral("Message 26 of package User"));
    ui.ExpectMessage(3, bkOk, QStringLiteral("Nowhere"));
    QzMsgPkgArgs(TQzMessageType::mtError, QStringLiteral("Nowhere"), 3,
                 {QStringLiteral("a.pst"), 7});
    EXPECT_EQ(ui.Messages().back().Text, QStringLiteral("Message 3 of package Nowhere: a.pst, 7"));

    user->Messages()->Add(26, QStringLiteral("User text"));
    EXPECT_TRUE(QzMsgPkgExists(QStringLiteral("User"), 26));
    EXPECT_FALSE(QzMsgPkgExists(QStringLiteral("User"), 27));
    EXPECT_TRUE(QzMsgPkgExists(QStringLiteral("SYSTEM"), 56));
    EXPECT_FALSE(QzMsgPkgExists(QStringLiteral("System"), 9999));
}

TEST_F(Msg, LiteralMessagesAndFormats) {
    TQzScriptedUi ui(fail);
    ui.ExpectMessage([](const TQzMessageRequest& r) {
        EXPECT_EQ(r.Text, QStringLiteral("Unable to modified 3 lines (100%)"));
        EXPECT_EQ(r.Package, QString());
        EXPECT_EQ(r.MessageId, -1);
        return bkOk;
    });
    EXPECT_EQ(QzMsgArgs(TQzMessageType::mtInformation,
                        QStringLiteral("Unable to modified %d %s (100%%)"),
                        {3, QStringLiteral("lines")}),
              bkOk);
    EXPECT_EQ(QzFormatArgs(QStringLiteral("%s and %s, 50%"), {QStringLiteral("one")}),
              QStringLiteral("one and %s, 50%"));

    // No buttons means OK; a default that is not offered is dropped.
    ui.ExpectMessage([](const TQzMessageRequest& r) {
        EXPECT_EQ(r.Buttons, TQzButtons{bkOk});
        EXPECT_EQ(r.Default, bkNone);
        EXPECT_EQ(r.Type, TQzMessageType::mtError);
        return bkOk;
    });
    QzMsg(TQzMessageType::mtError, QStringLiteral("Disk full"), {}, bkYes);
}

TEST_F(Msg, BuiltInSystemStrings) {
    const QList<int> ids{2, 25, 26, 34, 35, 36, 48, 49, 50, 51, 56, 57, 58, 59, 60, 61, 65, 66, 91};
    EXPECT_EQ(QzSystemMessageIds(), ids);
    for (int id : ids) {
        const QString text = QzSystemMessageText(id);
        EXPECT_FALSE(text.isEmpty()) << id;
        EXPECT_EQ(text.count(QStringLiteral("%s")), id == 49 || id == 51 ? 1 : 0) << id;
        EXPECT_FALSE(text.contains(QStringLiteral("%d"))) << id;
    }
    EXPECT_EQ(QzSystemMessageText(1), QString());

    // A design without system strings gets the shipped ones, found by name.
    auto system = QzCreateSystemStrings();
    EXPECT_EQ(QzFindPkgStrings(QStringLiteral("system")), system.get());
    EXPECT_EQ(system->Messages()->Count(), ids.size());
    EXPECT_TRUE(system->Messages()->FindId(66)->Protected);

    // Filling keeps what a package already says.
    auto own = stringsPackage(QStringLiteral("System"));
    own->Messages()->Add(26, QStringLiteral("Own wording"));
    QzFillSystemStrings(*own);
    EXPECT_EQ(own->Messages()->FindId(26)->Text(), QStringLiteral("Own wording"));
    EXPECT_EQ(own->Messages()->FindId(65)->Text(), QzSystemMessageText(65));
    EXPECT_EQ(own->Messages()->Count(), ids.size());
}

TEST(ScriptedSeam, UnexpectedAndMismatchedCallsFail) {
    RecordingSeam seam;
    // Nothing expected: the call fails and answers Cancel.
    EXPECT_EQ(
        QzMsgPkg(TQzMessageType::mtConfirmation, QStringLiteral("System"), 25, {bkOk, bkCancel}),
        bkCancel);
    ASSERT_EQ(seam.Failures.size(), 1);
    EXPECT_TRUE(seam.Failures[0].startsWith(QStringLiteral("Unexpected message box")))
        << seam.Failures[0].toStdString();

    // The wrong message.
    seam.Ui->ExpectMessage(25, bkOk);
    QzMsgPkg(TQzMessageType::mtConfirmation, QStringLiteral("System"), 26, {bkOk, bkCancel});
    ASSERT_EQ(seam.Failures.size(), 2);
    EXPECT_TRUE(seam.Failures[1].startsWith(
        QStringLiteral("Expected message System #25 but got System #26")))
        << seam.Failures[1].toStdString();

    // A message where a dialog was expected.
    seam.Ui->ExpectDialog(QStringLiteral("TFrPkgStrings"), [](QDialog&) {});
    QzMsg(TQzMessageType::mtInformation, QStringLiteral("Hello"));
    ASSERT_EQ(seam.Failures.size(), 3);
    EXPECT_EQ(seam.Failures[2],
              QStringLiteral("Expected a dialog TFrPkgStrings but got a message box Hello"));
}

TEST(ScriptedSeam, UnshownExpectationsFailAndTheSeamIsRemoved) {
    RecordingSeam seam;
    seam.Ui->ExpectMessage(58, bkOk);
    seam.Ui->ExpectMessage(26, bkOk);
    QzMsgPkg(TQzMessageType::mtConfirmation, QStringLiteral("System"), 58, {bkOk, bkCancel});
    EXPECT_FALSE(seam.Ui->Done());
    seam.Ui.reset();
    ASSERT_EQ(seam.Failures.size(), 1);
    EXPECT_EQ(
        seam.Failures[0],
        QStringLiteral("1 expected UI call(s) never came; the next was a message box System #26"));
    // The Qt service is back.
    EXPECT_NE(dynamic_cast<TQzQtUi*>(&QzUi()), nullptr);
}
