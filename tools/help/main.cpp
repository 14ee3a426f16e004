#include "help_window.h"
#include "japanese_font.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>

namespace {

int fail(const QString &message)
{
    QMessageBox::critical(nullptr, QStringLiteral("VELSNAP ヘルプ"), message);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    velsnap::preferJapaneseFont(app);

    const QStringList args = app.arguments();
    if (args.size() < 2)
        return fail(QStringLiteral("ヘルプファイルが指定されていません。\n使い方: velsnap-help ヘルプファイル"));

    const QString path = args.at(1);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("ヘルプファイルを開けません: %1\n%2").arg(path, file.errorString()));

    // The help file is UTF-8 HTML whatever its extension says.
    HelpWindow window(QString::fromUtf8(file.readAll()));
    window.show();
    return app.exec();
}
