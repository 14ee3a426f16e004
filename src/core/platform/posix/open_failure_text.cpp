#include "platform/open_failure_text.h"

#include "platform/posix/port_holder.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace velsnap {

namespace {

const QString kChooseAgain = QStringLiteral("velsnap-ports で割り当てを確かめてください。");

// A by-id link is named together with the device it leads to.
QString deviceLabel(const QString &device)
{
    const QFileInfo info(device);
    const QString target = info.canonicalFilePath();
    return info.isSymLink() && !target.isEmpty() ? QStringLiteral("%1（%2）").arg(device, target) : device;
}

// Whether this user is listed in group `gid` although this login does not
// have it yet (added with usermod, not logged in again).
bool joinedSinceLogin(gid_t gid)
{
    const passwd *user = ::getpwuid(::getuid());
    if (!user)
        return false;
    int count = 64;
    std::vector<gid_t> listed(64);
    if (::getgrouplist(user->pw_name, user->pw_gid, listed.data(), &count) < 0) {
        listed.resize(std::size_t(count));
        ::getgrouplist(user->pw_name, user->pw_gid, listed.data(), &count);
    }
    listed.resize(std::size_t(count));
    std::vector<gid_t> current(std::size_t(::getgroups(0, nullptr)));
    current.resize(std::size_t(::getgroups(int(current.size()), current.data())));
    const auto has = [gid](const std::vector<gid_t> &groups) {
        return std::find(groups.begin(), groups.end(), gid) != groups.end();
    };
    return has(listed) && !has(current) && ::getgid() != gid;
}

QString notAllowed(const QString &device)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(device).constData(), &status) != 0)
        return QStringLiteral("%1 を開く権限がありません。").arg(deviceLabel(device));
    const group *owner = ::getgrgid(status.st_gid);
    const QString groupName = owner ? QString::fromLocal8Bit(owner->gr_name) : QString::number(status.st_gid);
    const bool groupMayUse = (status.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    if (groupMayUse && status.st_gid != 0) {
        if (joinedSinceLogin(status.st_gid))
            return QStringLiteral(
                       "%1 を開く権限がありません。グループ %2 への追加がまだこのログインに反映されていません。"
                       "いったんログアウトして、ログインし直してください。")
                .arg(deviceLabel(device), groupName);
        return QStringLiteral("%1 を開く権限がありません。このデバイスはグループ %2 のものです。"
                              "sudo usermod -aG %2 $USER を実行してから、ログインし直してください。")
            .arg(deviceLabel(device), groupName);
    }
    const passwd *user = ::getpwuid(status.st_uid);
    return QStringLiteral("%1 を開く権限がありません（所有者 %2、グループ %3、アクセス権 %4）。"
                          "シリアルポートは普通グループ dialout のもので、そのグループに読み書きが許されています。"
                          "管理者にアクセス権を確かめてもらってください。")
        .arg(deviceLabel(device), user ? QString::fromLocal8Bit(user->pw_name) : QString::number(status.st_uid),
             groupName, QString::number(status.st_mode & 0777, 8));
}

QString held(const QString &device)
{
    const std::optional<PortHolder> holder = findPortHolder(device);
    if (!holder)
        return QStringLiteral("%1 はほかのプログラムが使用中です。そのプログラムを終了してから、やり直してください。")
            .arg(deviceLabel(device));
    const QString who =
        holder->program.isEmpty()
            ? QStringLiteral("プロセス番号 %1").arg(holder->pid)
            : QStringLiteral("%1（プロセス番号 %2）").arg(holder->program, QString::number(holder->pid));
    if (!holder->running)
        return QStringLiteral("%1 のロックファイル %2 が残っています。作った %3 はもう動いていませんが、"
                              "ほかのユーザーのファイルなので、このユーザーでは消せません。"
                              "管理者に sudo rm %2 で消してもらってください。")
            .arg(deviceLabel(device), holder->lockFile, who);
    return QStringLiteral("%1 はほかのプログラムが使用中です: %2。そのプログラムを終了してから、やり直してください。")
        .arg(deviceLabel(device), who);
}

} // namespace

QString explainOpenFailure(OpenCause cause, const QString &portText, const QString &device, const QString &systemError)
{
    switch (cause) {
    case OpenCause::NoPortNumber:
        return QStringLiteral(
                   "ポート番号 %1 に当たるシリアルポートはありません。COM 1 から COM 8 のどれかを選んでください。")
            .arg(portText);
    case OpenCause::Missing:
        return QStringLiteral("デバイス %1 がありません。ケーブルとアダプタの接続を確かめ、").arg(device) +
               kChooseAgain;
    case OpenCause::NoHardware:
        return QStringLiteral("%1 はありますが、その先にシリアルポートの回路がありません。").arg(deviceLabel(device)) +
               kChooseAgain;
    case OpenCause::NotAllowed:
        return notAllowed(device);
    case OpenCause::PlainFile:
        return QStringLiteral("%1 は普通のファイルで、シリアルポートではありません。").arg(device) + kChooseAgain;
    case OpenCause::Folder:
        return QStringLiteral("%1 はフォルダーで、シリアルポートではありません。").arg(device) + kChooseAgain;
    case OpenCause::NotTerminal:
        return QStringLiteral("%1 はシリアルポートではありません（端末として使えないデバイスです）。")
                   .arg(deviceLabel(device)) +
               kChooseAgain;
    case OpenCause::OpenHere:
        return QStringLiteral("%1 はこのプログラムがすでに開いています。").arg(deviceLabel(device));
    case OpenCause::Held:
        return held(device);
    case OpenCause::Unknown:
        break;
    }
    return QStringLiteral("%1 を開けません: %2").arg(deviceLabel(device), systemError);
}

} // namespace velsnap
