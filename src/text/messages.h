// Every text the user reads, in one place. Written as UTF-8 here and compiled
// to CP932 bytes by -fexec-charset=CP932.
#pragma once

namespace rinban::msg {

inline constexpr char kAppTitle[] = "rinban 2";
inline constexpr char kWindowTitle[] = "rinban 2.0";

inline constexpr char kByeName[] = "[試合無し]";

// Refusals and confirmations (message box)
inline constexpr char kListNotFound[] = "\"list.txt\" is not found !";
inline constexpr char kTooFewMembers[] = "登録数を２以上にしなければ実行できません。";
inline constexpr char kCopied[] = "クリップボードにコピーしました。";
inline constexpr char kListingSaved[] = "\"table.txt\"に保存しました。";
inline constexpr char kHtmlSaved[] = "\"table.html\"に保存しました。";
inline constexpr char kSettingsSaved[] = "設定を保存しました。";

// Failures (error box); "%s" takes the path
inline constexpr char kCannotOpen[] = "ファイル %s は開けません";
inline constexpr char kCannotCreate[] = "ファイル %s を作成できません";
inline constexpr char kWriteError[] = "ストリームへの書き込みエラー";
inline constexpr char kClipboardOpen[] = "クリップボードを開くことができません";
inline constexpr char kClipboardSet[] = "クリップボードにコピーできません";
inline constexpr char kSettingsWrite[] = "%s に書き込めません";
inline constexpr char kOutOfMemory[] = "メモリが不足しています";

// Status field
inline constexpr char kMemberCount[] = "参加数: ";

// Fixed file names, relative to the working directory
inline constexpr char kListPath[] = "./list.txt";
inline constexpr char kListingPath[] = "./table.txt";
inline constexpr char kHtmlPath[] = "./table.html";

// Schedule listing and views; k, the round number, goes between open and close
inline constexpr char kListingHeaderOpen[] = "<<第";
inline constexpr char kListingHeaderClose[] = "回戦>>";
inline constexpr char kListingPairSeparator[] = "  <- VS ->  ";
inline constexpr char kListingRoundEnd[] = "******************************";
inline constexpr char kRoundLabelOpen[] = "第 ";
inline constexpr char kRoundItemClose[] = " 戦";
inline constexpr char kRoundCaptionClose[] = " 回戦";
inline constexpr char kRoundRowSeparator[] = " VS ";

}  // namespace rinban::msg
