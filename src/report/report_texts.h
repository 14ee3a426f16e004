#pragma once

#include <QString>

// The texts of the PDF report, in the report and in its messages.
namespace velsnap::report_texts {

inline const QString kProgramName = QStringLiteral("VELSNAP");
inline const QString kTitle = QStringLiteral("VELSNAP 画面コピー報告書");
inline const QString kDateRange = QStringLiteral("%1 〜 %2");
inline const QString kReceived = QStringLiteral("受信日時: %1");
inline const QString kSource = QStringLiteral("送信元: %1");
inline const QString kPageNumber = QStringLiteral("%1 / %2");

// The first line names the report, the second says why.
inline const QString kNotWritten = QStringLiteral("報告書を作成できません: %1\n%2");
inline const QString kNoPictures = QStringLiteral("報告書にする画像が選ばれていません。");
inline const QString kTooManyPictures =
    QStringLiteral("報告書に入れられる画像は %1 枚までです（%2 枚選ばれています）。分けて作成してください。");
inline const QString kFontMissing = QStringLiteral("日本語フォント %1 が見つかりません。");
inline const QString kFontUnusable = QStringLiteral("日本語フォント %1 を読み込めません（libharu のエラー %2）。");
inline const QString kPictureUnreadable = QStringLiteral("画像を読めません: %1");
inline const QString kPictureTooLarge =
    QStringLiteral("画像が大きすぎます（%1 × %2 ピクセル。4 倍に拡大して 1 辺 %3 ピクセルまでです）: %4");
inline const QString kPdfFailed = QStringLiteral("PDF を組み立てられません（libharu のエラー %1）。");

} // namespace velsnap::report_texts
