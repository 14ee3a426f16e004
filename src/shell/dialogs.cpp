#include "shell/dialogs.h"

#include "texts.h"

#include <QApplication>
#include <QMessageBox>

namespace velsnap {

void MessageBoxDialogs::message(const QString &text, const QString &detail)
{
    QMessageBox box(QMessageBox::NoIcon, texts::kApplicationTitle, text, QMessageBox::Ok, QApplication::activeWindow());
    box.setInformativeText(detail);
    box.exec();
}

bool MessageBoxDialogs::askYesNo(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace velsnap
