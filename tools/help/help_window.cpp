#include "help_window.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(const QString &html, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("VELSNAP ヘルプ"));

    auto *browser = new QTextBrowser(this);
    browser->setHtml(html);

    auto *buttons = new QDialogButtonBox(this);
    auto *close = buttons->addButton(QStringLiteral("閉じる(&C)"), QDialogButtonBox::RejectRole);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(browser);
    layout->addWidget(buttons);

    resize(640, 560);
}
