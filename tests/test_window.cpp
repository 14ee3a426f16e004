// The main window as the user meets it: every control where the layout puts
// it and how it looks, captions that fit the font actually used, the access
// keys and the keyboard button, the tab order, and which clicks do anything.
#include "picture/picture_file.h"
#include "picture/time_report.h"
#include "settings/settings_store.h"
#include "shell/picture_display.h"
#include "shell/preview_box.h"
#include "support/scripted_line.h"
#include "support/simulated_device.h"
#include "support/test_main.h"
#include "support/window_fixture.h"
#include "texts.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

using namespace velsnap;

namespace {

enum class Kind { Label, Button, List, Check, Picture, Preview, Image, StretchedImage, ScrollBar };
enum class Border { None, Single, Sunken };

// A colour of the design: none of its own, a fixed value, or a role of the user's palette.
struct Colour {
    QColor fixed;
    QPalette::ColorRole role = QPalette::NoRole;

    bool given() const { return fixed.isValid() || role != QPalette::NoRole; }
    QColor now() const { return fixed.isValid() ? fixed : QApplication::palette().color(role); }
};

const QPalette::ColorRole kWindowBackground = QPalette::Base;         // system colour 5
const QPalette::ColorRole kWindowText = QPalette::Text;               // system colour 8
const QPalette::ColorRole kHighlightText = QPalette::HighlightedText; // system colour 14

struct Control {
    const char *name;
    Kind kind;
    const char *parent;
    int left, top, width, height; // twips, inside the parent's inner area
    const char *caption = "";
    const char *hint = "";
    Border border = Border::None;
    Qt::Alignment alignment = Qt::AlignLeft;
    Colour back;
    Colour fore;
    int points = 0; // a bold font of its own; 0: the window's font
};

// The window as designed, row by row.
const std::vector<Control> kDesign = {
    {"cmb_port", Kind::List, "frm_main", 6540, 60, 1335, 300, "", "通信に利用するシリアルポートを指定します"},
    {"cmd_help", Kind::Button, "frm_main", 60, 4800, 975, 495, "ﾍﾙﾌﾟ(&H)", "ヘルプファイルを表示します"},
    {"cmd_end", Kind::Button, "frm_main", 3840, 4800, 975, 495, "終了(&X)", "このプログラムを終了します"},
    {"pic_base", Kind::Picture, "frm_main", 4920, 840, 2955, 4635, "", "", Border::Sunken},
    {"pic_cont", Kind::Picture, "pic_base", 0, 0, 2595, 2300, "", "", Border::Sunken},
    {"image1(0)", Kind::StretchedImage, "pic_cont", 60, 0, 2400, 1800, "", "受信後の画像を縮小表示します",
     Border::Single},
    {"lbl_filename(0)",
     Kind::Label,
     "pic_cont",
     60,
     1860,
     2355,
     315,
     "",
     "画面コピー画像データのファイル名です",
     Border::Single,
     Qt::AlignLeft,
     {QColor(128, 255, 255)}},
    {"VScroll1", Kind::ScrollBar, "pic_base", 2640, 0, 255, 4575},
    {"pic1",
     Kind::Preview,
     "frm_main",
     60,
     840,
     4800,
     3600,
     "",
     "受信中の画面コピー画像をリアルタイムに表示します",
     Border::None,
     Qt::AlignLeft,
     {{}, kWindowBackground},
     {{}, kWindowText}},
    {"chk_viewimage", Kind::Check, "frm_main", 60, 4500, 4755, 255, "受信中の画像を表示する（処理時間が長くなります）",
     "受信中の画面データをリアルタイム表示する／しないの設定を行います"},
    {"cmd_receive", Kind::Button, "frm_main", 1260, 4800, 2355, 495, "受信開始(&G)", "受信の開始／中断を行います"},
    {"Label4",
     Kind::Label,
     "frm_main",
     120,
     5340,
     4755,
     195,
     "ハンディ端末の画面コピーを受信・保存します",
     "このプログラムは、ハンディ端末からシリアル回線で送られた画面コピーを受信して保存します。",
     Border::None,
     Qt::AlignHCenter,
     {},
     {QColor(255, 0, 255)},
     9},
    {"lbl_status",
     Kind::Label,
     "frm_main",
     960,
     60,
     2175,
     315,
     "",
     "現在の受信状態を表示します",
     Border::Single,
     Qt::AlignHCenter,
     {{}, kHighlightText},
     {QColor(0, 0, 255)},
     12},
    {"Label3", Kind::Label, "frm_main", 5340, 120, 1155, 195, "シリアルポート"},
    {"Label2", Kind::Label, "frm_main", 60, 120, 795, 195, "受信状況"},
    {"img1", Kind::Image, "frm_main", 60, 840, 1635, 975},
    {"Label1", Kind::Label, "frm_main", 4200, 120, 1155, 195, "/230400 Byte"},
    {"lbl_byte",
     Kind::Label,
     "frm_main",
     3240,
     60,
     855,
     315,
     "",
     "変換データのバイト数を表示します",
     Border::Single,
     Qt::AlignRight,
     {QColor(192, 255, 255)},
     {QColor(0, 0, 255)},
     9},
    {"lbl_time", Kind::Label, "frm_main", 3240, 480, 1035, 255, "処理時間",
     "画面コピーデータの処理に要した時間を表示します", Border::Single},
    {"lbl_end", Kind::Label, "frm_main", 2100, 480, 1035, 255, "終了時間", "処理終了時間を表示します", Border::Single},
    {"lbl_start", Kind::Label, "frm_main", 960, 480, 1035, 255, "開始時間", "受信開始時間を表示します", Border::Single},
};

// The controls that take the focus, in tab order.
const QStringList kTabOrder = {"cmd_receive", "chk_viewimage", "pic1",     "pic_base", "VScroll1",
                               "pic_cont",    "cmd_end",       "cmd_help", "cmb_port"};

int pixels(int twips)
{
    return int(std::lround(twips / 15.0));
}

bool isKind(const QWidget *widget, Kind kind)
{
    const auto *label = qobject_cast<const QLabel *>(widget);
    switch (kind) {
    case Kind::Label:
        return label && label->textFormat() == Qt::PlainText; // a file name is never markup
    case Kind::Image:
        return label && !label->hasScaledContents();
    case Kind::StretchedImage:
        return label && label->hasScaledContents();
    case Kind::Button:
        return qobject_cast<const QPushButton *>(widget);
    case Kind::List:
        return qobject_cast<const QComboBox *>(widget);
    case Kind::Check:
        return qobject_cast<const QCheckBox *>(widget);
    case Kind::Picture:
        return widget->metaObject() == &QFrame::staticMetaObject;
    case Kind::Preview:
        return dynamic_cast<const PreviewBox *>(widget);
    case Kind::ScrollBar: {
        const auto *bar = qobject_cast<const QScrollBar *>(widget);
        return bar && bar->orientation() == Qt::Vertical;
    }
    }
    return false;
}

QString captionOf(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    return {};
}

// The area in which a control lays out its text, as its style places it.
QRect textRoom(QWidget *widget)
{
    QStyle *style = widget->style();
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        QRect room =
            label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
        // A framed label indents its text by half an "x" on the side it is aligned to.
        const int indent = label->indent() >= 0      ? label->indent()
                           : label->frameWidth() > 0 ? label->fontMetrics().horizontalAdvance(u'x') / 2
                                                     : 0;
        if (label->alignment() & Qt::AlignLeft)
            room.setLeft(room.left() + indent);
        if (label->alignment() & Qt::AlignRight)
            room.setRight(room.right() - indent);
        return room;
    }
    if (auto *button = qobject_cast<QPushButton *>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        if (button->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
        return style->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    if (auto *check = qobject_cast<QCheckBox *>(widget)) {
        QStyleOptionButton option;
        option.initFrom(check);
        return style->subElementRect(QStyle::SE_CheckBoxContents, &option, check);
    }
    auto *list = qobject_cast<QComboBox *>(widget);
    QStyleOptionComboBox option;
    option.initFrom(list);
    return style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
}

// What the handlers leave behind, to tell which one ran.
struct Effects {
    QStringList messages;
    QStringList programs;
    int ends = 0;
    QByteArray settings;
    QImage preview;
};

QByteArray settingsFile()
{
    QFile file(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Velmora.ini"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList changes(const Effects &before, const Effects &after)
{
    QStringList changed;
    if (after.messages != before.messages)
        changed << QStringLiteral("message");
    if (after.programs != before.programs)
        changed << QStringLiteral("program");
    if (after.ends != before.ends)
        changed << QStringLiteral("end");
    if (after.settings != before.settings)
        changed << QStringLiteral("settings");
    if (after.preview != before.preview)
        changed << QStringLiteral("preview");
    return changed;
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ScriptedLine> line;
    std::unique_ptr<test::WindowFixture> fixture;

    FrmMain &window() { return fixture->window(); }
    template <typename Widget = QWidget>
    Widget *control(const QString &name)
    {
        auto *widget = window().control<Widget>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QWidget *focus() const { return QApplication::focusWidget(); }

    Effects effects()
    {
        return {fixture->dialogs.messages, fixture->starter.commandLines, fixture->endRequests, settingsFile(),
                control<PreviewBox>(QStringLiteral("pic1"))->picture()};
    }

    // Started as the program starts, with one picture kept from before: active,
    // reception given up at once on the missing port. False when it did not come up so.
    bool openWindow()
    {
        QDir().mkpath(fixture->pictureFolder());
        QImage picture(320, 240, QImage::Format_RGB32);
        picture.fill(QColor(0, 128, 0));
        if (!picture.save(fixture->pictureFolder() + QStringLiteral("/240101_120000.bmp")) ||
            !QFile::copy(test::binFolder() + QStringLiteral("/VELSNAP.HLP"),
                         fixture->programFolder() + QStringLiteral("/VELSNAP.HLP")))
            return false;
        window().Form_Load();
        window().activateWindow(); // no window manager does it here
        const bool opened = QTest::qWaitForWindowActive(&window()) &&
                            fixture->dialogs.messages == QStringList{texts::kPortUnusable} &&
                            window().strip().imageCount() == 1;
        fixture->dialogs.messages.clear();
        return opened;
    }

private slots:
    void init()
    {
        // A press of the start button ends at once: the port cannot be opened.
        line = std::make_unique<test::ScriptedLine>();
        line->later.open = OpenResult::Unusable;
        fixture = std::make_unique<test::WindowFixture>(line.get());
        fixture->storeSetting(kSnapSection, kPortKey, QStringLiteral("1"));
        fixture->storeSetting(kSnapSection, kViewKey, QStringLiteral("0"));
    }
    void cleanup()
    {
        fixture.reset();
        line.reset();
    }

    void controlsAsDrawn_data()
    {
        QTest::addColumn<int>("row");
        for (int row = 0; row < int(kDesign.size()); ++row)
            QTest::newRow(kDesign[row].name) << row;
    }
    void controlsAsDrawn()
    {
        QFETCH(int, row);
        const Control &expected = kDesign[row];
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        QWidget *widget = control(QString::fromLatin1(expected.name));

        QVERIFY(isKind(widget, expected.kind));
        QWidget *parent = widget->parentWidget();
        QCOMPARE(parent->objectName(), QString::fromLatin1(expected.parent));
        QCOMPARE(widget->geometry().translated(-parent->contentsRect().topLeft()),
                 QRect(pixels(expected.left), pixels(expected.top), pixels(expected.width), pixels(expected.height)));
        QCOMPARE(captionOf(widget), QString::fromUtf8(expected.caption));
        QCOMPARE(widget->toolTip(), QString::fromUtf8(expected.hint));
        QVERIFY(widget->isEnabled());
        QVERIFY(widget->isVisible());

        if (auto *frame = qobject_cast<QFrame *>(widget)) {
            const int width[] = {0, 1, 2};
            QCOMPARE(frame->frameWidth(), width[int(expected.border)]);
            QCOMPARE(frame->frameShadow() == QFrame::Sunken, expected.border == Border::Sunken);
        }
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, expected.alignment);
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        }
        if (expected.back.given()) {
            // As seen on the window, in the middle of the still empty control.
            const QPoint middle = widget->mapTo(&window(), widget->rect().center());
            QCOMPARE(window().grab(QRect(middle, QSize(1, 1))).toImage().pixelColor(0, 0), expected.back.now());
        }
        if (expected.fore.given())
            QCOMPARE(widget->palette().color(widget->foregroundRole()), expected.fore.now());
        if (expected.points != 0) {
            QCOMPARE(widget->font().pixelSize(), expected.points * 96 / 72);
            QVERIFY(widget->font().bold());
        } else {
            QCOMPARE(widget->font(), window().font());
            QVERIFY(!widget->font().bold());
        }
    }

    void systemColoursFollowThePalette()
    {
        // A palette given to the window reaches its controls as the user's colour scheme does.
        QPalette scheme = window().palette();
        scheme.setColor(kWindowBackground, QColor(1, 2, 3));
        scheme.setColor(kWindowText, QColor(4, 5, 6));
        scheme.setColor(kHighlightText, QColor(7, 8, 9));
        window().setPalette(scheme);
        const auto back = [this](const char *name) {
            QWidget *widget = control(QString::fromLatin1(name));
            return widget->palette().color(widget->backgroundRole());
        };
        const auto fore = [this](const char *name) {
            QWidget *widget = control(QString::fromLatin1(name));
            return widget->palette().color(widget->foregroundRole());
        };
        QCOMPARE(back("pic1"), QColor(1, 2, 3));
        QCOMPARE(fore("pic1"), QColor(4, 5, 6));
        QCOMPARE(back("lbl_status"), QColor(7, 8, 9));
        QCOMPARE(fore("lbl_status"), QColor(0, 0, 255)); // fixed colours stay
        QCOMPARE(back("lbl_byte"), QColor(192, 255, 255));
    }

    void windowAndIcon()
    {
        QCOMPARE(window().objectName(), QStringLiteral("frm_main"));
        QCOMPARE(window().windowTitle(), QStringLiteral("Velmora 画面コピープログラム (VELSNAP)  Ver3.0"));
        QCOMPARE(window().size(), QSize(528, 372));
        QCOMPARE(window().minimumSize(), window().maximumSize());
        QVERIFY(!window().windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

        const QImage icon(QStringLiteral(":/velsnap.png"));
        QCOMPARE(icon.size(), QSize(32, 32));
        QVERIFY(icon.colorCount() > 0 && icon.colorCount() <= 16);
        QCOMPARE(window().windowIcon().pixmap(32).toImage().convertToFormat(QImage::Format_ARGB32),
                 icon.convertToFormat(QImage::Format_ARGB32));
        // A device with a cyan screen at the top, a white sheet in the middle, a yellow box with red lights below.
        const auto coloursIn = [&](int fromRow, int toRow) {
            QSet<QRgb> colours;
            for (int y = fromRow; y < toRow; ++y)
                for (int x = 0; x < 32; ++x)
                    colours << (icon.pixel(x, y) & 0xFFFFFF);
            return colours;
        };
        QVERIFY(coloursIn(0, 14).contains(qRgb(0, 255, 255) & 0xFFFFFF));
        QVERIFY(coloursIn(0, 14).contains(qRgb(128, 128, 128) & 0xFFFFFF));
        QVERIFY(coloursIn(14, 22).contains(qRgb(255, 255, 255) & 0xFFFFFF));
        QVERIFY(coloursIn(22, 32).contains(qRgb(255, 255, 0) & 0xFFFFFF));
        QVERIFY(coloursIn(22, 32).contains(qRgb(255, 0, 0) & 0xFFFFFF));
    }

    void initialState()
    {
        QCOMPARE(control<QCheckBox>(QStringLiteral("chk_viewimage"))->checkState(), Qt::Unchecked);
        auto *ports = control<QComboBox>(QStringLiteral("cmb_port"));
        QCOMPARE(ports->count(), 0);
        QCOMPARE(ports->currentIndex(), -1);
        auto *bar = control<QScrollBar>(QStringLiteral("VScroll1"));
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 0);
        QCOMPARE(bar->value(), 0);
        QVERIFY(control<QLabel>(QStringLiteral("img1"))->pixmap().isNull());
        QVERIFY(control<QLabel>(QStringLiteral("image1(0)"))->pixmap().isNull());
        const QImage preview = control<PreviewBox>(QStringLiteral("pic1"))->picture();
        QCOMPARE(preview.size(), QSize(320, 240));
        QCOMPARE(preview.pixel(160, 120), qRgba(0, 0, 0, 0));
    }

    void largeViewLiesBeneathThePreview()
    {
        window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        auto *img1 = control<QLabel>(QStringLiteral("img1"));
        auto *pic1 = control(QStringLiteral("pic1"));
        QImage picture(320, 240, QImage::Format_RGB32);
        picture.fill(Qt::red);
        showPictureAtOwnSize(img1, QPixmap::fromImage(picture));
        QCOMPARE(img1->geometry(), pic1->geometry());
        QCOMPARE(window().childAt(pic1->geometry().center()), pic1);
        const QImage seen = window().grab(pic1->geometry()).toImage();
        QVERIFY(seen.pixelColor(160, 120) != QColor(Qt::red));
    }

    void captionsFit_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        const auto row = [](const char *name, const QString &text) {
            QTest::addRow("%s %s", name, qPrintable(text)) << QString::fromLatin1(name) << text;
        };
        for (const Control &design : kDesign) {
            if (*design.caption)
                row(design.name, QString::fromUtf8(design.caption));
        }
        // What the controls show while the program runs.
        for (const QString &caption : {texts::kButtonStartIdle, texts::kButtonStop})
            row("cmd_receive", caption);
        for (const QString &status : {texts::kStatusCannotReceive, texts::kStatusPortOpen, texts::kStatusWaiting,
                                      texts::kStatusReceiving, texts::kStatusComplete})
            row("lbl_status", status);
        row("lbl_byte", QStringLiteral(" 230400"));
        const QString latest = timeOfDayText(QTime(23, 59, 59));
        row("lbl_start", latest);
        row("lbl_end", latest);
        row("lbl_time", processingTimeText(QTime(0, 0), QTime(23, 59, 59)));
        const QDateTime when(QDate(2099, 12, 31), QTime(23, 59, 59));
        row("lbl_filename(0)", pictureFileName(when));
        int taken = 0;
        row("lbl_filename(0)", freePictureFileName(when, [&](const QString &) { return ++taken < 10; }));
        for (int port = 1; port <= 8; ++port)
            row("cmb_port", QStringLiteral("COM %1").arg(port));
    }
    void captionsFit()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QWidget *widget = control(name);
        const QFontMetrics metrics(widget->font());
        const QString shown = qobject_cast<QLabel *>(widget) ? text : QString(text).remove(u'&');
        const QSize needed(std::max(metrics.horizontalAdvance(shown), metrics.boundingRect(shown).right() + 1),
                           metrics.height());
        const QSize room = textRoom(widget).size();
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                 qPrintable(QStringLiteral("needs %1 x %2, has %3 x %4 in %5")
                                .arg(needed.width())
                                .arg(needed.height())
                                .arg(room.width())
                                .arg(room.height())
                                .arg(QFontInfo(widget->font()).family())));
        for (char32_t character : shown.toUcs4()) {
            if (!QChar::isSpace(character))
                QVERIFY2(metrics.inFontUcs4(character), qPrintable(QString::number(character, 16)));
        }
    }

