// The label-sheet dialog's logic against the recording double: what each choice takes or why
// it cannot run, and what saving writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "base/Strings.h"
#include "dialog/LabelSheetDlg.h"
#include "tests/dialog/RecordingControls.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace diduzozoz {
namespace {

using test::RecordingControls;
namespace fs = std::filesystem;

// The printer: which sheet each barcode went to.
class RecordingPrinter : public LabelPrinter {
  public:
    int BeginPrint(const sheet::Layout&) override { return printDpi; }
    void BeginSheet(std::int64_t sheet) override { m_sheet = sheet; }
    void Draw(const sheet::PlacedBarcode&, const ExportImage&) override {
        printed.push_back(m_sheet);
    }
    void EndSheet() override {}
    std::string EndPrint() override { return {}; }
    void AbortPrint() override { aborted = true; }

    int printDpi = 300;
    std::vector<std::int64_t> printed;
    bool aborted = false;

  private:
    std::int64_t m_sheet = -1;
};

// A folder of its own for the sheets saved, removed with them.
struct Folder {
    Folder() {
        std::random_device seed;
        path = fs::temp_directory_path() / ("diduzozoz-labels-" + std::to_string(seed()));
        fs::create_directories(path);
    }
    ~Folder() {
        std::error_code ignored;
        fs::permissions(path / "locked.pdf", fs::perms::owner_all, ignored);
        fs::remove_all(path, ignored);
    }
    std::string operator/(const char* name) const {
        const auto u8 = (path / name).u8string();
        return std::string(u8.begin(), u8.end());
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(path))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path path;
};

std::string Read(const std::string& path) {
    std::ifstream in(fs::u8path(path), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

LabelSheetSource JanSource(std::vector<std::string> list, std::string code = "490123400001") {
    LabelSheetSource source;
    source.settings.m_nSymbology = kSymbologyJan;
    source.settings.m_nCdJan = kCheckDigitOn | 1;
    source.listCodes = std::move(list);
    source.code = std::move(code);
    return source;
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

struct Choice {
    const char* what;
    std::vector<std::string> list;
    std::string code;
    bool serial;
    const char* count;
    int layout;  // 0 a4-3x8, 1 a4-4x11, 2 a4-2x6
    const char* first;
    const char* copies;
    std::int64_t sheets;  // 0: refused
    std::string summary;
};

TEST(LabelSheet, EachChoiceTellsItsSheetsOrWhyItCannotRun) {
    const std::vector<std::string> three = {"490123400001", "490123400002", "490123400003"};
    const Choice choices[] = {
        {"the list, one sheet", three, "490123400001", false, "10", 1, "1", "1", 1,
         "1 枚（ラベル 3 枚）"},
        {"a serial run filling one sheet exactly",
         {},
         "490123400001",
         true,
         "44",
         1,
         "1",
         "1",
         1,
         "1 枚（ラベル 44 枚）"},
        {"one label more takes a second sheet",
         {},
         "490123400001",
         true,
         "45",
         1,
         "1",
         "1",
         2,
         "2 枚（ラベル 45 枚）"},
        {"copies from the last label of a sheet", three, "x", false, "10", 0, "24", "2", 2,
         "2 枚（ラベル 6 枚）"},
        {"the list source ignores the count", three, "x", false, "0", 2, "1", "4", 1,
         "1 枚（ラベル 12 枚）"},
        {"a serial run past its digits",
         {},
         "999999999999",
         true,
         "2",
         1,
         "1",
         "1",
         0,
         FormatText(str::kSerialOverflow, 2LL, "999999999999", 12, "1000000000000")},
        {"a count of 0", three, "490123400001", true, "0", 1, "1", "1", 0,
         "件数は1～100000の数で入力してください"},
        {"an absurd count", three, "490123400001", true, "100001", 1, "1", "1", 0,
         "件数は1～100000の数で入力してください"},
        {"a count that is no number", three, "490123400001", true, "1O", 1, "1", "1", 0,
         "件数は1～100000の数で入力してください"},
        {"a first label past the sheet", three, "x", false, "10", 1, "45", "1", 0,
         "開始ラベルは1～44の数で入力してください"},
        {"no copies", three, "x", false, "10", 1, "1", "0", 0,
         "部数は1～1000の数で入力してください"},
        {"a code without digits to count",
         {},
         "ABC",
         true,
         "3",
         1,
         "1",
         "1",
         0,
         FormatText(str::kSerialNoDigits, "ABC")},
    };
    for (const Choice& c : choices) {
        SCOPED_TRACE(c.what);
        RecordingControls window;
        RecordingPrinter printer;
        Folder folder;
        window.saveAs = folder / "labels.pdf";
        CLabelSheetDlg dlg(window, window, printer, JanSource(c.list, c.code));
        dlg.OnInitDialog();
        window.SetChecked(IDC_LS_SERIAL, c.serial);
        window.SetChecked(IDC_LS_FROM_LIST, !c.serial);
        dlg.OnClicked(c.serial ? IDC_LS_SERIAL : IDC_LS_FROM_LIST);
        window.SetText(IDC_LS_COUNT, c.count);
        dlg.OnEditChange(IDC_LS_COUNT);
        window.SetCurSel(IDC_LS_LAYOUT, c.layout);
        dlg.OnSelChange(IDC_LS_LAYOUT);
        window.SetText(IDC_LS_FIRST, c.first);
        dlg.OnEditChange(IDC_LS_FIRST);
        window.SetText(IDC_LS_COPIES, c.copies);
        dlg.OnEditChange(IDC_LS_COPIES);

        EXPECT_EQ(dlg.Sheets(), c.sheets);
        EXPECT_EQ(window.controls[IDC_LS_SUMMARY].text, c.summary);
        EXPECT_EQ(window.controls[IDC_LS_PRINT].enabled, c.sheets > 0);
        EXPECT_EQ(window.controls[IDC_LS_SAVE].enabled, c.sheets > 0);
        EXPECT_EQ(window.controls[IDC_LS_COUNT].enabled, c.serial);
        // A refused choice shows an empty sheet, never the last good one.
        EXPECT_EQ(dlg.PreviewLabels() > 0, c.sheets > 0);
        // Nothing happens on a refused choice, however the buttons are reached.
        dlg.OnClicked(IDC_LS_SAVE);
        EXPECT_EQ(folder.Files().size(), c.sheets > 0 ? 1u : 0u);
    }
}

TEST(LabelSheet, StartsFromTheListWhenThereIsOneElseFromASerialRun) {
    for (const bool withList : {true, false}) {
        RecordingControls window;
        RecordingPrinter printer;
        CLabelSheetDlg dlg(window, window, printer,
                           JanSource(withList ? std::vector<std::string>{"490123400001"}
                                              : std::vector<std::string>{}));
        dlg.OnInitDialog();
        EXPECT_EQ(window.controls[IDC_LS_FROM_LIST].checked, withList);
        EXPECT_EQ(window.controls[IDC_LS_FROM_LIST].enabled, withList);
        EXPECT_EQ(window.controls[IDC_LS_SERIAL].checked, !withList);
        EXPECT_EQ(window.controls[IDC_LS_LAYOUT].items,
                  (std::vector<std::string>{"A4 3×8（70×37 mm）", "A4 4×11（48.3×25.4 mm）",
                                            "A4 2×6（86.4×42.3 mm）"}));
        EXPECT_EQ(window.controls[IDC_LS_LAYOUT].cursel, 1);
        EXPECT_EQ(window.controls[IDC_LS_COUNT].text, "10");
        EXPECT_EQ(dlg.Sheets(), 1);
    }
}

TEST(LabelSheet, SavesEverySheetAndTellsTheReadBackAndWhatWasRefused) {
    RecordingControls window;
    RecordingPrinter printer;
    Folder folder;
    window.saveAs = folder / "labels.pdf";
    // Two codes JAN refuses among 47 that it draws: 47 labels, two sheets of 44.
    std::vector<std::string> list;
    for (int i = 1; i <= 47; ++i) list.push_back("4901234" + std::to_string(10000 + i));
    list.insert(list.begin() + 3, "49012X400001");
    list.push_back("123");
    CLabelSheetDlg dlg(window, window, printer, JanSource(list));
    dlg.OnInitDialog();
    ASSERT_EQ(dlg.Sheets(), 2);

    dlg.OnClicked(IDC_LS_SAVE);
    ASSERT_EQ(window.saveDialogs.size(), 1u);
    EXPECT_EQ(window.saveDialogs[0].name, "labels.pdf");
    ASSERT_EQ(folder.Files(), std::vector<std::string>{"labels.pdf"});
    const std::string pdf = Read(window.saveAs);
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    EXPECT_EQ(Count(pdf, "/Type /Page "), 2u);
    EXPECT_NE(pdf.find("/Count 2 "), std::string::npos);
    // At 600 dpi the nearest 6 dots give modules of 0.254 mm, under GS1's 0.264: 7 it is.
    // Bars of 38 pixels are 11.3 mm, where 7 dots' 0.296 mm module asks 22.85 x 0.296 / 0.330.
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0],
              "ラベル 47 枚のうち 47 枚が読み取り確認に合格しました。\n"
              "ラベルにできなかったコード 2 件\n"
              "1 ピクセル = 7 ドット（600 dpi、モジュール幅 0.296 mm）：最小 0.264 mm（JAN-13）に"
              "合わせて 6 ドットから切り上げ\n"
              "注意：バーの高さ 11.3 mm（必要 20.5 mm）（ラベル 47 枚）");

    // A place that cannot take the file says why before anything is drawn, and nothing new is
    // left there: a folder, a read-only file.
    fs::create_directory(folder.path / "taken.pdf");
    std::ofstream(folder.path / "locked.pdf") << "older";
    fs::permissions(folder.path / "locked.pdf", fs::perms::owner_read);
    const std::vector<std::string> before = folder.Files();
    struct Failure {
        const char* name;
        const char* message;
    };
    std::vector<Failure> failures = {{"taken.pdf", str::kSaveIsFolder}};
#if !defined(_WIN32)
    if (::geteuid() != 0)  // root writes over read-only files
#endif
        failures.push_back({"locked.pdf", str::kSaveReadOnlyFile});
    for (const Failure& f : failures) {
        window.messages.clear();
        window.saveAs = folder / f.name;
        dlg.OnClicked(IDC_LS_SAVE);
        EXPECT_EQ(window.messages,
                  std::vector<std::string>{FormatText(f.message, window.saveAs.c_str())});
        EXPECT_EQ(folder.Files(), before);
    }
    EXPECT_EQ(Read(folder / "locked.pdf"), "older");

    // Cancelled: nothing is written and nothing said.
    window.messages.clear();
    window.saveAs.clear();
    dlg.OnClicked(IDC_LS_SAVE);
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(folder.Files(), before);
}

// A run of 100,000 labels goes on beside the window: its progress shows, the rest of the window
// waits, and stopping it leaves no file where it was saving.
TEST(LabelSheet, AStoppedSaveLeavesNoFile) {
    RecordingControls window;
    RecordingPrinter printer;
    Folder folder;
    window.saveAs = folder / "labels.pdf";
    CLabelSheetDlg dlg(window, window, printer, JanSource({}, "490123400001"));
    dlg.OnInitDialog();
    window.SetText(IDC_LS_COUNT, "100000");
    dlg.OnEditChange(IDC_LS_COUNT);
    ASSERT_EQ(dlg.Sheets(), 2273);
    bool stopped = false;
    window.onDispatch = [&] {
        if (stopped) return;
        EXPECT_TRUE(window[IDC_LS_STOP].enabled);
        EXPECT_FALSE(window[IDC_LS_SAVE].enabled);
        EXPECT_FALSE(window[IDC_LS_LAYOUT].enabled);
        dlg.OnClicked(IDC_LS_SAVE);  // ignored while it runs
        stopped = true;
        dlg.OnClicked(IDC_LS_STOP);
    };
    dlg.OnClicked(IDC_LS_SAVE);
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(folder.Files().empty());
    EXPECT_TRUE(window.messages.empty());
    EXPECT_TRUE(window[IDC_LS_SAVE].enabled);
    EXPECT_FALSE(window[IDC_LS_STOP].enabled);
    EXPECT_EQ(window[IDC_LS_PROGRESS].pos, 0);
}

TEST(LabelSheet, PrintsAfterTellingTheReadBackAtThePrintersResolution) {
    RecordingControls window;
    RecordingPrinter output;
    CLabelSheetDlg dlg(window, window, output, JanSource({}, "490123400001"));
    dlg.OnInitDialog();
    window.SetText(IDC_LS_COUNT, "30");
    dlg.OnEditChange(IDC_LS_COUNT);
    window.SetCurSel(IDC_LS_LAYOUT, 0);  // 24 a sheet
    dlg.OnSelChange(IDC_LS_LAYOUT);
    dlg.OnClicked(IDC_LS_PRINT);
    // Then what the printer's 300 dpi made of the size: 4 dots, not 3 (0.254 mm), and bars of
    // 12.9 mm where 0.339 mm modules ask 23.5.
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[0], "ラベル 30 枚のうち 30 枚が読み取り確認に合格しました。");
    EXPECT_EQ(window.messages[1],
              "印刷しました。\n"
              "1 ピクセル = 4 ドット（300 dpi、モジュール幅 0.339 mm）：最小 0.264 mm（JAN-13）に"
              "合わせて 3 ドットから切り上げ\n"
              "注意：バーの高さ 12.9 mm（必要 23.5 mm）（ラベル 30 枚）");
    ASSERT_EQ(output.printed.size(), 30u);
    EXPECT_EQ(output.printed.front(), 0);
    EXPECT_EQ(output.printed.back(), 1);

    // The customer barcode's bars, 2 pixels, are 0.706 mm at one dot of 72 dpi, over Japan
    // Post's 0.69 mm, and there is no smaller whole number: the job ends with nothing printed.
    RecordingControls postalWindow;
    RecordingPrinter postalOutput;
    postalOutput.printDpi = 72;
    LabelSheetSource postal;
    postal.settings.m_nSymbology = kSymbologyPostal;
    postal.settings.m_nCdPostal = kCheckDigitOn | 1;
    postal.code = "1234567";
    postal.ref = "12";
    CLabelSheetDlg postalDlg(postalWindow, postalWindow, postalOutput, postal);
    postalDlg.OnInitDialog();
    postalWindow.SetCurSel(IDC_LS_LAYOUT, 2);  // 86.4 mm wide, for its 73 mm at 600 dpi
    postalDlg.OnSelChange(IDC_LS_LAYOUT);
    postalDlg.OnClicked(IDC_LS_PRINT);
    ASSERT_EQ(postalWindow.messages.size(), 2u) << postalWindow.messages[0];
    EXPECT_EQ(postalWindow.messages[1],
              "72 dpi では 1 ピクセルを何ドットにしてもカスタマバーコードの寸法の規格を満たせない"
              "ので印刷できません（最も近い 1 ドットではモジュール幅 0.706 mm（最大 0.69 mm））。");
    EXPECT_TRUE(postalOutput.aborted);
    EXPECT_TRUE(postalOutput.printed.empty());

    // Labels that do not read back (ITF as this program draws it) are listed by number and
    // code, the first ones only, before anything is printed.
    RecordingControls itfWindow;
    RecordingPrinter itfOutput;
    LabelSheetSource itf;
    itf.settings.m_nSymbology = kSymbologyItf;
    itf.code = "1234567";
    CLabelSheetDlg itfDlg(itfWindow, itfWindow, itfOutput, itf);
    itfDlg.OnInitDialog();
    itfWindow.SetText(IDC_LS_COUNT, "25");
    itfDlg.OnEditChange(IDC_LS_COUNT);
    itfDlg.OnClicked(IDC_LS_PRINT);
    std::string expected =
        "ラベル 25 枚のうち 0 枚が読み取り確認に合格しました。\n"
        "読み取り確認に合格しなかったラベル：";
    for (int n = 1; n <= CLabelSheetDlg::kListedFailures; ++n) {
        expected += "\nラベル " + std::to_string(n) + "：" + std::to_string(1234566 + n);
    }
    expected += "\nほか 5 枚";
    ASSERT_EQ(itfWindow.messages.size(), 1u);
    EXPECT_EQ(itfWindow.messages[0], expected);
    EXPECT_EQ(itfOutput.printed.size(), 25u);

    // A list from which nothing can be drawn says why, and prints nothing.
    RecordingControls other;
    RecordingPrinter none;
    CLabelSheetDlg refused(other, other, none, JanSource({"12AB", "9"}));
    refused.OnInitDialog();
    refused.OnClicked(IDC_LS_PRINT);
    ASSERT_EQ(other.messages.size(), 1u);
    EXPECT_EQ(other.messages[0].rfind("ラベルに描けるコードがありませんでした：", 0), 0u);
    EXPECT_TRUE(none.printed.empty());
}

}  // namespace
}  // namespace diduzozoz
