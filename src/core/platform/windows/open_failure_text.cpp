#include "platform/open_failure_text.h"

namespace velsnap {

namespace {
const QString kCheckAssignment = QStringLiteral("velsnap-ports で COM 番号の割り当てを確かめてください。");
} // namespace

QString explainOpenFailure(OpenCause cause, const QString &portText, const QString &device, const QString &systemError)
{
    switch (cause) {
    case OpenCause::NoPortNumber:
        return QStringLiteral("COM %1 というシリアルポートはありません。COM 1 から COM 8 のどれかを選んでください。")
            .arg(portText);
    case OpenCause::Missing:
        return QStringLiteral("%1 がこのパソコンにありません。USB アダプタをつなぎ直すか、").arg(device) +
               kCheckAssignment;
    case OpenCause::NoHardware:
        return QStringLiteral("%1 は登録されていますが、応答しません。アダプタをつなぎ直してください。").arg(device);
    case OpenCause::NotAllowed:
        return QStringLiteral("%1 を開く権限がありません。管理者に確かめてもらってください。").arg(device);
    case OpenCause::PlainFile:
    case OpenCause::Folder:
    case OpenCause::NotTerminal:
        return QStringLiteral("%1 はシリアルポートではありません。").arg(device) + kCheckAssignment;
    case OpenCause::OpenHere:
        return QStringLiteral("%1 はこのプログラムが開いています。").arg(device);
    case OpenCause::Held:
        // Windows cannot tell which program has it.
        return QStringLiteral("%1 はほかのプログラムが開いています。そのプログラムを終了してから、やり直してください。")
            .arg(device);
    case OpenCause::Unknown:
        break;
    }
    return QStringLiteral("%1 を開けません（%2）").arg(device, systemError);
}

} // namespace velsnap
