// Every dialog layout of the package can be listed and rendered by the designer without a person,
// and a class the package does not know is a usage error.

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct TDesignerRun {
    int Exit;
    QByteArray Out;
    QByteArray Err;
};

TDesignerRun qzdesigner(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(QZDESIGNER_PATH), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

} // namespace

TEST(DialogShots, EveryLayoutIsListedAndRendersToAPicture) {
    const TDesignerRun list = qzdesigner({"--list-dialogs"});
    ASSERT_EQ(list.Exit, 0) << list.Err.data();
    const QStringList listed = QString::fromUtf8(list.Out).split(u'\n', Qt::SkipEmptyParts);
    QStringList layouts;
    for (const QString& file : QDir(QStringLiteral(QZ_DIALOGS_DIR)).entryList({"*.ui"}))
        layouts << file.chopped(3);
    QStringList sorted = listed;
    sorted.sort();
    layouts.sort();
    EXPECT_EQ(sorted, layouts);

    QTemporaryDir dir;
    for (const QString& dialog : listed) {
        const QString png = dir.filePath(dialog + ".png");
        const TDesignerRun shot = qzdesigner({"--dialog", dialog, "--screenshot", png});
        EXPECT_EQ(shot.Exit, 0) << dialog.toStdString() << shot.Err.data();
        const QImage picture(png);
        EXPECT_FALSE(picture.isNull()) << dialog.toStdString();
        EXPECT_GT(picture.width(), 100) << dialog.toStdString();
    }
    const TDesignerRun unknown =
        qzdesigner({"--dialog", "TFrNothing", "--screenshot", dir.filePath("x.png")});
    EXPECT_EQ(unknown.Exit, 2);
    EXPECT_EQ(qzdesigner({"--dialog", "TFrMemoryLabel"}).Exit, 2);
}