    void focusIsOnTheStartButtonWhenTheWindowOpens()
    {
        QVERIFY(openWindow());
        QCOMPARE(focus(), control(QStringLiteral("cmd_receive")));
    }

    void tabOrder()
    {
        QVERIFY(openWindow());
        QStringList forward;
        for (int press = 0; press < kTabOrder.size(); ++press) {
            QTest::keyClick(focus(), Qt::Key_Tab);
            forward << focus()->objectName();
        }
        QCOMPARE(forward, kTabOrder.mid(1) << kTabOrder.first());
        QStringList backward;
        for (int press = 0; press < kTabOrder.size(); ++press) {
            QTest::keyClick(focus(), Qt::Key_Backtab, Qt::ShiftModifier);
            backward.prepend(focus()->objectName());
        }
        QCOMPARE(backward, kTabOrder);
    }

    void accessKeys_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("Alt+G to start") << texts::kButtonStart << int(Qt::Key_G) << "cmd_receive";
        QTest::newRow("Alt+G to start again") << texts::kButtonStartIdle << int(Qt::Key_G) << "cmd_receive";
        QTest::newRow("Alt+G to stop") << texts::kButtonStop << int(Qt::Key_G) << "cmd_receive";
        QTest::newRow("Alt+H") << texts::kButtonStart << int(Qt::Key_H) << "cmd_help";
        QTest::newRow("Alt+X") << texts::kButtonStart << int(Qt::Key_X) << "cmd_end";
    }
    void accessKeys()
    {
        QFETCH(QString, caption);
        QFETCH(int, key);
        QFETCH(QString, pressed);
        QVERIFY(openWindow());
        control<QPushButton>(QStringLiteral("cmd_receive"))->setText(caption);
        control(QStringLiteral("chk_viewimage"))->setFocus(); // away from every button
        std::map<QString, std::unique_ptr<QSignalSpy>> clicks;
        for (const char *button : {"cmd_receive", "cmd_help", "cmd_end"})
            clicks[QString::fromLatin1(button)] =
                std::make_unique<QSignalSpy>(control<QPushButton>(QString::fromLatin1(button)), &QPushButton::clicked);
        QTest::keyClick(focus(), Qt::Key(key), Qt::AltModifier);
        QTRY_COMPARE(clicks[pressed]->count(), 1); // an access key animates the press first
        for (const auto &[button, spy] : clicks)
            QCOMPARE(spy->count(), button == pressed ? 1 : 0);
    }

    void keyboardButton_data()
    {
        QTest::addColumn<QString>("focusOn");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        for (const QString &name : kTabOrder) {
            QTest::addRow("Return on %s", qPrintable(name)) << name << int(Qt::Key_Return) << int(Qt::NoModifier);
            QTest::addRow("Enter on %s", qPrintable(name)) << name << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
        }
    }
    void keyboardButton()
    {
        QFETCH(QString, focusOn);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QVERIFY(openWindow());
        control(focusOn)->setFocus(Qt::TabFocusReason);
        QCOMPARE(focus()->objectName(), focusOn);
        QSignalSpy receive(control<QPushButton>(QStringLiteral("cmd_receive")), &QPushButton::clicked);
        auto *ports = control<QComboBox>(QStringLiteral("cmb_port"));
        const int port = ports->currentIndex();
        const Effects before = effects();
        QTest::keyClick(focus(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(receive.count(), 1);
        QCOMPARE(changes(before, effects()), QStringList{QStringLiteral("message")});
        QCOMPARE(fixture->dialogs.messages, QStringList{texts::kPortUnusable});
        QCOMPARE(ports->currentIndex(), port);
        QVERIFY(!ports->view()->isVisible());
    }

    void portListTakesNoTypedText()
    {
        QVERIFY(openWindow());
        auto *ports = control<QComboBox>(QStringLiteral("cmb_port"));
        QVERIFY(!ports->isEditable());
        ports->setFocus();
        QTest::keyClicks(ports, QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(ports->count(), 8);
        QVERIFY(ports->findText(ports->currentText()) >= 0);
    }

    void onlyTheHandledEventsDoAnything_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("effects");
        QTest::newRow("start button") << "cmd_receive"
                                      << "click" << QStringList{"message"};
        QTest::newRow("help button") << "cmd_help"
                                     << "click" << QStringList{"program"};
        QTest::newRow("exit button") << "cmd_end"
                                     << "click" << QStringList{"end"};
        QTest::newRow("preview switch") << "chk_viewimage"
                                        << "click" << QStringList{"settings"};
        QTest::newRow("port picked") << "cmb_port"
                                     << "pick" << QStringList{"settings"};
        QTest::newRow("thumbnail double-clicked") << "image1(0)"
                                                  << "double-click" << QStringList{"preview"};
        QTest::newRow("thumbnail clicked") << "image1(0)"
                                           << "click" << QStringList{};
        // The container's middle is row 0's thumbnail, which the container draws and hears.
        QTest::newRow("container double-clicked") << "pic_cont"
                                                  << "double-click" << QStringList{"preview"};
        for (const char *name : {"Label1", "Label2", "Label3", "Label4", "lbl_status", "lbl_byte", "lbl_start",
                                 "lbl_end", "lbl_time", "lbl_filename(0)", "pic1", "img1", "pic_base", "pic_cont"}) {
            for (const char *action : {"click", "double-click"}) {
                if (qstrcmp(name, "pic_cont") != 0 || qstrcmp(action, "click") == 0)
                    QTest::addRow("%s %s", name, action) << name << action << QStringList{};
            }
        }
    }
    void onlyTheHandledEventsDoAnything()
    {
        QFETCH(QString, name);
        QFETCH(QString, action);
        QFETCH(QStringList, effects);
        QVERIFY(openWindow());
        QWidget *target = control(name);
        QWidget *focused = focus();
        const Effects before = this->effects();
        if (action == QLatin1String("click"))
            QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
        else if (action == QLatin1String("double-click"))
            QTest::mouseDClick(target, Qt::LeftButton, {}, target->rect().center());
        else
            QTest::keyClick(target, Qt::Key_Down);
        QCOMPARE(changes(before, this->effects()), effects);
        if (effects.isEmpty())
            QCOMPARE(focus(), focused);
    }
};

VELSNAP_TEST_MAIN(WindowTest)
#include "test_window.moc"
