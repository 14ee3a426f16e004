// The strip's right-click menu as a user meets it: the real program on a
// private X server, the pointer and the keys pressed for real, the clipboard
// read by another client, the file dialog answered with Enter.
#include "support/expected_picture.h"
#include "support/program_on_x.h"
#include "support/test_main.h"
#include "support/x_session.h"

#include <QDir>
#include <QImage>

using namespace velsnap;

namespace {

// Row 0's thumbnail, in the window: the strip's viewport stands at 328, 56.
constexpr QPoint kRowZero(412, 118);

} // namespace

class StripOnXTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString missing = test::missingXTools();
        if (!missing.isEmpty())
            QSKIP(qPrintable(missing));
    }

    void menuCopiesEnlargedAndSavesAPng()
    {
        test::ProgramOnX run; // one picture, then the line stays quiet
        QVERIFY(run.prepare(
            {QStringLiteral("--count"), QStringLiteral("0"), QStringLiteral("--pause"), QStringLiteral("600000")}));
        const QProcessEnvironment &environment = run.environment;
        const QDir pictures(run.copy->pictureFolder());
        run.startProgram();
        const QString window = test::findWindow(QStringLiteral("VELSNAP"), environment);
        QVERIFY(!window.isEmpty());
        QVERIFY(QTest::qWaitFor([&] { return !test::clipboardAs(QStringLiteral("image/bmp"), environment).isEmpty(); },
                                30000));
        const QString name = pictures.entryList({QStringLiteral("*.bmp")}).value(0);
        const QImage picture = QImage(pictures.filePath(name)).convertToFormat(QImage::Format_RGB32);

        // "2 倍でコピー(&2)": another client pastes 640 x 480, each 2 x 2 block one pixel of the picture.
        test::rightClick(window, kRowZero, environment);
        QTest::qWait(500);
        test::runTool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("2")}, environment);
        QImage pasted;
        QVERIFY(QTest::qWaitFor(
            [&] {
                pasted = QImage::fromData(test::clipboardAs(QStringLiteral("image/png"), environment), "PNG");
                return pasted.width() == 640;
            },
            10000));
        const QString fault = test::enlargementFault(pasted.convertToFormat(QImage::Format_RGB32), picture, 2);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));

        // "PNG で保存(&S)…": the dialog offers the picture's name in the picture folder; Enter takes it.
        test::rightClick(window, kRowZero + QPoint(20, 20), environment);
        QTest::qWait(500);
        test::runTool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("s")}, environment);
        QTest::qWait(1500);
        test::runTool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")}, environment);
        const QString png = pictures.filePath(name.chopped(4) + QStringLiteral(".png"));
        QVERIFY(QTest::qWaitFor([&] { return QImage(png).width() == 320; }, 10000));
        QCOMPARE(QImage(png).convertToFormat(QImage::Format_RGB32), picture);
        const QString facts = test::pngFactsFault(png, run.line);
        QVERIFY2(facts.isEmpty(), qPrintable(facts));
        run.program.terminate();
        QVERIFY(run.program.waitForFinished(10000));
    }
};

VELSNAP_TEST_MAIN(StripOnXTest)
#include "test_strip_on_x.moc"
