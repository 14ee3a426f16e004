#pragma once

#include <QString>

// Every text the program shows the user, in one place.
namespace velsnap::texts {

inline const QString kStatusCannotReceive = QStringLiteral("受信できません");
inline const QString kStatusPortOpen = QStringLiteral("受信待機中");
inline const QString kStatusWaiting = QStringLiteral("受信待機中です");
inline const QString kStatusReceiving = QStringLiteral("受信中");
inline const QString kStatusComplete = QStringLiteral("受信完了");

inline const QString kButtonStart = QStringLiteral("受信開始(&G)");
inline const QString kButtonStartIdle = QStringLiteral("受信開始(&G) ");
inline const QString kButtonStop = QStringLiteral("受信中断(&G)");

inline const QString kStartTime = QStringLiteral("開始時間");
inline const QString kEndTime = QStringLiteral("終了時間");
inline const QString kProcessingTime = QStringLiteral("処理時間");

inline const QString kPortUnusable = QStringLiteral("指定されたシリアルポートは使えません");
inline const QString kPortInUse = QStringLiteral("指定されたシリアルポートは現在使用中です");
inline const QString kNotScreenCopy = QStringLiteral("画面コピーデータではありません");
inline const QString kLineLostWhileReceiving =
    QStringLiteral("シリアルポートとの接続が切れました。\n受信を中止しました（画像は保存されていません）。");
inline const QString kLineLostWhileWaiting =
    QStringLiteral("シリアルポートとの接続が切れました。\n端末からの送信を待つのをやめました。");

inline const QString kLineSilent =
    QStringLiteral("%1 秒間なにも届かなかったので、受信中の画像を破棄しました。次の画面コピーを待ちます。");

inline const QString kPictureNotWritten = QStringLiteral("画像ファイルを書き込めません: %1\n%2");
inline const QString kTemplateUnreadable = QStringLiteral("ヘッダーテンプレートを読めません: %1\n%2");
inline const QString kTemplateTooShort =
    QStringLiteral("ヘッダーテンプレートが短すぎます（%1 バイト、54 バイト必要）: %2");

inline const QString kWindowCaption = QStringLiteral("Velmora 画面コピープログラム (VELSNAP)  Ver3.0");
inline const QString kApplicationTitle = QStringLiteral("VELSNAP"); // of the message boxes
inline const QString kPortEntry = QStringLiteral("COM %1");

inline const QString kQuestionTitle = QStringLiteral("削除の確認");
inline const QString kDeleteKeptPictures = QStringLiteral("すでに画面コピーファイルが存在します。\u3000削除しますか？");
inline const QString kPictureFolderUnusable = QStringLiteral("画像フォルダーを作成できません: %1\n%2");
inline const QString kChoiceNotStored =
    QStringLiteral("設定を保存できません: %1\n%2\nこの選択は今回だけ使われ、次に起動したときには元に戻ります。");
inline const QString kPictureNotDeleted = QStringLiteral("画像ファイルを削除できません: %1\n%2");
inline const QString kHelpFileMissing = QStringLiteral("ヘルプファイルが見つかりません: %1");
inline const QString kHelpViewerMissing = QStringLiteral("ヘルプを表示するプログラムを起動できません: %1");

// Why a port would not open, the second line of its message.
inline const QString kOpenNoPortNumber =
    QStringLiteral("ポート番号 %1 に当たるシリアルポートはありません。COM 1 から COM 8 のどれかを選んでください。");
inline const QString kOpenChooseAgain = QStringLiteral("velsnap-ports で割り当てを確かめてください。");
inline const QString kOpenMissing = QStringLiteral("デバイス %1 がありません。ケーブルとアダプタの接続を確かめ、");
inline const QString kOpenNoHardware = QStringLiteral("%1 はありますが、その先にシリアルポートの回路がありません。");
inline const QString kOpenPlainFile = QStringLiteral("%1 は普通のファイルで、シリアルポートではありません。");
inline const QString kOpenFolder = QStringLiteral("%1 はフォルダーで、シリアルポートではありません。");
inline const QString kOpenNotTerminal =
    QStringLiteral("%1 はシリアルポートではありません（端末として使えないデバイスです）。");
inline const QString kOpenHere = QStringLiteral("%1 はこのプログラムがすでに開いています。");
inline const QString kOpenFailed = QStringLiteral("%1 を開けません: %2");
inline const QString kOpenNotAllowed = QStringLiteral("%1 を開く権限がありません。");
inline const QString kOpenNotAllowedUntilLogin =
    QStringLiteral("%1 を開く権限がありません。グループ %2 への追加がまだこのログインに反映されていません。"
                   "いったんログアウトして、ログインし直してください。");
inline const QString kOpenNotAllowedGroup =
    QStringLiteral("%1 を開く権限がありません。このデバイスはグループ %2 のものです。"
                   "sudo usermod -aG %2 $USER を実行してから、ログインし直してください。");
inline const QString kOpenNotAllowedMode =
    QStringLiteral("%1 を開く権限がありません（所有者 %2、グループ %3、アクセス権 %4）。"
                   "シリアルポートは普通グループ dialout のもので、そのグループに読み書きが許されています。"
                   "管理者にアクセス権を確かめてもらってください。");
inline const QString kOpenHeld =
    QStringLiteral("%1 はほかのプログラムが使用中です。そのプログラムを終了してから、やり直してください。");
inline const QString kOpenHeldBy =
    QStringLiteral("%1 はほかのプログラムが使用中です: %2。そのプログラムを終了してから、やり直してください。");
inline const QString kOpenStaleLock =
    QStringLiteral("%1 のロックファイル %2 が残っています。作った %3 はもう動いていませんが、"
                   "ほかのユーザーのファイルなので、このユーザーでは消せません。"
                   "管理者に sudo rm %2 で消してもらってください。");
inline const QString kDeviceWithTarget = QStringLiteral("%1（%2）"); // a link, and the device it leads to
inline const QString kProcessNumber = QStringLiteral("プロセス番号 %1");
inline const QString kProgramWithProcessNumber = QStringLiteral("%1（プロセス番号 %2）");

// The port doctor (velsnap-ports, and hints in the port messages).
inline const QString kDoctorUsable = QStringLiteral("%1 はシリアルポートで、このユーザーが開けます。");
inline const QString kDoctorHeld =
    QStringLiteral("%1 はほかのプロセスが開いています: %2。そのプログラムを終了してから受信してください。");
inline const QString kDoctorAdapter =
    QStringLiteral("USB シリアルアダプタ: ドライバー %1、ベンダー ID %2、プロダクト ID %3、シリアル番号 %4");
inline const QString kDoctorNoSerialNumber = QStringLiteral("なし");
inline const QString kDoctorById =
    QStringLiteral("固定の名前: %1（差し直しても変わりません。velsnap-ports でこの名前を割り当ててください）");
inline const QString kDoctorNoById =
    QStringLiteral("/dev/serial/by-id にこのアダプタの名前がありません（シリアル番号のないアダプタです）。");
inline const QString kDoctorBrltty =
    QStringLiteral("brltty（点字ディスプレイのデーモン）が動いていて、このアダプタ（%1:%2）を点字ディスプレイと"
                   "見なして奪います。差し込むと %3 が現れてすぐに消えます。点字ディスプレイを使わないなら、"
                   "次のコマンドで止めてください:\n"
                   "    sudo systemctl stop brltty-udev.service brltty.service\n"
                   "    sudo systemctl mask brltty-udev.service brltty.service\n"
                   "  使うなら、brltty の udev 規則（/usr/lib/udev/rules.d/85-brltty.rules）からこのアダプタの行を"
                   "消してから、アダプタを差し直してください。");
inline const QString kDoctorBrlttyRunning =
    QStringLiteral("brltty（点字ディスプレイのデーモン）が動いています。USB シリアルアダプタ（CP210x、CH340 など）を"
                   "差し込んだとたんにデバイスが消えるなら、brltty が奪っています。点字ディスプレイを使わないなら:\n"
                   "    sudo systemctl stop brltty-udev.service brltty.service\n"
                   "    sudo systemctl mask brltty-udev.service brltty.service");
inline const QString kDoctorModemManager =
    QStringLiteral("ModemManager が動いていて、%1 を無視するよう設定されていません。差し込んだあと数秒間、"
                   "モデムかどうかを AT コマンドで調べるので、端末にごみが届き、その間ポートが使用中になります。"
                   "次の 1 行をファイル /etc/udev/rules.d/99-velsnap.rules に書いてください:\n"
                   "    %2\n"
                   "  それから次を実行して、アダプタを差し直してください:\n"
                   "    sudo udevadm control --reload-rules && sudo udevadm trigger --subsystem-match=tty");
inline const QString kDoctorHintModemManager = QStringLiteral(
    "ModemManager がこのポートを調べているのかもしれません。velsnap-ports --check %1 で確かめてください。");
inline const QString kDoctorHintBrltty =
    QStringLiteral("brltty がアダプタを奪っているのかもしれません。velsnap-ports --check %1 で確かめてください。");

// The port doctor on Windows: what the Device Manager says of a COM port.
inline const QString kDoctorPortWithDescription = QStringLiteral("%1（%2）");
inline const QString kDoctorComPorts = QStringLiteral("このパソコンのシリアルポート: %1");
inline const QString kDoctorNoComPorts =
    QStringLiteral("このパソコンにはシリアルポートがありません。アダプタを差し込んでください。");
inline const QString kDoctorPnpWorking = QStringLiteral("%1 はデバイス マネージャーで正常に動作しています。");
inline const QString kDoctorPnpNotPlugged =
    QStringLiteral("%1 は差し込まれていません（デバイス マネージャーのコード 45）。アダプタを差し込んでください。"
                   "別の USB 口に差すと COM 番号が変わることがあります。");
inline const QString kDoctorPnpDisabled =
    QStringLiteral("%1 は無効になっています（コード 22）。デバイス マネージャーでこのデバイスを右クリックし、"
                   "「デバイスを有効にする」を選んでください。");
inline const QString kDoctorPnpNoDriver =
    QStringLiteral("%1 のドライバーが入っていません（コード 28）。%2を入れてから、アダプタを差し直してください。");
inline const QString kDoctorPnpCounterfeitPl2303 =
    QStringLiteral("%1 を開始できません（コード 10）。Prolific のドライバーは、模造品や製造中止の PL2303 チップを"
                   "受け付けません。本物の PL2303、または FTDI か CP210x のアダプタに替えてください。");
inline const QString kDoctorPnpFailedStart = QStringLiteral(
    "%1 を開始できません（コード 10）。アダプタを差し直し、それでもだめならドライバーを入れ直してください。");
inline const QString kDoctorPnpProblem = QStringLiteral(
    "%1 にはデバイス マネージャーがコード %2 の問題を示しています。デバイスのプロパティで確かめてください。");
inline const QString kDriverWch = QStringLiteral("WCH の CH341SER ドライバー");
inline const QString kDriverProlific = QStringLiteral("Prolific の PL2303 ドライバー");
inline const QString kDriverSilabs = QStringLiteral("Silicon Labs の CP210x VCP ドライバー");
inline const QString kDriverFtdi = QStringLiteral("FTDI の VCP ドライバー");
inline const QString kDriverMaker = QStringLiteral("アダプタのメーカーのドライバー");

// The "Source" of a PNG: the device path, and what the system knows of its adapter.
inline const QString kSourceUnknown = QStringLiteral("不明");
inline const QString kSourceWithAdapter = QStringLiteral("%1（%2）");
inline const QString kSourceSerialNumber = QStringLiteral("シリアル番号 %1");
inline const QString kSourceSeparator = QStringLiteral("、");

// The right-click menu of a picture, with its access keys.
inline const QString kMenuCopy = QStringLiteral("コピー(&C)");
inline const QString kMenuCopyTwice = QStringLiteral("2 倍でコピー(&2)");
inline const QString kMenuCopyThrice = QStringLiteral("3 倍でコピー(&3)");
inline const QString kMenuSavePng = QStringLiteral("PNG で保存(&S)…");
inline const QString kMenuShowInFolder = QStringLiteral("フォルダーに表示(&F)");
inline const QString kSavePngTitle = QStringLiteral("PNG で保存");
inline const QString kPngFilter = QStringLiteral("PNG 画像 (*.png)");
inline const QString kPictureUnreadable = QStringLiteral("画像ファイルを読み込めません: %1");
inline const QString kFolderNotShown = QStringLiteral("フォルダーを表示できません: %1");
inline const QString kMenuReport = QStringLiteral("報告書 (PDF) を作成(&R)…");
inline const QString kMenuTrash = QStringLiteral("ごみ箱へ移動(&D)");
inline const QString kReportTitle = QStringLiteral("報告書 (PDF) を作成");
inline const QString kPdfFilter = QStringLiteral("PDF 文書 (*.pdf)");
// What a trashed picture's thumbnail says; its row keeps its place and name.
inline const QString kTrashedThumbnail = QStringLiteral("ごみ箱へ移動しました");
// One line for each file that stays: %1 the file, %2 the system's reason.
inline const QString kNotTrashed = QStringLiteral("ごみ箱へ移動できません: %1\n%2");
inline const QString kTrashFolderNotMade = QStringLiteral("ごみ箱を置くフォルダーを作成できません: %1");

// velsnap --help: the window has no options; %1 the picture folder, %2 the settings file.
inline const QString kCommandLineHelp =
    QStringLiteral("使い方: velsnap\n"
                   "ハンディ端末がシリアルケーブルで送る画面コピーを受信するウィンドウを開きます。\n"
                   "受信した画像を yymmdd_hhmmss.bmp として保存し、表示して、クリップボードに置きます。\n"
                   "オプションはありません。ポートと受信中の画像の表示はウィンドウで選びます。\n"
                   "\n"
                   "画像の保存先: %1\n"
                   "設定ファイル: %2\n"
                   "\n"
                   "ウィンドウなしで受信するには velsnap-capture、ポートの割り当ては velsnap-ports を使います。\n");

} // namespace velsnap::texts
