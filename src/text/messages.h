// Every text the user reads, in one place. Written as UTF-8 here and compiled
// to CP932 bytes by -fexec-charset=CP932.
#pragma once

#include "text/version.h"

namespace rinban::msg {

inline constexpr char kAppTitle[] = "rinban 2";
inline constexpr char kWindowTitle[] = "rinban " RINBAN_VERSION_SHORT;

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
// "%s" says what failed, for the one who mends it
inline constexpr char kProgramFault[] = "内部エラーが発生しました: %s";

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

// Window captions and fixed contents
inline constexpr char kGenerateButton[] = "組み合わせ生成";
inline constexpr char kAboutLine[] = "総当り戦 組み合わせ作成";  // fits the 160-px label on one line
inline constexpr char kPageAll[] = "全表示";
inline constexpr char kPageMember[] = "メンバー別";
inline constexpr char kPageRound[] = "１戦ごと";
inline constexpr char kPageTable[] = "表作成";
inline constexpr char kListingGroup[] = "全組合せ一覧";
inline constexpr char kMemoInitial[] = "ここに一覧が生成されます。";
inline constexpr char kCopyButton[] = "コピー";
inline constexpr char kSaveButton[] = "ファイルに保存";
inline constexpr char kMemberGroup[] = "メンバー別に表示";
inline constexpr char kRoundColumn[] = "- 回戦数 -";
inline constexpr char kOpponentColumn[] = "対戦相手";
inline constexpr char kRoundGroup[] = "１戦ごとに表示";
inline constexpr char kTitleGroup[] = "表のタイトル";
inline constexpr char kTitleInitial[] = "総当り対戦表";
inline constexpr char kNumberGroup[] = "エントリーナンバー";
inline constexpr char kNumberNone[] = "無し";
inline constexpr char kNumberPlain[] = "通常";
inline constexpr char kNumberTwoDigits[] = "２桁表示";
inline constexpr char kFontGroup[] = "フォントの色:";
inline constexpr char kFontLabel[] = "表のフォントの色 :";
inline constexpr char kCellGroup[] = "セルの色";
inline constexpr char kMemberCellLabel[] = "メンバー名のセル :";
inline constexpr char kOtherCellLabel[] = "その他のセル :";
inline constexpr char kPointsGroup[] = "点数表示欄";
inline constexpr char kPointsCheck[] = "点数表示を入れる";
inline constexpr char kPointsCellLabel[] = "セルの色";
inline constexpr char kHtmlButton[] = "表を作成(HTML)";
inline constexpr char kSettingsButton[] = "設定保存";
inline constexpr char kOkButton[] = "OK";
inline constexpr char kWindowFont[] = "ＭＳ Ｐゴシック";

}  // namespace rinban::msg
