// The program's message boxes speak Japanese whatever the system's language:
// はい / いいえ / OK, with their access keys, and No as the question's default.
#include "shell/dialogs.h"
#include "support/test_main.h"
#include "system/qt_japanese.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

using namespace velsnap;

namespace {

struct SeenBox {
    QStringList buttons;
    QString defaultButton;
    bool closedByKey = false;
};

// Opens a box with `open`; once it is up, notes its buttons and presses
// `key` in it. A box that the key leaves open is closed, so the test goes on.
SeenBox whenTheBoxIsUp(const std::function<void()> &open, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    SeenBox seen;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (QAbstractButton *button : box->buttons())
            seen.buttons << button->text();
        if (box->defaultButton())
            seen.defaultButton = box->defaultButton()->text();
        box->activateWindow(); // access keys reach the active window only
        if (!QTest::qWaitForWindowActive(box))
            return box->reject();
        QTest::keyClick(box->windowHandle(), key, modifiers); // through the window, as shortcuts are
        // An access key clicks its button a moment later, as a mouse would.
        seen.closedByKey = QTest::qWaitFor([box] { return !box->isVisible(); }, 2000);
        if (!seen.closedByKey)
            box->reject();
    });
    open();
    return seen;
}

} // namespace

class MessageBoxesTest : public QObject {
    Q_OBJECT

    MessageBoxDialogs dialogs;

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); // not what the window speaks
        QVERIFY2(installQtJapanese(*qApp), "Qt's Japanese translations (qt6-translations-l10n) are not installed");
    }

    void messageHasOk()
    {
        const SeenBox seen =
            whenTheBoxIsUp([&] { dialogs.message(QStringLiteral("画面コピーデータではありません")); }, Qt::Key_Return);
        QCOMPARE(seen.buttons, QStringList{QStringLiteral("OK")});
        QVERIFY(seen.closedByKey);
    }

    void questionHasYesAndNoWithNoAsDefault_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("yes");
        QTest::newRow("Enter takes the default") << int(Qt::Key_Return) << int(Qt::NoModifier) << false;
        QTest::newRow("access key Y") << int(Qt::Key_Y) << int(Qt::AltModifier) << true;
        QTest::newRow("access key N") << int(Qt::Key_N) << int(Qt::AltModifier) << false;
    }
    void questionHasYesAndNoWithNoAsDefault()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, yes);
        bool answer = !yes;
        const SeenBox seen = whenTheBoxIsUp(
            [&] {
                answer = dialogs.askYesNo(QStringLiteral("すでに画面コピーファイルが存在します。\u3000削除しますか？"),
                                          QStringLiteral("削除の確認"));
            },
            Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(seen.buttons, (QStringList{QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)")}));
        QCOMPARE(seen.defaultButton, QStringLiteral("いいえ(&N)"));
        QVERIFY(seen.closedByKey);
        QCOMPARE(answer, yes);
    }
};

VELSNAP_TEST_MAIN(MessageBoxesTest)
#include "test_message_boxes.moc"
