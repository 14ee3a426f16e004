#include "shell/picture_menu.h"

#include "image_rows/image_rows.h"
#include "picture/enlarged_picture.h"
#include "report/pdf_report.h"
#include "shell/dialogs.h"
#include "shell/file_manager.h"
#include "shell/picture_display.h"
#include "texts.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QSaveFile>
#include <QThread>
#include <QWidget>

namespace velsnap {

PictureMenu::PictureMenu(QWidget *window, Dialogs &dialogs, PictureMenuHooks hooks)
    : QObject(window),
      m_window(window),
      m_dialogs(dialogs),
      m_hooks(std::move(hooks))
{}

// A report still being written is finished before the program ends.
PictureMenu::~PictureMenu()
{
    for (const std::unique_ptr<QThread> &report : m_reports)
        report->wait();
}

void PictureMenu::popup(const QString &path, const QStringList &chosen, const QPoint &globalPos)
{
    auto *menu = new QMenu(m_window);
    menu->setObjectName(QStringLiteral("picture_menu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(texts::kMenuCopy, this, [this, path] { copy(path, 1); });
    menu->addAction(texts::kMenuCopyTwice, this, [this, path] { copy(path, 2); });
    menu->addAction(texts::kMenuCopyThrice, this, [this, path] { copy(path, 3); });
    menu->addSeparator();
    menu->addAction(texts::kMenuSavePng, this, [this, path] { saveAsPng(path); });
    menu->addAction(texts::kMenuShowInFolder, this, [this, path] { showInFolder(path); });
    menu->addSeparator();
    menu->addAction(texts::kMenuReport, this, [this, chosen] { makeReport(chosen); });
    menu->addAction(texts::kMenuTrash, this, [this, chosen] { trash(chosen); });
    menu->popup(globalPos); // not exec(): a run waiting for its bytes goes on
}

void PictureMenu::copy(const QString &path, int scale)
{
    const QImage picture(path);
    if (picture.isNull())
        return m_dialogs.message(texts::kPictureUnreadable.arg(QDir::toNativeSeparators(path)));
    copyPictureToClipboard(scale == 1 ? picture : imageOf(enlargedPicture(rgbRowsOf(picture), scale)));
}

void PictureMenu::saveAsPng(const QString &path)
{
    const QImage picture(path);
    if (picture.isNull())
        return m_dialogs.message(texts::kPictureUnreadable.arg(QDir::toNativeSeparators(path)));
    const QFileInfo file(path);
    const PictureFacts facts = m_hooks.factsOf(path);
    m_dialogs.askSavePath(texts::kSavePngTitle, file.dir().filePath(file.completeBaseName() + QStringLiteral(".png")),
                          texts::kPngFilter,
                          [this, picture, facts](const QString &target) { writePng(picture, facts, target); });
}

void PictureMenu::writePng(const QImage &picture, const PictureFacts &facts, const QString &target)
{
    QSaveFile file(target); // whole or not at all
    if (!file.open(QIODevice::WriteOnly) || file.write(pngWithFacts(rgbRowsOf(picture), facts)) < 0 || !file.commit())
        m_dialogs.message(texts::kPictureNotWritten.arg(QDir::toNativeSeparators(target), file.errorString()));
}

void PictureMenu::showInFolder(const QString &path)
{
    showInFileManager(path, [this, path] {
        m_dialogs.message(texts::kFolderNotShown.arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath())));
    });
}

void PictureMenu::trash(const QStringList &paths)
{
    if (const QStringList failures = m_hooks.trash(paths); !failures.isEmpty())
        m_dialogs.message(failures.join(QStringLiteral("\n\n")));
}

void PictureMenu::makeReport(const QStringList &paths)
{
    const QFileInfo first(paths.front());
    const QString offered = first.dir().filePath(QStringLiteral("VELSNAP_%1.pdf").arg(first.completeBaseName()));
    m_dialogs.askSavePath(texts::kReportTitle, offered, texts::kPdfFilter,
                          [this, paths](const QString &target) { writeReport(paths, target); });
}

void PictureMenu::writeReport(const QStringList &paths, const QString &target)
{
    std::vector<ReportPicture> pictures;
    for (const QString &path : paths)
        pictures.push_back({path, m_hooks.factsOf(path)});
    QThread *report = QThread::create([this, pictures, target] {
        const QString failure = writePdfReport(pictures, target);
        if (!failure.isEmpty())
            QMetaObject::invokeMethod(this, [this, failure] { m_dialogs.message(failure); });
    });
    m_reports.emplace_back(report);
    connect(report, &QThread::finished, this, [this, report] {
        report->wait(); // finished comes just before the thread's own end
        std::erase_if(m_reports, [report](const std::unique_ptr<QThread> &each) { return each.get() == report; });
    });
    report->start();
}

} // namespace velsnap
