// The thumbnail strip in the real window, offscreen: where rows stand in
// twips and on screen after each picture, scrolling, files that are no
// picture, double-clicks, start-up with kept pictures and a reception run.
#include "folders/program_folders.h"
#include "gallery/picture_gestures.h"
#include "gallery/picture_probe.h"
#include "gallery/strip_geometry.h"
#include "gallery/strip_selection.h"
#include "settings/settings_store.h"
#include "shell/control_factory.h"
#include "shell/preview_box.h"
#include "support/expected_picture.h"
#include "support/pty_pair.h"
#include "support/simulated_device.h"
#include "support/test_main.h"
#include "support/window_fixture.h"
#include "texts.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QToolTip>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>
#include <random>

using namespace velsnap;

namespace {

// Colours as the device's conversion makes them: white is 248/252/248.
const QRgb kDeviceWhite = qRgb(248, 252, 248);
const QRgb kDeviceRed = qRgb(248, 0, 0);
const QRgb kDeviceBlue = qRgb(0, 0, 248);
const QRgb kDeviceGreen = qRgb(0, 252, 0);

int pixels(double twips)
{
    return int(std::lround(twips / 15.0));
}

// A picture of `size`, its left half `left` and its right half `right`.
QImage twoColourPicture(QSize size, QRgb left, QRgb right)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, x < size.width() / 2 ? left : right);
    }
    return picture;
}

QImage opaque(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

// What the strip, the bar and the display show, to tell "nothing changed".
struct StripState {
    int imageCount;
    int elements;
    double containerTop, containerHeight;
    QRect containerPlace;
    int barValue, barMaximum;
    qint64 shownPicture;
    QSize shownSize;
    bool operator==(const StripState &) const = default;
};

} // namespace

class ThumbnailStripTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::WindowFixture> fixture;

    FrmMain &window() { return fixture->window(); }
    ThumbnailStrip &strip() { return window().strip(); }
    QWidget *container() { return window().control<QWidget>(QStringLiteral("pic_cont")); }
    QScrollBar *bar() { return window().control<QScrollBar>(QStringLiteral("VScroll1")); }
    QLabel *img1() { return window().control<QLabel>(QStringLiteral("img1")); }
    PreviewBox *pic1() { return window().control<PreviewBox>(QStringLiteral("pic1")); }
    QString pathOf(const QString &name) const { return fixture->pictureFolder() + u'/' + name; }

    QString savePicture(const QString &name, const QImage &picture)
    {
        QDir().mkpath(fixture->pictureFolder());
        if (!picture.save(pathOf(name), "BMP"))
            qFatal("cannot write %s", qPrintable(name));
        return name;
    }
    // Row n gets a picture of its own colour.
    static QImage pictureOfRow(int n) { return twoColourPicture({320, 240}, qRgb(8 * n, 0, 248), kDeviceWhite); }
    QString addPicture(int n)
    {
        const QString name = QStringLiteral("240101_0000%1.bmp").arg(n, 2, 10, QChar(u'0'));
        strip().add_thumbnail(savePicture(name, pictureOfRow(n)));
        return name;
    }

    // The top of `widget` inside its parent's inner area, in pixels.
    static int innerTop(const QWidget *widget) { return widget->y() - widget->parentWidget()->contentsRect().top(); }
    int innerTop(const QRect &place) { return place.y() - container()->contentsRect().top(); }

    // A double-click on the thumbnail of `row`, where it stands in the container.
    void doubleClickRow(int row, Qt::MouseButton button)
    {
        if (row == 0) {
            QLabel *thumbnail = window().control<QLabel>(QStringLiteral("image1(0)"));
            QTest::mouseDClick(thumbnail, button, {}, thumbnail->rect().center());
        } else {
            QTest::mouseDClick(container(), button, {}, strip().thumbnailPlace(row).center());
        }
    }
    // Until the rows in view have read their thumbnails.
    void waitForThumbnails()
    {
        QSignalSpy read(&strip().canvas(), &StripCanvas::thumbnailsRead);
        if (strip().canvas().waitingForThumbnails())
            QVERIFY(read.wait());
    }

    // A right-click at `at` of the strip's viewport, as the window delivers it: the menu it opens, if any.
    QMenu *rightClick(QWidget *target, QPoint at)
    {
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QCoreApplication::sendEvent(target, &click);
        return qobject_cast<QMenu *>(QApplication::activePopupWidget());
    }
    static void choose(QMenu *menu, const QString &entry)
    {
        QVERIFY(menu);
        const QList<QAction *> actions = menu->actions();
        const auto found = std::find_if(actions.begin(), actions.end(), [&](QAction *a) { return a->text() == entry; });
        QVERIFY2(found != actions.end(), qPrintable(entry));
        (*found)->trigger();
        menu->close();
    }

    StripState state()
    {
        return {strip().imageCount(),      strip().elementCount(),      strip().containerTop(),
                strip().containerHeight(), container()->geometry(),     bar()->value(),
                bar()->maximum(),          img1()->pixmap().cacheKey(), img1()->size()};
    }

    // A double-click that must change nothing: strip, preview and clipboard as they were.
    void verifyDoubleClickIgnored(int row)
    {
        const StripState before = state();
        const QImage preview = pic1()->picture();
        const bool previewShown = pic1()->isVisible();
        doubleClickRow(row, Qt::LeftButton);
        QCOMPARE(state(), before);
        QCOMPARE(pic1()->picture(), preview);
        QCOMPARE(pic1()->isVisible(), previewShown);
        QCOMPARE(QGuiApplication::clipboard()->image(), sentinel());
        QVERIFY(fixture->dialogs.messages.isEmpty());
    }
    static QImage sentinel() { return twoColourPicture({4, 4}, kDeviceGreen, kDeviceGreen); }

