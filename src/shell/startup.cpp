// Start-up of the window: folders, pictures kept from earlier, stored choices.
#include "shell/main_window.h"

#include "folders/kept_pictures.h"
#include "serial/port_mapping.h"
#include "settings/stored_number.h"
#include "shell/dialogs.h"
#include "shell/help_command.h"
#include "texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <cstring>

namespace velsnap {

void FrmMain::Form_Load()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    move(screen.x() + (screen.width() - frameGeometry().width()) / 2,
         screen.y() + (screen.height() - frameGeometry().height()) / 2);
    show();
    init_form();
    m_reception->cmd_receive_Click();
}

void FrmMain::init_form()
{
    m_folders = programFoldersOf(m_services.programFolder);
    if (!preparePictureFolder())
        return m_services.endProgram();
    offerKeptPictures();
    restoreChoices();
    m_helpFile = QLatin1String(kHelpFileName);
}

bool FrmMain::preparePictureFolder()
{
    // With its parents: the user's pictures folder may not exist yet.
    const QString folder = m_folders.image_path;
    const int error = makeFolder(folder);
    if (error == 0)
        return true;
    m_services.dialogs.message(texts::kPictureFolderUnusable.arg(QDir::toNativeSeparators(folder),
                                                                 QString::fromLocal8Bit(std::strerror(error))));
    return false;
}

void FrmMain::offerKeptPictures()
{
    const QStringList names = keptPictureNames(m_folders.image_path);
    if (names.isEmpty())
        return;
    const bool remove = m_services.dialogs.askYesNo(texts::kDeleteKeptPictures, texts::kQuestionTitle);
    const ThumbnailStrip::Batch batch(*m_strip); // img1 takes the last kept picture once, at the end
    for (const QString &name : names) {
        if (remove) {
            QFile file(m_folders.image_path + name);
            if (!file.remove())
                m_services.dialogs.message(
                    texts::kPictureNotDeleted.arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
        } else {
            m_strip->add_thumbnail(name);
        }
        QCoreApplication::processEvents();
    }
}

void FrmMain::restoreChoices()
{
    auto *view = m_controls.chk_viewimage;
    const int state = readStoredInt16(m_settings.read(kSnapSection, kViewKey, QStringLiteral("1")));
    // Stored 0 clear, 1 ticked, 2 grey; anything else reads as clear.
    view->setCheckState(state == 1 ? Qt::Checked : state == 2 ? Qt::PartiallyChecked : Qt::Unchecked);

    auto *ports = m_controls.cmb_port;
    for (int port = 1; port <= kPortCount; ++port)
        ports->addItem(texts::kPortEntry.arg(port));
    const int position =
        nearestInt16(storedNumberValue(m_settings.read(kSnapSection, kPortKey, QStringLiteral("1"))) - 1);
    ports->setCurrentIndex(position >= 0 && position < kPortCount ? position : -1);
}

} // namespace velsnap
