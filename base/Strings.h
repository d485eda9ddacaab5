// Every text a user can see, in one place, UTF-8, exactly as the program shows it.
// Formats keep their printf form; callers fill them through FormatText().
#pragma once

#include <string>

namespace diduzozoz::str {

// --- Create command: status line and refusals -------------------------------------------------
inline constexpr char kChooseType[] = "コード種別を選んでください";
inline constexpr char kChoosePattern[] = "計算パターンを選択してください";
inline constexpr char kNw7Code[] = "NW-7用のコードを入力してください";
inline constexpr char kCode39Code[] = "CODE39用のコードを入力してください";
inline constexpr char kDigitsOnly[] = "０～９の数字で無いのでバーコードの生成はできません";
inline constexpr char kJanLength[] = "JANコードはチェックデジットを1桁とるため１２桁です";
inline constexpr char kCode128SetA[] = "space ～ _ の文字で無いのでバーコードの生成はできません";
inline constexpr char kCode128SetB[] = "space ～ ~ の文字で無いのでバーコードの生成はできません";
inline constexpr char kCode128SetC[] = "０ ～ ９ の文字で無いのでバーコードの生成はできません";
inline constexpr char kPostalLength[] = "郵便コードは７桁です";
inline constexpr char kRefNoLength[] = "整理番号は０から１３桁です";

// Refusals of settings that the dialog's controls cannot produce but other callers can.
inline constexpr char kGeometryRange[] =
    "線単位・高さ・余白が範囲外なのでバーコードの生成はできません";
inline constexpr char kStartStopLetter[] =
    "スタート／ストップ文字が正しくないのでバーコードの生成はできません";
inline constexpr char kCodeTooLong[] = "コードが長すぎるのでバーコードの生成はできません";

// --- CODE128's automatic and GS1-128 forms: refusals of the code text --------------------------
inline constexpr char kCode128AutoChars[] =
    "ASCII（制御文字・space ～ DEL）の文字で無いのでバーコードの生成はできません";
inline constexpr char kGs1Syntax[] =
    "GS1-128のコードは (AI)データ の形で入力してください（例：(01)04912345678904(10)ABC123）";
inline constexpr char kGs1Unbalanced[] =
    "GS1-128の括弧が対応していません（%d文字目）。データの中の括弧は \\( \\) と入力してください";
inline constexpr char kGs1EmptyAi[] = "GS1-128の括弧の中にAIがありません（%d文字目）";
inline constexpr char kGs1UnknownAi[] = "AI(%s)はGS1-128のAIの表にありません";
inline constexpr char kGs1NoData[] = "AI(%s)のデータがありません";
inline constexpr char kGs1FixedLength[] = "AI(%s)のデータは%d桁です（入力は%d桁）";
inline constexpr char kGs1MaxLength[] = "AI(%s)のデータは%d文字までです（入力は%d文字）";
inline constexpr char kGs1LengthRange[] = "AI(%s)のデータは%d～%d文字です（入力は%d文字）";
inline constexpr char kGs1Digits[] = "AI(%s)のデータは０～９の数字です（%d文字目が「%s」）";
inline constexpr char kGs1DigitPrefix[] =
    "AI(%s)のデータの最初の%d文字は０～９の数字です（%d文字目が「%s」）";
inline constexpr char kGs1Charset[] =
    "AI(%s)のデータにGS1-128で使えない文字「%s」があります（使える文字：英数字と "
    "!\"%%&'()*+,-./:;<=>?_）";
inline constexpr char kGs1CheckDigit[] = "AI(%s)のチェックデジットが違います（%c、正しくは%c）";
inline constexpr char kGs1PaymentCheckDigit[] =
    "コンビニ収納用バーコードのチェックデジットが違います（%c、正しくは%c）";
inline constexpr char kGs1TooLong[] =
    "GS1-128のデータは48文字までです（AI・データ・区切りのFNC1で%d文字）";
// The read-back of a GS1-128 symbol whose data the AI table does not allow.
inline constexpr char kReasonGs1Data[] = "規格外のGS1-128データ（%s）";

// --- Renderers -------------------------------------------------------------------------------
inline constexpr char kStatusMade[] = "データ[　%s　]の形で作成しました";
inline constexpr char kStatusMadeCode128[] =
    "スタートコード：%s   データ[　%s　]の形で作成しました";
// Written instead of kStatusMade when a drawing had to stop before it was complete.
inline constexpr char kStatusIncomplete[] = "データ[　%s　]のバーコードは作成できませんでした";

// --- Check-digit schemes ---------------------------------------------------------------------
inline constexpr char kCdDigitsOnly[] = "０～９の数字で無いのでチェックデジットは付加できません";
inline constexpr char kCdMod11Length[] = "モジュラス１１は６桁以上必要です";
inline constexpr char kCdWeightedMod11Length[] = "加重モジュラス１１は１２桁以下です";
inline constexpr char kCdWeightedMod11Digits[] =
    "加重モジュラス１１は０～９の数字で無いのでチェックデジットは付加できません";

// --- Calculation pattern items (the digit before the point is the pattern number) ------------
inline constexpr const char* kNw7Patterns[7] = {
    "1. モジュラス１０／２ウエイト",
    "2. モジュラス１０／３ウエイト",
    "3. モジュラス１１ウエイト",
    "4. モジュラス１６ウエイト",
    "5. ７チェックDR",
    "6. 加重モジュラス１１",
    "7. ルーンズ",
};
inline constexpr char kCode39Pattern[] = "1. モジュラス４３ウエイト";
inline constexpr char kJanPattern[] = "1. モジュラス１０／３ウエイト";
inline constexpr char kItfPattern[] = "1.モジュラス１０／３ウエイト";
inline constexpr char kCode128Pattern[] = "1.モジュラス１０３ウエイト";
inline constexpr char kPostalPattern[] = "1. 郵便コードモジュラス";
inline constexpr const char* kStartStopLetters[4] = {"A", "B", "C", "D"};
inline constexpr const char* kCode128StartSets[3] = {"A", "B", "C"};
inline constexpr const char* kLineUnits[3] = {"1 ピクセル", "2 ピクセル", "3 ピクセル"};

// --- Forms of a code type: the first item of each list is the type as it has always been ---
inline constexpr char kFormJan13[] = "JAN-13";
inline constexpr char kFormJan8[] = "JAN-8（短縮）";
inline constexpr char kFormItfPlain[] = "非インターリーブ";
inline constexpr char kFormItfInterleaved[] = "ITF（インターリーブ）";
inline constexpr char kFormItf14[] = "ITF-14";
inline constexpr char kFormCode128Fixed[] = "A/B/C固定";
inline constexpr char kFormCode128Auto[] = "自動";
inline constexpr char kFormCode128Gs1[] = "GS1-128";
inline constexpr char kFormPostalDigits[] = "整理番号（数字）";
inline constexpr char kFormPostalAddressNumber[] = "住所表示番号";
inline constexpr char kFormPostalAddress[] = "住所から";

// --- JAN-8 and ITF-14: their lengths and the check digit typed with the code -----------------
inline constexpr char kJan8Length[] = "短縮JANコードはチェックデジットを1桁とるため７桁です";
inline constexpr char kJan8LengthWithCd[] = "短縮JANコードはチェックデジットを含めて８桁です";
inline constexpr char kJan8WrongCd[] = "短縮JANコードのチェックデジットが違います（正しくは%d）";
inline constexpr char kItf14Length[] = "ITF-14はチェックデジットを1桁とるため１３桁です";
inline constexpr char kItf14LengthWithCd[] = "ITF-14はチェックデジットを含めて１４桁です";
inline constexpr char kItf14WrongCd[] = "ITF-14のチェックデジットが違います（正しくは%d）";
// The read-back's reason for an interleaved ITF that readers refuse as too short.
inline constexpr char kReasonItfShort[] = "%d桁のITF（多くの読取機は%d桁未満を読みません）";

// --- The customer barcode's address forms (住所表示番号, 住所から) ----------------------------
inline constexpr char kAddressNumberChars[] =
    "０～９の数字、ハイフン、Ａ～Ｚの英字で無いのでバーコードの生成はできません";
// Added to the status line of a drawing in the address forms.
inline constexpr char kPostalNoteNoNumber[] = "　※住所表示番号が無いので郵便番号だけです";
inline constexpr char kPostalNoteRepresentative[] =
    "　※代表の郵便番号（下２けた００）にはカスタマバーコードを付けません";
// The reference field refused text longer than the address member holds.
inline constexpr char kAddressTooLong[] = "住所は１２０バイト（全角４０文字）までです";
// The reference field's label in each postal form.
inline constexpr char kRefNoLabel[] = "整理番号(〒）";
inline constexpr char kAddressNumberLabel[] = "住所表示番号";
inline constexpr char kAddressLabel[] = "町域以降の住所";
inline constexpr char kReasonPostalRepresentative[] =
    "代表の郵便番号（%s）にはカスタマバーコードを付けません";

// --- Option handlers: status formats ---------------------------------------------------------
inline constexpr const char* kTypeSelected[7] = {
    "",
    "NW-7が選択されました[%d] CODE:%s",
    "CODE39が選択されました[%d] CODE:%s",
    "JANが選択されました[%d] CODE:%s",
    "ITFが選択されました[%d] CODE:%s",
    "CODE128が選択されました[%d] CODE:%s",
    "〒（郵便番号）が選択されました[%d] CODE:%s",
};
inline constexpr char kCheckDigitStatus[] = "Check Digit の有無：[ %02x ]（１X：有　０X：無）";
inline constexpr char kPatternStatus[] = "「 %s 」の選択：[ %02x ]";
inline constexpr char kFormStatus[] = "「 %s 」の選択：[ %d ]";
inline constexpr char kTextBelowStatus[] = "文字列を下に付加：[ %d ]（１：有　０：無）";
inline constexpr char kTextAboveStatus[] = "文字列を上に付加：[ %d ]（２：有　０：無）";
inline constexpr char kLineUnitStatus[] = "選択：%s PIX ：%d";
inline constexpr char kSpinStatus[] = "選択：%d";
inline constexpr char kHeightRange[] = "高さは、範囲外です";
inline constexpr char kMarginXRange[] = "左右の空白は、範囲外です";
inline constexpr char kMarginYRange[] = "上下の空白は、範囲外です";

// --- Code list files -------------------------------------------------------------------------
inline constexpr char kCodeListFile[] = "DiDuzozoz.ini";
inline constexpr char kRefNoListFile[] = "ViVederuvida.ini";
inline constexpr char kCodeListOpenFailed[] =
    "初期化の読み込みファイル[DiDuzozoz.ini]をオープンできません。";
inline constexpr char kRefNoListOpenFailed[] =
    "初期化の読み込みファイル[ViVederuvida.ini]をオープンできません。";

// --- Read-back check of every drawing, shown beside the preview ------------------------------
inline constexpr char kVerdictOk[] = "読取確認：OK（%s %s）";
inline constexpr char kVerdictUnreadable[] = "読取確認：読めません — %s";
inline constexpr char kVerdictNonStandard[] = "読取確認：規格外 — %s";
inline constexpr char kVerdictUnchecked[] = "読取確認：未確認 — %s（余白と規格は適合）";
inline constexpr char kVerdictPending[] = "読取確認：確認中…";
inline constexpr char kVerdictSeparator[] = "、";
inline constexpr char kReasonNoBars[] = "バーがありません";
inline constexpr char kReasonNotRead[] = "バーコードとして読み取れません";
inline constexpr char kReasonWrongFormat[] = "%s として読まれます";
inline constexpr char kReasonTextDiffers[] = "読み取った内容が違います（%s）";
inline constexpr char kReasonItf[] = "規格外のITF（非インターリーブ）";
inline constexpr char kReasonJanNoCheckDigit[] = "規格外のJAN（チェックデジットなし）";
inline constexpr char kReasonCode128NoCheck[] = "規格外のCODE128（チェックキャラクタなし）";
inline constexpr char kReasonCode39Asterisk[] = "規格外のCODE39（データ中の＊）";
inline constexpr char kReasonNw7Letter[] = "規格外のNW-7（データ中のA～D）";
inline constexpr char kReasonPostalNoCheck[] = "規格外のカスタマバーコード（チェックデジットなし）";
inline constexpr char kReasonPostalCheckWrong[] = "チェックデジットが違います（%s、正しくは%s）";
inline constexpr char kReasonPostalUnreadable[] = "バーの並びを読み取れません（%s）";
inline constexpr char kPostalAtBar[] = "%d本目のバー";
inline constexpr char kPostalBarCount[] = "バー%d本";
inline constexpr char kPostalAtStart[] = "スタート";
inline constexpr char kPostalAtStop[] = "ストップ";
inline constexpr char kPostalAtSymbol[] = "%d番目のキャラクタ";
inline constexpr char kReasonQuietLeft[] = "左の余白 %s モジュール（必要 %s）";
inline constexpr char kReasonQuietRight[] = "右の余白 %s モジュール（必要 %s）";
inline constexpr char kReasonReaderMissing[] = "読取ライブラリなしで構築";
inline constexpr char kReasonReaderFailed[] = "読取ライブラリのエラー（%s）";
inline constexpr char kReasonReadersDisagree[] = "内蔵の読取と結果が違います（内蔵：%s）";

// --- Accessible names and descriptions: read by screen readers, never drawn ------------------
inline constexpr char kAccStatus[] = "状態";
inline constexpr char kAccPreview[] = "プレビュー";
inline constexpr char kAccPreviewBlank[] = "バーコードは描かれていません";
// A pattern list is named after the column it stands in.
inline constexpr char kAccPatternColumn[] = "計算パターン";
// A form list, which stands where no label names it.
inline constexpr char kAccForm[] = "形式";
// A control of one code type: the type's radio text, then the control's own label.
inline constexpr char kAccTypeControl[] = "%s %s";
// The arrows of a spin button, after the label of the value they step.
inline constexpr char kAccSpinUp[] = "%s 増やす";
inline constexpr char kAccSpinDown[] = "%s 減らす";

// --- Saving, copying and printing the exported barcode (the dialog's context menu) -----------
inline constexpr char kMenuSave[] = "名前を付けて保存...";
inline constexpr char kMenuCopy[] = "コピー";
inline constexpr char kMenuPrint[] = "印刷...";
inline constexpr char kSaveTitle[] = "名前を付けて保存";
inline constexpr char kSaveFilters[] =
    "PNG 画像 (*.png);;SVG 画像 (*.svg);;PDF 文書 (*.pdf);;EPS 画像 (*.eps)";
inline constexpr char kSaveDefaultName[] = "barcode";
inline constexpr char kSaveNeedsExtension[] =
    "[%s]には保存できません。ファイル名の最後に .png、.svg、.pdf、.eps のどれかを付けてください。";
inline constexpr char kSaveIsFolder[] =
    "[%s]はフォルダーです。保存するファイルの名前を指定してください。";
inline constexpr char kSaveReadOnlyFile[] = "[%s]は書き込み禁止のファイルなので上書きできません。";
inline constexpr char kSaveCannotCreate[] =
    "[%s]に保存できません。保存先のフォルダーがあること、書き込みできることを確認してください。";
inline constexpr char kSaveWriteFailed[] =
    "[%s]"
    "への書き込みに失敗しました。ディスクの空き容量を確認してください。ファイルは保存されていません"
    "。";
inline constexpr char kPrintDocument[] = "DiDuzozoz バーコード";
inline constexpr char kPrintTooLarge[] =
    "バーコード（%s × %s mm）が用紙の印刷範囲（%s × %s mm）に収まらないので印刷できません。";
inline constexpr char kPrintFailed[] = "印刷できませんでした。プリンターの設定を確認してください。";
// Printed under the barcode: the module width the printer's whole dots give.
inline constexpr char kPrintNote[] = "モジュール幅 %s mm（1 ピクセル = %d ドット、%d dpi）";

// --- Label sheets (sheet/): the command line shows them as they are ---------------------------
inline constexpr char kSheetUnknownLayout[] =
    "unknown sheet layout '%s': a4-3x8, a4-4x11, a4-2x6 or PAGE:COLSxROWS:LWxLH[:PXxPY[:LEFTxTOP]]";
inline constexpr char kSheetBadNumber[] = "'%s' in the sheet layout is not a size in millimetres";
inline constexpr char kSheetNotPositive[] = "'%s' in the sheet layout must be greater than 0";
inline constexpr char kSheetGridRange[] = "a sheet has 1 to %d columns and 1 to %d rows, not %dx%d";
inline constexpr char kSheetPageTooLarge[] = "the page (%s x %s mm) is larger than %s mm";
inline constexpr char kSheetOverlap[] =
    "the labels overlap: the pitch %s (%s mm) is less than the label's %s (%s mm)";
inline constexpr char kSheetAcross[] = "across";
inline constexpr char kSheetDown[] = "down";
inline constexpr char kSheetWidth[] = "width";
inline constexpr char kSheetHeight[] = "height";
inline constexpr char kSheetDoesNotFit[] =
    "the labels do not fit the page: they reach %s x %s mm on a %s x %s mm page";
inline constexpr char kSheetBarcodeTooLarge[] =
    "the barcode (%s x %s mm) is larger than its label (%s x %s mm)";
inline constexpr char kSheetFirstLabel[] = "the first label is 1 to %d on this sheet, not %d";
inline constexpr char kSerialNoDigits[] = "'%s' has no digits to count up";
inline constexpr char kSerialOverflow[] =
    "counting %lld codes from '%s' runs past its %d digits (the last would be number %s)";
inline constexpr char kSheetNothing[] = "nothing to put on the sheet: no item was drawn";
inline constexpr char kSheetSummary[] =
    "labels %lld, sheets %lld: %lld passed the read-back, %lld did not";
inline constexpr char kSheetRefused[] = "%lld items refused";

// --- The label-sheet dialog --------------------------------------------------------------------
inline constexpr char kLabelMenu[] = "ラベル印刷...";
// A built-in layout in the layout list: page, columns x rows, the label's size.
inline constexpr char kLabelLayoutItem[] = "%s %d×%d（%s×%s mm）";
inline constexpr char kLabelSheets[] = "%lld 枚（ラベル %lld 枚）";
inline constexpr char kLabelNoItems[] = "ラベルにするコードがありません";
inline constexpr char kLabelNumberRange[] = "%sは%lld～%lldの数で入力してください";
inline constexpr char kLabelCountName[] = "件数";
inline constexpr char kLabelFirstName[] = "開始ラベル";
inline constexpr char kLabelCopiesName[] = "部数";
inline constexpr char kLabelReadBack[] =
    "ラベル %lld 枚のうち %lld 枚が読み取り確認に合格しました。";
inline constexpr char kLabelFailedHead[] = "読み取り確認に合格しなかったラベル：";
inline constexpr char kLabelFailedLine[] = "ラベル %lld：%s";
inline constexpr char kLabelFailedMore[] = "ほか %lld 枚";
inline constexpr char kLabelRefusedItems[] = "ラベルにできなかったコード %lld 件";
inline constexpr char kLabelNothingDrawn[] = "ラベルに描けるコードがありませんでした：%s";
inline constexpr char kLabelSaveFilter[] = "PDF (*.pdf)";
inline constexpr char kLabelSaveName[] = "labels.pdf";
inline constexpr char kLabelPrintDocument[] = "DiDuzozoz ラベル";

// --- Size on paper: the standards' limits, the verdict against them, the printer dots -------
// What a limit belongs to, as messages name it: English (command line), Japanese (dialogs).
inline constexpr char kSizeJan13[] = "JAN-13";
inline constexpr char kSizeJan8[] = "JAN-8";
inline constexpr char kSizeItf14[] = "ITF-14";
inline constexpr char kSizeItf[] = "ITF";
inline constexpr char kSizeGs1128[] = "GS1-128";
inline constexpr char kSizePayment[] = "the payment code";
inline constexpr char kSizePaymentJa[] = "収納代行バーコード";
inline constexpr char kSizeCode39[] = "CODE39";
inline constexpr char kSizeNw7[] = "NW-7";
inline constexpr char kSizeCode128[] = "CODE128";
inline constexpr char kSizePostal[] = "the customer barcode";
inline constexpr char kSizePostalJa[] = "カスタマバーコード";
// Verdict reasons, in the manner of the ones above.
inline constexpr char kReasonXNarrow[] = "モジュール幅 %s mm（最小 %s mm）";
inline constexpr char kReasonXWide[] = "モジュール幅 %s mm（最大 %s mm）";
inline constexpr char kReasonQuietLeftMm[] = "左の余白 %s mm（必要 %s mm）";
inline constexpr char kReasonQuietRightMm[] = "右の余白 %s mm（必要 %s mm）";
inline constexpr char kReasonTooLong[] = "余白を含む長さ %s mm（最大 %s mm）";
inline constexpr char kReasonBarHeight[] = "バーの高さ %s mm（必要 %s mm）";
inline constexpr char kReasonWarning[] = "注意：%s";
inline constexpr char kVerdictOkWarning[] = "読取確認：OK（%s %s）— %s";
// Why a barcode pixel is not the whole number of dots nearest to 1/96 inch.
inline constexpr char kRoundedUp[] =
    "%d dots a barcode pixel at %d dpi, not the nearest %d (modules of %s mm; %s needs at least "
    "%s mm)";
inline constexpr char kRoundedDownWidth[] =
    "%d dots a barcode pixel at %d dpi, not the nearest %d (modules of %s mm; %s allows at most "
    "%s mm)";
inline constexpr char kRoundedDownLength[] =
    "%d dots a barcode pixel at %d dpi, not the nearest %d (%s mm long with its quiet zones; %s "
    "allows at most %s mm)";
inline constexpr char kNoWholeDots[] =
    "no whole number of dots a barcode pixel at %d dpi gives %s its size (%s); the nearest, %d, "
    "gives modules of %s mm";
inline constexpr char kNoWholeDotsLength[] = ", %s mm long with its quiet zones";
inline constexpr char kSizeModulesFrom[] = "modules of %s to %s mm";
inline constexpr char kSizeModulesAtLeast[] = "modules of at least %s mm";
inline constexpr char kSizeModulesAtMost[] = "modules of at most %s mm";
inline constexpr char kSizeLengthAtMost[] = "at most %s mm long with its quiet zones";
inline constexpr char kSheetWarnings[] = "%lld labels with a warning, the first: %s";
inline constexpr char kRoundedUpJa[] = "最小 %s mm（%s）に合わせて %d ドットから切り上げ";
inline constexpr char kRoundedDownWidthJa[] = "最大 %s mm（%s）に合わせて %d ドットから切り下げ";
inline constexpr char kRoundedDownLengthJa[] =
    "余白を含む長さ %s mm 以内（%s）に合わせて %d ドットから切り下げ";
inline constexpr char kNoWholeDotsJa[] =
    "%d dpi では 1 ピクセルを何ドットにしても%sの寸法の規格を満たせないので印刷できません"
    "（最も近い %d ドットでは%s）。";
// Printed under the barcode when the dots were not the nearest ones.
inline constexpr char kPrintNoteRounded[] =
    "モジュール幅 %s mm（1 ピクセル = %d ドット、%d dpi、%s）";
inline constexpr char kLabelRounding[] = "1 ピクセル = %d ドット（%d dpi、モジュール幅 %s mm）：%s";
inline constexpr char kLabelWarnings[] = "%s（ラベル %lld 枚）";
inline constexpr char kLabelSizeFailed[] = "寸法の規格に合わないラベル %lld 枚：%s";
// After printing, when the printer's dots had something to say; the lines follow a line break.
inline constexpr char kLabelPrinted[] = "印刷しました。%s";

}  // namespace diduzozoz::str

namespace diduzozoz {

// snprintf into a std::string; the formats above are the only ones passed.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace diduzozoz
