#pragma once

#include <string_view>

// A message text the window shows in its user's language: lupdate reads MXT_MESSAGE as
// QT_TRANSLATE_NOOP. Everywhere else it is the text itself, as the batch run prints it.
#define MXT_MESSAGE(context, text) text

namespace mxt::fileconv::message {

// The captions of the message boxes.
inline constexpr char kWarning[] = MXT_MESSAGE("Message", "警告");
inline constexpr char kError[] = MXT_MESSAGE("Message", "ｴﾗｰ");
inline constexpr char kInformation[] = MXT_MESSAGE("Message", "情報");
inline constexpr char kConfirmation[] = MXT_MESSAGE("Message", "確認");

// The texts of the run and the file list; a path or a number goes before a text that
// begins with a space or a line break.
inline constexpr char kStopped[] =
    MXT_MESSAGE("Message", "終了の要求を受けたため、変換を中断しました");
inline constexpr char kInterrupted[] = MXT_MESSAGE("Message", "変換を中断しました");
inline constexpr char kAlreadyInput[] = MXT_MESSAGE(
    "Message",
    "\rこのファイルは、すでに入力元として指定されているため、出力先には指定できません。");
inline constexpr char kAlreadyOutput[] = MXT_MESSAGE(
    "Message",
    "\rこのファイルは、すでに出力先として指定されているため、入力元には指定できません。");
inline constexpr char kOtherOutputCode[] =
    MXT_MESSAGE("Message",
                "同じファイルに、前回出力した漢字コードと違う漢字コードを出力しようとしています。"
                "変換をキャンセルします。");
inline constexpr char kConvertAgain[] = MXT_MESSAGE("Message", "変換し直しますか ?");
inline constexpr char kOutputFolderMissing[] =
    MXT_MESSAGE("Message", "\rこのファイルのフォルダがないため、出力先には指定できません。");
inline constexpr char kOutputHasWildcards[] =
    MXT_MESSAGE("Message", "\r出力先の指定にワイルドカードを含めることはできません。");
inline constexpr char kOutputHasNoName[] =
    MXT_MESSAGE("Message", "\r出力先の指定にファイル名が含まれていません。");
inline constexpr char kCannotOpen[] = MXT_MESSAGE("Message", " をオープンできません");
inline constexpr char kCannotCreateTemp[] =
    MXT_MESSAGE("Message", "テンポラリファイルを作成できません");
inline constexpr char kSizeMismatch[] =
    MXT_MESSAGE("Message", "読み込んだサイズとファイルのサイズが一致しません");
inline constexpr char kReplacedMeanwhile[] =
    MXT_MESSAGE("Message", " は、変換中に別のファイルと入れ替えられたため、置き換えませんでした");
inline constexpr char kChangedMeanwhile[] =
    MXT_MESSAGE("Message", " は、変換中にほかのプログラムが書き換えたため、置き換えませんでした");
inline constexpr char kTimestampFailed[] =
    MXT_MESSAGE("Message", "タイムスタンプのセットに失敗しました");
inline constexpr char kCopyFailed[] =
    MXT_MESSAGE("Message", "テンポラリファイルのコピーに失敗しました");
// Between the copy's failure and the temporary file's path; the text ends after the path.
inline constexpr char kConvertedTextIn[] = MXT_MESSAGE("Message", ")。変換した内容は ");
inline constexpr char kIsThere[] = MXT_MESSAGE("Message", " にあります");
// After the backup's name, before the system's reason.
inline constexpr char kBackupFailed[] = MXT_MESSAGE("Message", " を作成できません: ");
inline constexpr char kAlreadySelected[] =
    MXT_MESSAGE("Message", " 個のファイルは、すでに選択されていたため追加されませんでした。");

// Every text above: the window translates a message by the texts it finds in it.
inline constexpr std::string_view kAll[] = {
    kWarning,
    kError,
    kInformation,
    kConfirmation,
    kStopped,
    kInterrupted,
    kAlreadyInput,
    kAlreadyOutput,
    kOutputFolderMissing,
    kOtherOutputCode,
    kConvertAgain,
    kOutputHasWildcards,
    kOutputHasNoName,
    kCannotOpen,
    kCannotCreateTemp,
    kSizeMismatch,
    kReplacedMeanwhile,
    kChangedMeanwhile,
    kTimestampFailed,
    kCopyFailed,
    kConvertedTextIn,
    kIsThere,
    kAlreadySelected,
};

}  // namespace mxt::fileconv::message
