#pragma once

#include <QString>
#include <QStringList>

// Every text velsnap-ports shows of its own; the port doctor's findings are the core's.
namespace velsnap::ports_texts {

inline const QString kWindowTitle = QStringLiteral("VELSNAP シリアルポートの割り当て");
inline const QString kIntro = QStringLiteral("COM 1 から COM 8 が使うデバイスです。一覧から選ぶとすぐに記録され、"
                                             "次の受信から使われます。行を選ぶと、下にそのポートの診断が出ます。\n"
                                             "設定ファイル: %1");
inline const QStringList kColumns{QStringLiteral("ポート"),      QStringLiteral("デバイス"), QStringLiteral("決め方"),
                                  QStringLiteral("状態"),        QStringLiteral("説明"),     QStringLiteral("メーカー"),
                                  QStringLiteral("シリアル番号")};
inline const QString kSearchAgain = QStringLiteral("もう一度探す(&R)");
inline const QString kClose = QStringLiteral("閉じる(&C)");
inline const QString kAutomatic = QStringLiteral("自動: %1");
inline const QString kTypePath = QStringLiteral("パスを入力…");
inline const QString kPathPrompt = QStringLiteral("COM %1 のデバイスのパス:");
inline const QString kChosenAutomatically = QStringLiteral("自動で決まります");
inline const QString kChoiceNotStored = QStringLiteral("割り当てを保存できません: %1\n%2");

inline const QString kSourceMapped = QStringLiteral("割り当て");
inline const QString kSourceFound = QStringLiteral("自動（見つかったポート）");
inline const QString kSourceFallback = QStringLiteral("自動（見つからないため既定の名前）");
inline const QString kStateMissing = QStringLiteral("ありません");
inline const QString kStateNotSerial = QStringLiteral("シリアルポートではありません");
inline const QString kStateNotAllowed = QStringLiteral("開く権限がありません（グループ %1）");
inline const QString kStateUsable = QStringLiteral("使えます");

inline const QString kUsage = QStringLiteral(
    "使い方: velsnap-ports [--list | --check [COM n | デバイス]]\n"
    "  引数なし  割り当てを変えるウィンドウを開きます\n"
    "  --list    COM 1 から COM 8 が使うデバイスを表示します（何も変更しません）\n"
    "  --check   ポートを診断します: デバイスがあるか、シリアルポートか、開けるか、ほかのプロセスが使っていないか、\n"
    "            brltty や ModemManager が邪魔をしていないか。USB アダプタならドライバー、ID、シリアル番号、\n"
    "            固定の名前も表示します。COM n もデバイスも指定しないと、ウィンドウで選ばれたポートを調べます。\n"
    "            問題がなければ終了ステータス 0、あれば 1 です。\n"
    "  --help    この説明を表示します\n"
    "  --version 版を表示します\n");
inline const QString kUnknownArguments = QStringLiteral("velsnap-ports: 使えない引数です: %1\n");
inline const QString kCheckHeading = QStringLiteral("%1: %2");
inline const QString kFindingProblem = QStringLiteral("  × %1");
inline const QString kFindingFine = QStringLiteral("  ○ %1");
inline const QString kNothingWrong = QStringLiteral("問題は見つかりませんでした。");
inline const QString kProblemsFound = QStringLiteral("問題が %1 件見つかりました。");

} // namespace velsnap::ports_texts