private slots:
    void init()
    {
        fixture = std::make_unique<test::WindowFixture>();
        QGuiApplication::clipboard()->setImage(sentinel());
    }
    void cleanup() { fixture.reset(); }

    void geometryAfterEachPicture_data()
    {
        QTest::addColumn<int>("pictures");
        for (int k : {1, 2, 3, 4, 7})
            QTest::addRow("%d", k) << k;
    }
    void geometryAfterEachPicture()
    {
        QFETCH(int, pictures);
        window().init_form();
        window().show();
        QStringList names;
        for (int n = 0; n < pictures; ++n)
            names << addPicture(n);

        const double top = pictures >= 3 ? -2300.0 * (pictures - 2) : 0;
        QCOMPARE(strip().imageCount(), pictures);
        QCOMPARE(strip().containerHeight(), 2300.0 * pictures);
        QCOMPARE(strip().containerTop(), top);
        QCOMPARE(bar()->maximum(), 2 * (pictures - 1));
        QCOMPARE(bar()->value(), pictures >= 3 ? 2 * (pictures - 2) : 0);
        QCOMPARE(innerTop(container()), pixels(top));
        QCOMPARE(container()->height(), pixels(2300.0 * pictures));
        QCOMPARE(strip().elementCount(), pictures);

        const QLabel *thumbnail0 = window().control<QLabel>(QStringLiteral("image1(0)"));
        const QLabel *label0 = window().control<QLabel>(QStringLiteral("lbl_filename(0)"));
        for (int n = 0; n < pictures; ++n) {
            const QRect thumbnail = strip().thumbnailPlace(n);
            const QRect label = strip().labelPlace(n);
            QCOMPARE(strip().rowTop(n), 2300.0 * n);
            // Positions come from twips each time: 153.33 pixels a row, no drift.
            QCOMPARE(innerTop(thumbnail), pixels(2300.0 * n));
            QCOMPARE(innerTop(label), pixels(2300.0 * n + 1860));
            QVERIFY(strip().image1(n)->visible && strip().lbl_filename(n)->visible);
            QCOMPARE(strip().lbl_filename(n)->text(), names.at(n));
            QVERIFY(!strip().thumbnail(n).isNull());
            // Copies of element 0 in all but place.
            QCOMPARE(thumbnail.translated(0, -thumbnail.y()), thumbnail0->geometry().translated(0, -thumbnail0->y()));
            QCOMPARE(label.translated(0, -label.y()), label0->geometry().translated(0, -label0->y()));
        }
        QCOMPARE(thumbnail0->geometry(), strip().thumbnailPlace(0));
        QCOMPARE(label0->geometry(), strip().labelPlace(0));
        QCOMPARE(label0->text(), names.first());
        QCOMPARE(opaque(img1()->pixmap().toImage()), QImage(pathOf(names.last())));
    }

    void barMovesTheContainerHalfARowPerStep()
    {
        window().init_form();
        for (int n = 0; n < 3; ++n)
            addPicture(n);
        bar()->setValue(0);
        QCOMPARE(strip().containerTop(), 0.0);
        QCOMPARE(innerTop(container()), 0);
        bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(bar()->value(), 1);
        QCOMPARE(strip().containerTop(), -1150.0);
        QCOMPARE(innerTop(container()), pixels(-1150)); // -77: half a row
        bar()->setValue(4);
        QCOMPARE(strip().containerTop(), -4600.0);
        QCOMPARE(innerTop(container()), pixels(-4600));

        // The wheel over the thumbnails steps as the arrows do; a touchpad's half notches add up.
        for (const auto &[delta, value] : {std::pair{240, 2}, {-120, 3}, {60, 3}, {60, 2}, {-360, 4}}) {
            QWheelEvent wheel(QPointF(10, 10), container()->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, delta),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(container(), &wheel);
            QCOMPARE(bar()->value(), value);
        }
        bar()->setValue(4);

        // The next picture replaces where the user had scrolled to.
        bar()->setValue(0);
        addPicture(3);
        QCOMPARE(bar()->value(), 4);
        QCOMPARE(bar()->maximum(), 6);
        QCOMPARE(strip().containerTop(), -4600.0);
        QCOMPARE(innerTop(container()), pixels(-4600));
    }

    void fileThatIsNoPictureChangesNothing_data()
    {
        QTest::addColumn<int>("rowsBefore");
        QTest::addColumn<QByteArray>("content"); // empty: no such file
        const QByteArray text = "not a picture\r\n";
        // Its width and height in pixels multiply beyond 64 bits.
        const QByteArray huge =
            QByteArray::fromBase64("Qk1GAAAAAAAAAEIAAAAoAAAAAqKioqKioqKioqKiAwAAAAQAAAATCwAAEwsAAAAAAAAAAAAH");
        // A bit-field bitmap cut inside the colour masks that follow its header.
        const QByteArray masksCut = QByteArray::fromBase64(
            "Qk1GAAAAAEIAAAAAAAAoAAAAAgAAAAEAAAABABAAAwAAAAQAaWNvAAAAAAAAAAD4AADgBwAAHwAAAMEAHwc=");
        // An icon's header, cut before its picture.
        const QByteArray iconCut = QByteArray::fromHex("000001000000030000000100000030fffe0000000004");
        for (int rows : {0, 3}) {
            QTest::addRow("text named .bmp, %d rows", rows) << rows << text;
            QTest::addRow("cut icon named .bmp, %d rows", rows) << rows << iconCut;
            QTest::addRow("bitmap header of a huge picture, %d rows", rows) << rows << huge;
            QTest::addRow("bitmap cut in its colour masks, %d rows", rows) << rows << masksCut;
            QTest::addRow("missing file, %d rows", rows) << rows << QByteArray();
        }
    }
    void fileThatIsNoPictureChangesNothing()
    {
        QFETCH(int, rowsBefore);
        QFETCH(QByteArray, content);
        window().init_form();
        QString lastName;
        for (int n = 0; n < rowsBefore; ++n)
            lastName = addPicture(n);
        if (!content.isEmpty()) {
            QFile file(pathOf(QStringLiteral("240101_120000.bmp")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const StripState before = state();
        strip().add_thumbnail(QStringLiteral("240101_120000.bmp"));
        QCOMPARE(state(), before);
        QVERIFY(fixture->dialogs.messages.isEmpty());
        QCOMPARE(strip().lbl_filename(std::max(rowsBefore - 1, 0))->text(), lastName);
        QCOMPARE(strip().elementCount(), std::max(rowsBefore, 1));

        // The next picture takes the row the failed call would have had.
        const QString next = addPicture(rowsBefore);
        QCOMPARE(strip().imageCount(), rowsBefore + 1);
        QCOMPARE(strip().lbl_filename(rowsBefore)->text(), next);
    }

    void pictureOfAnotherFormatIsMeasuredAsItLoads()
    {
        // A GIF named .bmp whose screen is larger than its one frame.
        QDir().mkpath(fixture->pictureFolder());
        const QString path = pathOf(QStringLiteral("gif.bmp"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromBase64(
            "R0lGODlhAQgsLCwsLCxFACwsAgAAAAEAAQAAAAAACAAAABMLAAATCwAAAgAAAAAAAAAAAAAA////AKosLEIsTQ=="));
        file.close();
        const QImage loaded(path);
        QVERIFY(!loaded.isNull());
        QCOMPARE(pictureSize(path), std::optional(loaded.size()));
    }

    void pictureOfAnyShapeFillsTheThumbnailInItsOwnColours()
    {
        window().init_form();
        const QImage tall = twoColourPicture({100, 300}, kDeviceRed, kDeviceWhite);
        const QImage wide = twoColourPicture({640, 90}, kDeviceBlue, kDeviceGreen);
        strip().add_thumbnail(savePicture(QStringLiteral("tall.bmp"), tall));
        strip().add_thumbnail(savePicture(QStringLiteral("wide.bmp"), wide));

        const QList<std::pair<QRgb, QRgb>> halves = {{kDeviceRed, kDeviceWhite}, {kDeviceBlue, kDeviceGreen}};
        for (int n = 0; n < 2; ++n) {
            QCOMPARE(strip().thumbnailPlace(n).size(), QSize(160, 120)); // 2400 x 1800 twips
            const QImage drawn = strip().thumbnail(n);
            QCOMPARE(drawn.size(), strip().canvas().thumbnailSize());
            // Each half fills its half of the thumbnail, colours unchanged.
            const int w = drawn.width(), h = drawn.height();
            for (QPoint at : {QPoint(2, 2), QPoint(w / 4, h / 2), QPoint(2, h - 3)})
                QCOMPARE(QColor(drawn.pixel(at)), QColor(halves[n].first));
            for (QPoint at : {QPoint(w - 3, 2), QPoint(3 * w / 4, h / 2), QPoint(w - 3, h - 3)})
                QCOMPARE(QColor(drawn.pixel(at)), QColor(halves[n].second));
        }
        QCOMPARE(img1()->size(), wide.size());
        QCOMPARE(opaque(img1()->pixmap().toImage()), wide);
    }

    void doubleClickWhenIdleShowsAndCopiesThatPicture()
    {
        window().init_form();
        window().show();
        for (int n = 0; n < 3; ++n)
            addPicture(n);
        bar()->setValue(1);
        pic1()->hide();
        const StripState before = state();

        doubleClickRow(1, Qt::RightButton); // only the left button double-clicks
        QVERIFY(!pic1()->isVisible());

        doubleClickRow(1, Qt::LeftButton);
        const QImage picture(pathOf(strip().lbl_filename(1)->text()));
        QVERIFY(pic1()->isVisible());
        QCOMPARE(opaque(pic1()->picture()), picture);
        QCOMPARE(opaque(QGuiApplication::clipboard()->image()), picture);
        QCOMPARE(state(), before);
        QVERIFY(fixture->dialogs.messages.isEmpty());
    }

    void doubleClickOnARowWithoutItsFileDoesNothing()
    {
        window().init_form();
        window().show();
        verifyDoubleClickIgnored(0); // row 0 before any picture: no file name

        const QString name = addPicture(0);
        const QImage thumbnail = strip().thumbnail(0);
        QVERIFY(QFile::remove(pathOf(name)));
        verifyDoubleClickIgnored(0);
        QCOMPARE(strip().thumbnail(0), thumbnail); // row 0 keeps its picture
    }

    void doubleClickWhileReceivingDoesNothing()
    {
        test::PtyPair quiet;
        fixture->storeSetting(kPortsSection, QStringLiteral("COM1"), quiet.slavePath());
        window().init_form();
        window().show();
        addPicture(0);

        // The first byte starts a run, which then waits for the header.
        bool sent = false;
        QImage previewAfter;
        QImage clipboardAfter;
        QVERIFY(fixture->receiveUntil([&] {
            const QString status = fixture->text("lbl_status");
            if (!sent && status == texts::kStatusWaiting)
                sent = quiet.write(QByteArray(1, '\x0a'));
            if (!window().reception().receiving())
                return false;
            doubleClickRow(0, Qt::LeftButton);
            previewAfter = pic1()->picture();
            clipboardAfter = QGuiApplication::clipboard()->image();
            return true;
        }));
        QCOMPARE(quiet.read(3, 1000), QByteArray("OK\r"));
        QCOMPARE(previewAfter.pixel(0, 0), qRgba(0, 0, 0, 0)); // still the run's empty preview
        QCOMPARE(clipboardAfter, sentinel());
    }

    void startUpAddsKeptPicturesInNameOrder_data()
    {
        QTest::addColumn<int>("pictures");
        QTest::addColumn<QList<int>>("junkAt"); // positions in name order that are no picture
        QTest::newRow("twelve") << 12 << QList<int>{};
        QTest::newRow("non-pictures among many") << 60 << QList<int>{0, 17, 18, 41};
    }
    void startUpAddsKeptPicturesInNameOrder()
    {
        QFETCH(int, pictures);
        QFETCH(QList<int>, junkAt);
        const int files = pictures + int(junkAt.size());
        // Names made in a shuffled order: neither creation nor hash order is name order.
        QList<int> creation(files);
        std::iota(creation.begin(), creation.end(), 0);
        std::shuffle(creation.begin(), creation.end(), std::mt19937(files));
        const auto nameAt = [](int position) {
            return QStringLiteral("2401%1_%2.bmp").arg(10 + position / 60).arg(position % 60 * 100, 4, 10, QChar(u'0'));
        };
        for (int position : creation) {
            if (junkAt.contains(position)) {
                // Text, or a sound bitmap header without the pixels it promises.
                const QByteArray bytes =
                    position % 2 ? QByteArray("junk") : test::readFileBytes(test::binFolder() + "/24bit.hed");
                QFile junk(pathOf(nameAt(position)));
                QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write(bytes) == bytes.size());
            } else {
                savePicture(nameAt(position), twoColourPicture({320, 240}, qRgb(4 * position, 0, 248), kDeviceWhite));
            }
        }
        savePicture(QStringLiteral("ignored.png"), twoColourPicture({8, 8}, kDeviceRed, kDeviceRed));
        QList<int> expected;
        for (int position = 0; position < files; ++position) {
            if (!junkAt.contains(position))
                expected << position;
        }

        fixture->dialogs.answerYes = false;
        window().init_form();

        QCOMPARE(fixture->dialogs.questions.size(), 1);
        QVERIFY(fixture->dialogs.messages.isEmpty());
        QCOMPARE(strip().imageCount(), pictures);
        QCOMPARE(strip().elementCount(), pictures); // a skipped file's row went to the next picture
        for (int n = 0; n < pictures; ++n) {
            QCOMPARE(strip().lbl_filename(n)->text(), nameAt(expected[n]));
            const QImage drawn = strip().thumbnail(n);
            QCOMPARE(QColor(drawn.pixel(4, drawn.height() / 2)), QColor(qRgb(4 * expected[n], 0, 248)));
        }
        QCOMPARE(opaque(img1()->pixmap().toImage()), QImage(pathOf(nameAt(expected.last()))));
        QCOMPARE(bar()->maximum(), 2 * (pictures - 1));
        QCOMPARE(bar()->value(), 2 * (pictures - 2));
    }

    void rowsInViewAreDrawnLikeRowZero()
    {
        window().init_form();
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        const QString same =
            savePicture(QStringLiteral("same.bmp"), twoColourPicture({320, 240}, kDeviceRed, kDeviceBlue));
        for (int n = 0; n < 3; ++n)
            strip().add_thumbnail(same);
        QLabel *label0 = window().control<QLabel>(QStringLiteral("lbl_filename(0)"));
        for (const auto place : {&ThumbnailStrip::thumbnailPlace, &ThumbnailStrip::labelPlace})
            QCOMPARE(container()->grab((strip().*place)(2)).toImage(),
                     container()->grab((strip().*place)(0)).toImage());

        // The hints of element 0, over each element of a drawn row.
        const QList<std::pair<QRect, QString>> hints = {
            {strip().thumbnailPlace(2), window().control<QLabel>(QStringLiteral("image1(0)"))->toolTip()},
            {strip().labelPlace(2), label0->toolTip()}};
        for (const auto &[place, hint] : hints) {
            QHelpEvent help(QEvent::ToolTip, place.center(), container()->mapToGlobal(place.center()));
            QCoreApplication::sendEvent(container(), &help);
            QCOMPARE(QToolTip::text(), hint);
        }
    }

    void keptPicturesInViewReadTheirThumbnailsSoonAfter()
    {
        for (int n = 0; n < 5; ++n)
            savePicture(QStringLiteral("%1.bmp").arg(n),
                        twoColourPicture({320, 240}, qRgb(40 * n, 0, 248), kDeviceWhite));
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        window().init_form();
        waitForThumbnails();

        // Rows 3 and 4 are in view, as the user sees them.
        QWidget *viewport = window().control<QWidget>(QStringLiteral("pic_base"));
        const QImage seen = viewport->grab().toImage();
        for (int n : {3, 4}) {
            const QPoint at = container()->mapTo(viewport, strip().thumbnailPlace(n).topLeft() + QPoint(6, 20));
            QCOMPARE(QColor(seen.pixel(at)), QColor(qRgb(40 * n, 0, 248)));
        }
    }

    void largeKeptPictureLiesBeneathTheControls_data()
    {
        QTest::addColumn<QString>("control");
        for (const char *name : {"chk_viewimage", "cmd_receive", "cmd_help", "cmd_end", "pic1", "pic_base", "VScroll1"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void largeKeptPictureLiesBeneathTheControls()
    {
        QFETCH(QString, control);
        savePicture(QStringLiteral("big.bmp"), twoColourPicture({640, 480}, kDeviceRed, kDeviceRed));
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        window().init_form();
        QCOMPARE(img1()->size(), QSize(640, 480)); // at its own size
        QWidget *target = window().control<QWidget>(control);
        const QPoint centre = target->mapTo(&window(), target->rect().center());
        QVERIFY(img1()->geometry().contains(centre));
        QWidget *hit = window().childAt(centre);
        QVERIFY2(hit == target || target->isAncestorOf(hit), qPrintable(hit->objectName()));
        // Its whole face hides the picture, not only what it draws.
        const QImage seen = window().grab(QRect(target->mapTo(&window(), QPoint()), target->size())).toImage();
        for (QPoint at : {QPoint(1, 1), seen.rect().center(), QPoint(seen.width() - 2, seen.height() - 2)})
            QVERIFY(QColor(seen.pixel(at)) != QColor(kDeviceRed));
    }

    void receptionRunAddsItsPictureAsTheLastRow()
    {
        const QString kept =
            savePicture(QStringLiteral("240101_000000.bmp"), twoColourPicture({320, 240}, kDeviceRed, kDeviceBlue));
        test::SimulatedDevice device;
        const QString line = device.start({});
        QVERIFY(!line.isEmpty());
        fixture->storeSetting(kPortsSection, QStringLiteral("COM1"), line);
        window().init_form();
        QVERIFY(fixture->receiveUntil([&] { return fixture->pictureFiles().size() == 2; }));

        QStringList received = fixture->pictureFiles();
        received.removeOne(kept);
        QCOMPARE(strip().imageCount(), 2);
        QCOMPARE(strip().lbl_filename(0)->text(), kept);
        QCOMPARE(strip().lbl_filename(1)->text(), received.first());
        QVERIFY(strip().image1(1)->visible);
        // Drawn as the label would draw the whole picture.
        const QImage thumbnail = strip().thumbnail(1);
        const QImage picture(pathOf(received.first()));
        QCOMPARE(opaque(thumbnail),
                 opaque(picture.scaled(thumbnail.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
        QCOMPARE(bar()->maximum(), 2);
    }

    void pointsTurnIntoRowsWhereverTheBarStands_data()
    {
        QTest::addColumn<int>("barValue");
        QTest::addColumn<double>("viewTwips"); // down from the viewport's top, in the middle of a thumbnail's width
        QTest::addColumn<int>("row");          // -1: none
        QTest::addColumn<bool>("onThumbnail");
        // Seven rows: 2300 twips apart, thumbnail 0-1800, label 1860-2175, gap to 2300.
        QTest::newRow("row 0") << 0 << 900.0 << 0 << true;
        QTest::newRow("row 0 label") << 0 << 2010.0 << 0 << false;
        QTest::newRow("gap after row 0") << 0 << 2240.0 << -1 << false;
        QTest::newRow("row 1") << 0 << 3200.0 << 1 << true;
        QTest::newRow("middle, half a row down") << 5 << 100.0 << 2 << true;
        QTest::newRow("middle label") << 5 << 3100.0 << 3 << false;
        QTest::newRow("last row") << 12 << 900.0 << 6 << true;
        QTest::newRow("gap after the last") << 12 << 2240.0 << -1 << false;
        QTest::newRow("past the end") << 12 << 3000.0 << -1 << false;
    }
    void pointsTurnIntoRowsWhereverTheBarStands()
    {
        QFETCH(int, barValue);
        QFETCH(double, viewTwips);
        QFETCH(int, row);
        QFETCH(bool, onThumbnail);
        window().init_form();
        window().show();
        for (int n = 0; n < 7; ++n)
            addPicture(n);
        bar()->setValue(barValue);
        QWidget *viewport = window().control<QWidget>(QStringLiteral("pic_base"));
        const QPoint inView(pixels(1260), viewport->contentsRect().top() + pixels(viewTwips));
        const QPoint at = container()->mapFrom(viewport, inView);
        QCOMPARE(strip().canvas().hitAt(at), (StripHit{row, onThumbnail}));
        QCOMPARE(strip().canvas().hitAt(at + QPoint(pixels(2460), 0)), StripHit{}); // beside the rows

        // The right-click there, on whatever widget lies under it, opens the menu of that row's picture.
        QWidget *under = viewport->childAt(inView) ? viewport->childAt(inView) : viewport;
        QMenu *menu = rightClick(under, under->mapFrom(viewport, inView));
        QCOMPARE(menu != nullptr, row >= 0);
        if (menu) {
            choose(menu, texts::kMenuCopy);
            QCOMPARE(opaque(QGuiApplication::clipboard()->image()), QImage(pathOf(strip().lbl_filename(row)->text())));
        }
    }

    void receivedPictureGoesOutEnlargedAndWithItsFacts()
    {
        test::SimulatedDevice device;
        const QString line = device.start({QStringLiteral("--count"), QStringLiteral("1")});
        QVERIFY(!line.isEmpty());
        fixture->storeSetting(kPortsSection, QStringLiteral("COM1"), line);
        window().init_form();
        window().show();
        QVERIFY(fixture->receiveUntil([&] { return strip().imageCount() == 1; }));
        const QString name = strip().lbl_filename(0)->text();
        const QImage picture = opaque(QImage(pathOf(name)));
        const QPoint onRow = strip().thumbnailPlace(0).center();

        for (const auto &[entry, scale] : {std::pair(texts::kMenuCopyTwice, 2), std::pair(texts::kMenuCopyThrice, 3)}) {
            choose(rightClick(container(), onRow), entry);
            const QString fault = test::enlargementFault(opaque(QGuiApplication::clipboard()->image()), picture, scale);
            QVERIFY2(fault.isEmpty(), qPrintable(fault));
        }
        // Save as PNG starts in the picture folder with the picture's name.
        fixture->dialogs.savePath = pathOf(QStringLiteral("report.png"));
        choose(rightClick(container(), onRow), texts::kMenuSavePng);
        QCOMPARE(fixture->dialogs.questions.last(), texts::kSavePngTitle + u'|' + pathOf(name).chopped(4) + ".png");
        QCOMPARE(opaque(QImage(fixture->dialogs.savePath)), picture);
        const QString facts = test::pngFactsFault(fixture->dialogs.savePath, line);
        QVERIFY2(facts.isEmpty(), qPrintable(facts));
        // The time of reception is the time the file was named after: 2026-12-08T08:20:05+09:00 and 261208_082005.bmp.
        QString when = QImage(fixture->dialogs.savePath).text(QStringLiteral("Creation Time"));
        QCOMPARE(when.remove(u'-').remove(u':').mid(2, 13).replace(u'T', u'_'), name.chopped(4));

        // img1 has the menu of the picture it shows.
        QVERIFY(!rightClick(img1(), img1()->rect().center())); // the stopped run took it away
        strip().add_thumbnail(name);
        QGuiApplication::clipboard()->clear();
        choose(rightClick(img1(), img1()->rect().center()), texts::kMenuCopy);
        QCOMPARE(opaque(QGuiApplication::clipboard()->image()), picture);

        // A drag carries the file for a file manager and the picture for a document; the strip takes no drops.
        const std::unique_ptr<QMimeData> dragged(pictureMimeData(pathOf(name), picture));
        QCOMPARE(dragged->urls(), QList<QUrl>{QUrl::fromLocalFile(pathOf(name))});
        QCOMPARE(opaque(qvariant_cast<QImage>(dragged->imageData())), picture);
        for (QWidget *target : std::initializer_list<QWidget *>{&window(), container(), bar(), img1()})
            QVERIFY(!target->acceptDrops());
    }

    void selectionFollowsTheClicks_data()
    {
        QTest::addColumn<QString>("clicks"); // rows; c: with Ctrl, s: with Shift; x: Esc
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QList<int>>("menuOnRow5");
        QTest::newRow("plain picks one alone") << "2 4" << QList{4} << QList{5};
        QTest::newRow("ctrl adds and drops") << "2 c4 c6 c4" << QList{2, 6} << QList{5};
        QTest::newRow("shift from the last clicked") << "2 c7 s5" << QList{5, 6, 7} << QList{5, 6, 7};
        QTest::newRow("shift again from the same row") << "6 s3 s8" << QList{6, 7, 8} << QList{5};
        QTest::newRow("shift with nothing clicked") << "s5" << QList{5} << QList{5};
        QTest::newRow("esc clears, shift starts anew") << "2 c3 x s5" << QList{5} << QList{5};
        QTest::newRow("plain after a range") << "1 s5 3" << QList{3} << QList{5};
    }
    void selectionFollowsTheClicks()
    {
        QFETCH(QString, clicks);
        QFETCH(QList<int>, selected);
        QFETCH(QList<int>, menuOnRow5);
        StripSelection selection;
        for (const QString &click : clicks.split(u' ')) {
            if (click == u'x')
                selection.clear();
            else if (click.startsWith(u'c') || click.startsWith(u's'))
                selection.click(click.mid(1).toInt(),
                                click.startsWith(u'c') ? SelectClick::Toggle : SelectClick::Range);
            else
                selection.click(click.toInt(), SelectClick::Plain);
        }
        const std::vector<int> rows = selection.rows(), menu = selection.menuTarget(5);
        QCOMPARE(QList<int>(rows.begin(), rows.end()), selected);
        QCOMPARE(QList<int>(menu.begin(), menu.end()), menuOnRow5);
    }

    void chosenPicturesGoToTheTrashAndTheirRowsStay()
    {
        window().init_form();
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        QStringList names;
        for (int n = 0; n < 4; ++n)
            names << addPicture(n);
        waitForThumbnails();
        const auto click = [&](int row, Qt::KeyboardModifiers keys) {
            QTest::mouseClick(container(), Qt::LeftButton, keys, strip().thumbnailPlace(row).center());
        };
        click(0, {});
        click(2, Qt::ControlModifier);
        click(3, Qt::ControlModifier);
        QCOMPARE(strip().chosenPictures(), (QStringList{pathOf(names[0]), pathOf(names[2]), pathOf(names[3])}));
        QCOMPARE(strip().menuTargetsAt(strip().thumbnailPlace(1).center()), QStringList{pathOf(names[1])});

        // The frame lies outside the picture, in the highlight colour; the picture stays exact.
        const QImage drawn = container()->grab().toImage();
        const QPoint inner = window().control<QLabel>(QStringLiteral("image1(0)"))->contentsRect().topLeft();
        const QColor highlight = container()->palette().color(QPalette::Highlight);
        for (const auto &[row, selected] : {std::pair(2, true), std::pair(1, false)}) {
            const QPoint corner = strip().thumbnailPlace(row).topLeft() + inner;
            QCOMPARE(drawn.pixelColor(corner - QPoint(1, 1)) == highlight, selected);
            QCOMPARE(drawn.pixelColor(corner - QPoint(2, 2)) == highlight, selected);
            QCOMPARE(drawn.pixel(corner), strip().thumbnail(row).pixel(0, 0));
        }

        // The report of the three, two a page, offered beside the first; written while the window goes on.
        fixture->dialogs.savePath = pathOf(QStringLiteral("report.pdf"));
        choose(rightClick(container(), strip().thumbnailPlace(3).center()), texts::kMenuReport);
        QCOMPARE(fixture->dialogs.questions.last(),
                 texts::kReportTitle + u'|' + pathOf(QStringLiteral("VELSNAP_%1.pdf").arg(names[0].chopped(4))));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(fixture->dialogs.savePath), 30000);
        QProcess images; // page, number, type, width, height, colour
        images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), fixture->dialogs.savePath});
        QVERIFY(images.waitForFinished(30000));
        QCOMPARE(QString::fromUtf8(images.readAllStandardOutput())
                     .count(QRegularExpression(QStringLiteral("\\n +[12] +[0-2] +image +1280 +960 +rgb"))),
                 3);

        // One file went meanwhile: it is named, the others go without a question.
        QVERIFY(QFile::remove(pathOf(names[0])));
        choose(rightClick(container(), strip().thumbnailPlace(3).center()), texts::kMenuTrash);
        QCOMPARE(fixture->dialogs.messages.size(), 1);
        QVERIFY2(fixture->dialogs.messages[0].contains(pathOf(names[0])), qPrintable(fixture->dialogs.messages[0]));
        // The test's own home and data folder, on the pictures' file system.
        const QDir trash(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash");
        for (int n : {2, 3}) {
            QVERIFY(!QFile::exists(pathOf(names[n])));
            QCOMPARE(opaque(QImage(trash.filePath(QStringLiteral("files/") + names[n]))), pictureOfRow(n));
            const QByteArray info =
                test::readFileBytes(trash.filePath(QStringLiteral("info/%1.trashinfo").arg(names[n])));
            QVERIFY2(info.contains("Path=" + QUrl::toPercentEncoding(pathOf(names[n]), "/")), info.constData());
        }
        // Their rows keep their place and names, say where the picture went, and a double-click does nothing.
        QCOMPARE(strip().imageCount(), 4);
        for (int n = 0; n < 4; ++n)
            QCOMPARE(strip().lbl_filename(n)->text(), names[n]);
        QVERIFY(strip().image1(2)->trashed && strip().image1(3)->trashed && !strip().image1(1)->trashed);
        QVERIFY(strip().thumbnail(3).isNull());
        QVERIFY(img1()->pixmap().isNull()); // it showed the last picture
        fixture->dialogs.messages.clear();
        verifyDoubleClickIgnored(3);

        // Delete acts on the selection, Esc clears it: keys of the window, wherever its focus is.
        const auto press = [&](Qt::Key key) {
            window().activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window()));
            QTest::keyClick(window().windowHandle(), key);
        };
        click(1, {});
        press(Qt::Key_Delete);
        QVERIFY(strip().image1(1)->trashed);
        click(0, Qt::ControlModifier);
        press(Qt::Key_Escape);
        QVERIFY(strip().selection().empty());
    }

    void rowsStopWhereTheBarCannotReach()
    {
        // 16-bit value and maximum: 2 x 16383 fits, 2 x 16384 does not.
        static_assert(strip::scrollMaximumFits(16383) && !strip::scrollMaximumFits(16384));
        // The largest value still places the container without overflow.
        QCOMPARE(strip::containerTop(32767), -37682050.0);
    }

    void refusedRowIsReusedAndNeverCounted()
    {
        // The window's strip controls on their own, with a bar that holds at most 6: rows 0 to 3.
        QWidget frame;
        const auto make = [](const char *name, QWidget *parent) {
            const auto layout = windowLayout();
            const auto entry = std::find_if(layout.begin(), layout.end(),
                                            [&](const ControlSpec &each) { return qstrcmp(each.name, name) == 0; });
            return createControl(*entry, parent);
        };
        QWidget *base = make("pic_base", &frame);
        auto *cont = make("pic_cont", base);
        auto *scroll = static_cast<QScrollBar *>(make("VScroll1", base));
        auto *image0 = static_cast<QLabel *>(make("image1(0)", cont));
        auto *label0 = static_cast<QLabel *>(make("lbl_filename(0)", cont));
        QImage shown;
        const StripDisplays displays{[&](const QImage &picture) { shown = picture; }, [](const QImage &) {},
                                     [](const QImage &) {}};
        const ProgramFolders folders{fixture->programFolder() + u'/', fixture->pictureFolder() + u'/'};
        const auto neverCancelled = [] { return false; };
        ThumbnailStrip small({cont, scroll, image0, label0}, displays, folders, neverCancelled, 6);

        for (int n = 0; n < 6; ++n) {
            savePicture(QStringLiteral("%1.bmp").arg(n), twoColourPicture({320, 240}, qRgb(n, n, n), kDeviceWhite));
            small.add_thumbnail(QStringLiteral("%1.bmp").arg(n));
        }
        // Row 4 was made and placed, but the bar could not take it: the last
        // two calls ended there, the second with the first one's elements.
        QCOMPARE(small.imageCount(), 4);
        QCOMPARE(small.elementCount(), 5);
        QVERIFY(small.image1(4)->visible && small.lbl_filename(4)->visible);
        QVERIFY(small.lbl_filename(4)->text().isEmpty());
        QVERIFY(small.image1(4)->picture.isEmpty());
        QCOMPARE(small.rowTop(4), 9200.0);
        QCOMPARE(small.containerHeight(), 2300.0 * 5);
        QCOMPARE(small.containerTop(), -2300.0 * 3);
        QCOMPARE(scroll->maximum(), 6);
        QCOMPARE(scroll->value(), 6);
        QCOMPARE(opaque(shown), QImage(fixture->pictureFolder() + QStringLiteral("/5.bmp")));
    }
};

VELSNAP_TEST_MAIN(ThumbnailStripTest)
#include "test_thumbnail_strip.moc"
