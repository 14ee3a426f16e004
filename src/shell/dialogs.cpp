#include "shell/dialogs.h"

#include "texts.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
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

void MessageBoxDialogs::askSavePath(const QString &title, const QString &suggested, const QString &filter,
                                    std::function<void(const QString &)> chosen)
{
    // Qt's own dialog speaks the program's Japanese whatever the desktop's language.
    auto *dialog = new QFileDialog(QApplication::activeWindow(), title, QFileInfo(suggested).absolutePath(), filter);
    dialog->setOptions(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QFileInfo(suggested).suffix());
    dialog->selectFile(QFileInfo(suggested).fileName());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QFileDialog::fileSelected, dialog, std::move(chosen));
    dialog->open();
}

} // namespace velsnap
