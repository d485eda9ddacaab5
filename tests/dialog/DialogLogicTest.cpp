// The dialog's behaviour, driven through its notifications against a recording double of its
// window: start values, list files, handlers with their status texts, the enabling rule,
// spins, keys, the Create command's occasions and the read-back verdict.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <set>

#include "base/Strings.h"
#include "dialog/BarcodeDlg.h"
#include "dialog/VerdictPlacement.h"
#include "tests/dialog/RecordingControls.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace diduzozoz {
namespace {

namespace fs = std::filesystem;
using test::RecordingControls;

std::string Repeat(const std::string& s, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += s;
    return out;
}

constexpr int kTypeSpecific[] = {1008, 1009, 1022, 1026, 1011, 1016, 1012, 1017, 1013, 1018,
                                 1014, 1019, 1029, 1015, 1020, 1060, 1061, 1062, 1063};

// A dialog opened in a folder of its own with the given list files (none: no such file).
class Dialog : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device seed;
        m_dir = fs::temp_directory_path() / ("diduzozoz-dialog-" + std::to_string(seed()));
        fs::create_directories(m_dir);
        m_oldCwd = fs::current_path();
        fs::current_path(m_dir);
    }
    void TearDown() override {
        dlg.reset();  // before the window it reports to
        fs::current_path(m_oldCwd);
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }

    void WriteList(const char* name, const std::optional<std::string>& bytes) {
        fs::remove(name);
        if (!bytes) return;
        std::ofstream(name, std::ios::binary) << *bytes;
    }
    void Open(std::optional<std::string> codes = "7654321\n1234567\n",
              std::optional<std::string> refs = "12\n345\n") {
        dlg.reset();
        w.Reset();
        WriteList(str::kCodeListFile, codes);
        WriteList(str::kRefNoListFile, refs);
        dlg = std::make_unique<CBarcodeDlg>(w, w, w);
        dlg->OnInitDialog();
    }

    // What the user does, as the platform reports it.
    void Click(int id) {
        if (id >= IDC_NW7 && id <= IDC_POSTAL) {
            for (int r = IDC_NW7; r <= IDC_POSTAL; ++r) w[r].checked = r == id;
        } else if (id != IDC_CREATE && id != IDCANCEL) {
            w[id].checked = !w[id].checked;
        }
        dlg->OnClicked(id);
    }
    void Pick(int id, const std::string& item) {
        const auto& items = w[id].items;
        const auto it = std::find(items.begin(), items.end(), item);
        ASSERT_NE(it, items.end()) << item;
        w[id].cursel = static_cast<int>(it - items.begin());
        dlg->OnSelChange(id);
        w[id].text = item;  // the edit field follows the pick only after it is reported
    }
    void Type(int id, const std::string& text) {
        w[id].text = text;
        dlg->OnEditChange(id);
    }
    void Step(int id, int delta) {
        auto& spin = w[id];
        dlg->OnDeltaPos(id, spin.pos, delta);
        spin.pos += delta;
        if (spin.pos > spin.upper) spin.pos = spin.lower;
        if (spin.pos < spin.lower) spin.pos = spin.upper;
    }
    void Paint() {
        dlg->OnPaint();
        w.Pump();
    }
    std::string Status() { return w[IDC_STATUS].text; }
    std::set<int> EnabledTypeControls() {
        std::set<int> out;
        for (int id : kTypeSpecific) {
            if (w[id].enabled) out.insert(id);
        }
        return out;
    }
    BarcodeJob& Job() { return dlg->Job(); }
    // The verdict of the newest drawing, once the verification thread has sent it.
    void AwaitVerdict(int arrived) {
        while (dlg->VerdictsArrived() < arrived) {
            ASSERT_TRUE(w.WaitForPosted()) << "no verdict came back";
            w.Pump();
        }
    }

    RecordingControls w;
    std::unique_ptr<CBarcodeDlg> dlg;

  private:
    fs::path m_dir;
    fs::path m_oldCwd;
};

TEST_F(Dialog, StartState) {
    Open();
    EXPECT_TRUE(w.messages.empty());
    EXPECT_EQ(Status(), "");  // written by the first paint's run, not by the initialisation
    EXPECT_TRUE(EnabledTypeControls().empty());
    for (int id = IDC_NW7; id <= IDC_POSTAL; ++id) EXPECT_FALSE(w[id].checked);
    const std::pair<int, std::array<int, 3>> spins[] = {
        {IDC_SPIN_HEIGHT, {20, 150, 40}},
        {IDC_SPIN_MARGIN_X, {0, 50, 10}},
        {IDC_SPIN_MARGIN_Y, {0, 50, 20}},
    };
    for (const auto& [id, range] : spins) {
        EXPECT_EQ((std::array<int, 3>{w[id].lower, w[id].upper, w[id].pos}), range) << id;
    }
    const std::pair<int, std::vector<std::string>> combos[] = {
        {IDC_PAT_NW7, {std::begin(str::kNw7Patterns), std::end(str::kNw7Patterns)}},
        {IDC_NW7_START, {"A", "B", "C", "D"}},
        {IDC_NW7_STOP, {"A", "B", "C", "D"}},
        {IDC_PAT_CODE39, {"1. モジュラス４３ウエイト"}},
        {IDC_PAT_JAN, {"1. モジュラス１０／３ウエイト"}},
        {IDC_PAT_ITF, {"1.モジュラス１０／３ウエイト"}},
        {IDC_PAT_CODE128, {"1.モジュラス１０３ウエイト"}},
        {IDC_CODE128_START, {"A", "B", "C"}},
        {IDC_PAT_POSTAL, {"1. 郵便コードモジュラス"}},
        {IDC_LINE_UNIT, {"1 ピクセル", "2 ピクセル", "3 ピクセル"}},
        // The forms: the first is the type as it has always been drawn.
        {IDC_JAN_FORM, {"JAN-13", "JAN-8（短縮）"}},
        {IDC_ITF_FORM, {"非インターリーブ", "ITF（インターリーブ）", "ITF-14"}},
        {IDC_CODE128_FORM, {"A/B/C固定", "自動", "GS1-128"}},
        {IDC_POSTAL_FORM, {"整理番号（数字）", "住所表示番号", "住所から"}},
    };
    for (const auto& [id, items] : combos) {
        EXPECT_EQ(w[id].items, items) << id;
        EXPECT_EQ(w[id].cursel, 0) << id;
    }
    EXPECT_EQ(w.systemMenu, (std::vector<std::pair<int, std::string>>{{0x10, w.aboutItem}}));

    const BarcodeJob& j = Job();
    EXPECT_EQ(j.m_nSymbology, 0);
    for (int word :
         {j.m_nCdNW7, j.m_nCdCode39, j.m_nCdJan, j.m_nCdItf, j.m_nCdCode128, j.m_nCdPostal}) {
        EXPECT_EQ(word, 0x01);
    }
    EXPECT_EQ((std::array<int, 5>{j.m_nTextPosition, j.m_nLineUnit, j.m_nBarHeight, j.m_nMarginX,
                                  j.m_nMarginY}),
              (std::array<int, 5>{0, 1, 40, 10, 20}));
    EXPECT_STREQ(j.m_szCode, "7654321");
    EXPECT_STREQ(j.m_szRefNo, "12");
    EXPECT_STREQ(j.m_szNW7Start, "A");
    EXPECT_STREQ(j.m_szNW7Stop, "A");
    EXPECT_STREQ(j.m_szCode128Start, "A");
    EXPECT_EQ((std::array<int, 4>{j.m_nJanForm, j.m_nItfForm, j.m_nCode128Form, j.m_nPostalForm}),
              (std::array<int, 4>{0, 0, 0, 0}));

    // The first paint finds no type chosen: a white preview, no box, nothing exported.
    Paint();
    EXPECT_EQ(Status(), str::kChooseType);
    EXPECT_TRUE(w.messages.empty());
    EXPECT_EQ(dlg->CreateRuns(), 1);
    EXPECT_EQ(dlg->Canvas().UsedWidth(), 0);
    EXPECT_TRUE(w.clipboard.empty());
    EXPECT_FALSE(w.exportCommands);
    EXPECT_EQ(w.description, str::kAccPreviewBlank);
}

TEST_F(Dialog, TypeSelectionEnablesItsOwnSetOnly) {
    const std::pair<int, std::set<int>> rows[] = {
        {IDC_NW7, {1008, 1009, 1022, 1026}},     {IDC_CODE39, {1011, 1016}},
        {IDC_JAN, {1012, 1017, 1060}},           {IDC_ITF, {1013, 1018, 1061}},
        {IDC_CODE128, {1014, 1019, 1029, 1063}}, {IDC_POSTAL, {1015, 1020, 1062}},
    };
    Open();
    for (const auto& [radio, enabled] : rows) {
        Click(radio == IDC_POSTAL ? IDC_NW7 : IDC_POSTAL);  // another type first: its set goes
        const int runs = dlg->CreateRuns();
        Click(radio);
        const int n = radio - 1001;
        EXPECT_EQ(Job().m_nSymbology, n);
        EXPECT_EQ(Status(), FormatText(str::kTypeSelected[n], n, "7654321"));
        EXPECT_EQ(EnabledTypeControls(), enabled) << radio;
        EXPECT_EQ(dlg->CreateRuns(), runs);  // choosing a type draws nothing
        EXPECT_TRUE(w[IDC_REFNO].enabled);
    }
}

// Each step as the user takes it, and what it leaves in the job and on the status line.
TEST_F(Dialog, OptionHandlersWriteTheirMemberAndEcho) {
    Open();
    struct Row {
        const char* what;
        std::function<void()> act;
        std::function<int()> member;
        int value;
        std::string status;
    };
    auto nw7 = [this] { return Job().m_nCdNW7; };
    auto position = [this] { return Job().m_nTextPosition; };
    const Row rows[] = {
        {"NW-7 chosen", [&] { Click(IDC_NW7); }, nw7, 0x01, "NW-7が選択されました[1] CODE:7654321"},
        {"CD ticked", [&] { Click(IDC_CD_NW7); }, nw7, 0x11,
         "Check Digit の有無：[ 11 ]（１X：有　０X：無）"},
        {"CD cleared", [&] { Click(IDC_CD_NW7); }, nw7, 0x01,
         "Check Digit の有無：[ 01 ]（１X：有　０X：無）"},
        {"CD ticked again", [&] { Click(IDC_CD_NW7); }, nw7, 0x11,
         "Check Digit の有無：[ 11 ]（１X：有　０X：無）"},
        {"runes picked", [&] { Pick(IDC_PAT_NW7, "7. ルーンズ"); }, nw7, 0x17,
         "「 7. ルーンズ 」の選択：[ 17 ]"},
        {"stop C", [&] { Pick(IDC_NW7_STOP, "C"); }, [this] { return int(Job().m_szNW7Stop[0]); },
         'C', "C"},
        {"CODE128 set B", [&] { Click(IDC_CODE128), Pick(IDC_CODE128_START, "B"); },
         [this] { return int(Job().m_szCode128Start[0]); }, 'B', "B"},
        {"ITF-14 picked", [&] { Click(IDC_ITF), Pick(IDC_ITF_FORM, "ITF-14"); },
         [this] { return Job().m_nItfForm; }, 2, "「 ITF-14 」の選択：[ 2 ]"},
        {"GS1-128 picked", [&] { Click(IDC_CODE128), Pick(IDC_CODE128_FORM, "GS1-128"); },
         [this] { return Job().m_nCode128Form; }, 2, "「 GS1-128 」の選択：[ 2 ]"},
        // Switching back finds the type's options as they were left.
        {"NW-7 again", [&] { Click(IDC_NW7); }, nw7, 0x17, "NW-7が選択されました[1] CODE:7654321"},
        {"text below", [&] { Click(IDC_TEXT_BELOW); }, position, 1,
         "文字列を下に付加：[ 1 ]（１：有　０：無）"},
        {"text above unticks below", [&] { Click(IDC_TEXT_ABOVE); },
         [&] { return position() * 10 + w[IDC_TEXT_BELOW].checked; }, 20,
         "文字列を上に付加：[ 2 ]（２：有　０：無）"},
        {"text above cleared", [&] { Click(IDC_TEXT_ABOVE); }, position, 0,
         "文字列を上に付加：[ 0 ]（２：有　０：無）"},
        {"3 pixels", [&] { Pick(IDC_LINE_UNIT, "3 ピクセル"); },
         [this] { return Job().m_nLineUnit; }, 3, "選択：3 ピクセル PIX ：3"},
        // The combos keep the member equal to what they show, typed or picked.
        {"code typed", [&] { Type(IDC_CODE, "7654321AB"); },
         [this] { return std::string(Job().m_szCode) == "7654321AB"; }, 1, "7654321AB"},
        {"code picked", [&] { Pick(IDC_CODE, "1234567"); },
         [this] { return std::string(Job().m_szCode) == "1234567"; }, 1, "1234567"},
        {"reference picked", [&] { Pick(IDC_REFNO, "345"); },
         [this] { return std::string(Job().m_szRefNo) == "345"; }, 1, "345"},
        {"reference typed", [&] { Type(IDC_REFNO, "3456"); },
         [this] { return std::string(Job().m_szRefNo) == "3456"; }, 1, "3456"},
    };
    for (const Row& row : rows) {
        const int actions = dlg->UserActions();
        row.act();
        EXPECT_EQ(row.member(), row.value) << row.what;
        EXPECT_EQ(Status(), row.status) << row.what;
        EXPECT_GT(dlg->UserActions(), actions) << row.what;
    }
    EXPECT_TRUE(w.messages.empty());
    EXPECT_EQ(dlg->CreateRuns(), 0);  // none of them draws
}

TEST_F(Dialog, SpinsRefuseOutsideTheirRangeAndDrawInside) {
    Open();
    for (int i = 0; i < 9; ++i) Step(IDC_SPIN_MARGIN_X, -1);
    EXPECT_EQ(Job().m_nMarginX, 1);
    const std::string status = Status();
    Step(IDC_SPIN_MARGIN_X, -1);
    EXPECT_EQ(w.messages, std::vector<std::string>{"左右の空白は、範囲外です"});
    EXPECT_EQ(Job().m_nMarginX, 1);
    EXPECT_EQ(w[IDC_SPIN_MARGIN_X].pos, 0);
    EXPECT_EQ(Status(), status);  // a message leaves the status alone

    w.messages.clear();
    Step(IDC_SPIN_MARGIN_Y, -1);  // from its start value 20
    EXPECT_EQ(w.messages, std::vector<std::string>{"上下の空白は、範囲外です"});
    EXPECT_EQ(Job().m_nMarginY, 20);

    // Height 40, step up: the member, the status, and at once a drawing.
    w.messages.clear();
    Click(IDC_NW7);
    const int runs = dlg->CreateRuns();
    Step(IDC_SPIN_HEIGHT, +1);
    EXPECT_EQ(Job().m_nBarHeight, 41);
    EXPECT_EQ(dlg->CreateRuns(), runs + 1);
    EXPECT_EQ(Status(), "データ[　A7654321A　]の形で作成しました");
    ASSERT_EQ(w.clipboard.size(), 1u);
    EXPECT_EQ(w.clipboard[0].height, 41 + 2 * 20);

    // At 150 a step up is refused, the control wraps to 20 and the next step sets 21. A
    // change other than +1 (a held button's acceleration) is one step down.
    w[IDC_SPIN_HEIGHT].pos = 149;
    Step(IDC_SPIN_HEIGHT, +1);
    EXPECT_EQ(Job().m_nBarHeight, 150);
    Step(IDC_SPIN_HEIGHT, +1);
    EXPECT_EQ(w.messages, std::vector<std::string>{"高さは、範囲外です"});
    EXPECT_EQ(Job().m_nBarHeight, 150);
    EXPECT_EQ(w[IDC_SPIN_HEIGHT].pos, 20);
    Step(IDC_SPIN_HEIGHT, +1);
    EXPECT_EQ(Job().m_nBarHeight, 21);
    Step(IDC_SPIN_HEIGHT, +5);
    EXPECT_EQ(Job().m_nBarHeight, 20);
    EXPECT_EQ(dlg->CreateRuns(), runs + 4);
}

TEST_F(Dialog, KeysMenuAndClose) {
    Open();
    Click(IDC_NW7);
    const std::string status = Status();
    EXPECT_TRUE(dlg->PreTranslateKey(kVkReturn));
    EXPECT_TRUE(dlg->PreTranslateKey(kVkEscape));
    EXPECT_FALSE(dlg->PreTranslateKey('A'));
    EXPECT_EQ(w.beeps, 2);
    EXPECT_TRUE(dlg->OnHelpInfo());
    EXPECT_EQ(w.beeps, 2);
    EXPECT_EQ(dlg->CreateRuns(), 0);
    EXPECT_EQ(Status(), status);

    // The about item, whatever the low four bits; other system commands go on by default.
    EXPECT_TRUE(dlg->OnSysCommand(0x10));
    EXPECT_TRUE(dlg->OnSysCommand(0x13));
    EXPECT_FALSE(dlg->OnSysCommand(0xF060));  // close
    EXPECT_EQ(w.aboutBoxes, 2);
    EXPECT_EQ(w.ended, 0);
    Click(IDCANCEL);
    EXPECT_EQ(w.ended, IDCANCEL);
}

TEST_F(Dialog, EditFieldsTakeNoMoreThanTheirMembersHold) {
    Open();
    const std::pair<int, std::size_t> rows[] = {{IDC_CODE, kMaxCodeBytes},
                                                {IDC_REFNO, kMaxRefNoBytes}};
    for (const auto& [id, limit] : rows) {
        EXPECT_TRUE(dlg->AcceptsEdit(id, std::string(limit, '1')));
        // Counted in bytes: "あ" takes three.
        EXPECT_FALSE(dlg->AcceptsEdit(id, std::string(limit - 2, '1') + "あ"));
    }
    EXPECT_EQ(w.beeps, 2);
}

// The postal address forms: the reference field is relabelled and widened, reads the list
// again with items of an address's length, takes up to 120 bytes and draws from the address;
// the digits form comes back as it was left.
TEST_F(Dialog, PostalAddressFormsGiveTheReferenceFieldRoomAndTheirOwnMember) {
    Open("263-0023\n", "3丁目30-8 郵便ビル403号\n12\n");
    EXPECT_EQ(w[IDC_REFNO].items, std::vector<std::string>{"12"});  // 8 bytes at most
    Click(IDC_POSTAL);
    Pick(IDC_POSTAL_FORM, str::kFormPostalAddress);
    EXPECT_EQ(Status(), "「 住所から 」の選択：[ 2 ]");
    EXPECT_EQ(w[IDC_REFNO_LABEL].text, str::kAddressLabel);
    const auto label = w[IDC_REFNO_LABEL].place;
    const auto field = w[IDC_REFNO].place;
    // Left of the template's place, clear of the code's label (to x = 107), out to the same
    // right edge, and wider than the label it follows.
    EXPECT_GT(label[0], 107);
    EXPECT_LT(label[0] + label[2], field[0]);
    EXPECT_EQ(field[0] + field[2], 205 + 60);
    EXPECT_GT(field[2], 60);
    EXPECT_EQ(w[IDC_REFNO].items, (std::vector<std::string>{"3丁目30-8 郵便ビル403号", "12"}));
    EXPECT_EQ(w[IDC_REFNO].text, "3丁目30-8 郵便ビル403号");
    EXPECT_TRUE(dlg->AcceptsEdit(IDC_REFNO, Repeat("あ", 40)));
    EXPECT_FALSE(dlg->AcceptsEdit(IDC_REFNO, Repeat("あ", 40) + "1"));
    EXPECT_EQ(Status(), str::kAddressTooLong);
    Click(IDC_CREATE);
    EXPECT_EQ(Status(), "データ[　2630023 - 3-30-8-403　]の形で作成しました");

    Pick(IDC_POSTAL_FORM, str::kFormPostalDigits);
    EXPECT_EQ(w[IDC_REFNO_LABEL].text, "整理番号(〒）");
    EXPECT_EQ(w[IDC_REFNO].place, (std::array<int, 4>{205, 10, 60, 146}));
    EXPECT_EQ(w[IDC_REFNO].items, std::vector<std::string>{"12"});
    EXPECT_EQ(w[IDC_REFNO].text, "12");
    EXPECT_FALSE(dlg->AcceptsEdit(IDC_REFNO, std::string(16, '1')));
    EXPECT_STREQ(Job().m_szAddress, "3丁目30-8 郵便ビル403号");  // kept for its form
}

// What the two list files put into the combos and members.
TEST_F(Dialog, ListFiles) {
    struct Row {
        const char* what;
        std::string codes, refs;
        std::vector<std::string> codeItems, refItems;
    };
    const Row rows[] = {
        {"two lines", "7654321\n1234567\n", "1\n", {"7654321", "1234567"}, {"1"}},
        {"no final line feed", "7654321\n1234567", "1\n", {"7654321"}, {"1"}},
        {"121 skipped, 120 listed",
         std::string(121, 'a') + "\n" + std::string(120, 'b') + "\n",
         "1\n",
         {std::string(120, 'b')},
         {"1"}},
        {"9 digits skipped, 8 listed", "1\n", "123456789\n12345678\n", {"1"}, {"12345678"}},
        {"CR LF", "7654321\r\n1234567\r\n", "1\r\n", {"7654321", "1234567"}, {"1"}},
        {"blank lines", "\n\nx\n", "\n1\n", {"", "", "x"}, {"", "1"}},
        {"chunked long line",
         std::string(254, 'a') + std::string(10, 'c') + "\n",
         "1\n",
         {std::string(10, 'c')},
         {"1"}},
        {"empty files", "", "", {}, {}},
        // Lines that are not UTF-8 are Shift_JIS as Japanese Windows writes it (code page
        // 932, 日本語コード below); bytes that are no character there show U+FFFD. The limits
        // count the file's bytes; a line that decodes too long for its member is left out.
        {"Shift_JIS",
         "\x93\xfa\x96\x7b\x8c\xea\x83\x52\x81\x5b\x83\x68\r\n7654321\n",
         "\x82\xa0\n",
         {"日本語コード", "7654321"},
         {"あ"}},
        {"not a character",
         "a\xff"
         "b\n" +
             std::string(100, '\xfe') + "\nok\n",
         "\xff\xff\xff\xff\xff\xff\n2\n",
         {"a\uFFFDb", "ok"},
         {"2"}},
        {"Shift_JIS too long decoded",
         Repeat("\x82\xa0", 42) + "\n" + Repeat("\x82\xa0", 41) + "\n",
         "1\n",
         {Repeat("あ", 41)},
         {"1"}},
        {"byte-order mark",
         "\xEF\xBB\xBF"
         "1234567\n",
         "1\n",
         {"1234567"},
         {"1"}},
        // A spreadsheet's "Unicode text": UTF-16LE with its mark (１２３ is EF BC 91 ...).
        {"UTF-16",
         std::string("\xFF\xFE\x11\xFF\x12\xFF\x13\xFF\r\0\n\0"
                     "7\0\n\0",
                     16),
         "1\n",
         {"１２３", "7"},
         {"1"}},
    };
    for (const Row& row : rows) {
        Open(row.codes, row.refs);
        EXPECT_TRUE(w.messages.empty()) << row.what;
        EXPECT_EQ(w[IDC_CODE].items, row.codeItems) << row.what;
        EXPECT_EQ(w[IDC_REFNO].items, row.refItems) << row.what;
        const std::string code0 = row.codeItems.empty() ? "" : row.codeItems[0];
        const std::string ref0 = row.refItems.empty() ? "" : row.refItems[0];
        EXPECT_EQ(w[IDC_CODE].text, code0) << row.what;
        EXPECT_EQ(Job().m_szCode, code0) << row.what;
        EXPECT_EQ(w[IDC_REFNO].text, ref0) << row.what;
        EXPECT_EQ(Job().m_szRefNo, ref0) << row.what;
    }
}

TEST_F(Dialog, MissingListFilesAreReportedInOrder) {
    Open(std::nullopt, std::nullopt);
    EXPECT_EQ(w.messages, (std::vector<std::string>{
                              "初期化の読み込みファイル[DiDuzozoz.ini]をオープンできません。",
                              "初期化の読み込みファイル[ViVederuvida.ini]をオープンできません。"}));
    EXPECT_TRUE(w[IDC_CODE].items.empty());
    EXPECT_STREQ(Job().m_szCode, "");
    EXPECT_STREQ(Job().m_szRefNo, "");
    // The dialog works all the same.
    Paint();
    EXPECT_EQ(Status(), str::kChooseType);

    Open(std::nullopt, "1\n");
    EXPECT_EQ(w.messages.size(), 1u);
    EXPECT_STREQ(Job().m_szRefNo, "1");
}

// A FIFO or a device under a list's name must not hold up start-up (a plain open of a FIFO
// waits for a writer for ever): they count as files that cannot be opened.
TEST_F(Dialog, ListsThatAreNoFilesDoNotHang) {
#ifdef _WIN32
    GTEST_SKIP() << "no FIFOs or /dev here";
#else
    ASSERT_EQ(::mkfifo(str::kCodeListFile, 0600), 0);
    ASSERT_EQ(::symlink("/dev/urandom", str::kRefNoListFile), 0);
    dlg = std::make_unique<CBarcodeDlg>(w, w, w);
    dlg->OnInitDialog();
    EXPECT_EQ(w.messages,
              (std::vector<std::string>{str::kCodeListOpenFailed, str::kRefNoListOpenFailed}));
#endif
}

// The short JAN from its list: a wrong check digit is refused by name, the appended one lasts
// for the run only, the verdict reads EAN-8, and the form outlives a switch to another type.
TEST_F(Dialog, ShortJanFromItsList) {
    Open("49012340\n", "12\n");
    Click(IDC_JAN);
    Pick(IDC_JAN_FORM, "JAN-8（短縮）");
    Click(IDC_CREATE);
    EXPECT_EQ(w.messages,
              std::vector<std::string>{"短縮JANコードのチェックデジットが違います（正しくは7）"});
    EXPECT_EQ(dlg->Exported(), nullptr);
    Type(IDC_CODE, "4901234");
    Click(IDC_CD_JAN);
    Click(IDC_CREATE);
    EXPECT_EQ(Status(), "データ[　49012347　]の形で作成しました");
    EXPECT_STREQ(Job().m_szCode, "4901234");
    AwaitVerdict(1);
    EXPECT_EQ(w.verdict, FormatText(str::kVerdictOk, "EAN-8", "49012347"));
    Click(IDC_ITF);
    Click(IDC_JAN);
    EXPECT_EQ(Job().m_nJanForm, kJanForm8);
    EXPECT_EQ(w[IDC_JAN_FORM].cursel, 1);
}

// A message box from a run that a paint started uncovers the dialog when it closes, which
// starts the same run and the same box again. The user must see it once.
TEST_F(Dialog, PaintRunsDoNotRepeatTheirMessage) {
    Open("12345678901X\n", "1\n");
    Click(IDC_JAN);
    // What a real box does: closing it exposes the dialog.
    w.onMessage = [this] { dlg->OnPaint(); };
    Paint();
    Paint();
    EXPECT_EQ(w.messages, std::vector<std::string>{str::kDigitsOnly});
    EXPECT_FALSE(w.Posted());  // quiet again: nothing keeps re-running

    // A user action makes it worth showing again, once; "作成" always answers.
    Click(IDC_JAN);
    Paint();
    EXPECT_EQ(w.messages.size(), 2u);
    Click(IDC_CREATE);
    EXPECT_EQ(w.messages.size(), 3u);
    w.Pump();
    EXPECT_EQ(w.messages.size(), 3u);
}

// GS1 data with a wrong check digit: refused with the right one named, nothing drawn, the code
// as the combo shows it; the data put right draws GS1-128 and reads back as such.
TEST_F(Dialog, Gs1RefusalRestoresTheCode) {
    Open("(01)04912345678905\n", "1\n");
    Click(IDC_CODE128);
    Pick(IDC_CODE128_FORM, "GS1-128");
    Click(IDC_CREATE);
    EXPECT_EQ(w.messages,
              std::vector<std::string>{FormatText(str::kGs1CheckDigit, "01", '5', '4')});
    EXPECT_STREQ(Job().m_szCode, "(01)04912345678905");
    EXPECT_TRUE(w.clipboard.empty());
    EXPECT_EQ(dlg->Exported(), nullptr);
    Type(IDC_CODE, "(01)0491234567890");
    Click(IDC_CD_CODE128);  // completes the GTIN
    Click(IDC_CREATE);
    ASSERT_EQ(w.clipboard.size(), 1u);
    EXPECT_EQ(Status(), "スタートコード：C   データ[　(01)04912345678904　]の形で作成しました");
    AwaitVerdict(1);
    EXPECT_EQ(w.verdict, FormatText(str::kVerdictOk, "GS1-128", "(01)04912345678904"));
}

TEST_F(Dialog, PaintsCoalesceAndSkipAMinimisedDialog) {
    Open();
    for (int i = 0; i < 5; ++i) dlg->OnPaint();
    EXPECT_TRUE(dlg->CreateQueued());
    EXPECT_EQ(dlg->CreateRuns(), 0);  // not before the current message is handled
    w.Pump();
    EXPECT_EQ(dlg->CreateRuns(), 1);
    EXPECT_FALSE(dlg->CreateQueued());
    w.minimized = true;
    Paint();
    EXPECT_EQ(dlg->CreateRuns(), 1);
    w.minimized = false;
    Paint();
    EXPECT_EQ(dlg->CreateRuns(), 2);
}

// Every completed drawing goes to the clipboard and gets its read-back verdict; a run that
// draws nothing shows none and takes save, copy and print away; a verdict that comes back for
// an older drawing never replaces that.
TEST_F(Dialog, ExportAndVerdictFollowTheDrawings) {
    Open("7654321\n", "12\n");
    Click(IDC_NW7);
    Click(IDC_CREATE);
    ASSERT_EQ(w.clipboard.size(), 1u);
    EXPECT_TRUE(w.exportCommands);
    ASSERT_TRUE(dlg->Exported());
    EXPECT_EQ(w.verdict, str::kVerdictPending);
    EXPECT_EQ(w.verdictSize, std::make_pair(w.clipboard[0].width, w.clipboard[0].height));
    AwaitVerdict(1);
    EXPECT_EQ(w.verdict, FormatText(str::kVerdictOk, "CODABAR", "A7654321A"));
    EXPECT_EQ(w.tone, VerdictTone::kGood);
    EXPECT_EQ(w.description, Status() + "\n" + w.verdict);

    // A repaint draws the same barcode: the verdict stands, nothing is read again.
    Paint();
    EXPECT_EQ(w.clipboard.size(), 2u);
    EXPECT_FALSE(w.Posted());

    Click(IDC_ITF);
    Click(IDC_CREATE);
    AwaitVerdict(2);
    EXPECT_EQ(w.verdict.rfind(FormatText(str::kVerdictUnreadable, str::kReasonItf), 0), 0u);
    EXPECT_EQ(w.tone, VerdictTone::kBad);

    // A new drawing, then at once a refused run: its verdict must not come back.
    Click(IDC_NW7);
    Click(IDC_CREATE);
    Click(IDC_JAN);
    Click(IDC_CREATE);
    EXPECT_EQ(w.messages, std::vector<std::string>{str::kJanLength});
    EXPECT_EQ(w.verdict, "");
    EXPECT_FALSE(w.exportCommands);
    EXPECT_EQ(dlg->Exported(), nullptr);
    EXPECT_EQ(w.description, str::kAccPreviewBlank);
    AwaitVerdict(3);
    EXPECT_EQ(w.verdict, "");
    // Copy offers only what the preview shows.
    dlg->OnCopy();
    EXPECT_EQ(w.clipboard.size(), 4u);
}

// The verdict line never covers the exported drawing where the preview has room beside it.
TEST(VerdictPlacement, BelowElseRightElseOverTheBottom) {
    // A text of 300 pixels in lines of 16 with 4 x 1 pixels of padding; wrapped, it takes
    // as many lines as its width needs.
    VerdictTextLayout text;
    text.lineHeight = 16;
    text.padX = 4;
    text.padY = 1;
    text.linesAt = [](int width) { return (300 + width - 1) / width; };
    struct Row {
        const char* what;
        int drawnW, drawnH;
        VerdictBox box;
    };
    // The preview of the dialog at 96 dpi: 528 x 172 pixels.
    const Row rows[] = {
        {"nothing drawn", 0, 0, {0, 154, 528, 18, false}},
        {"small drawing: along the bottom", 63, 80, {0, 154, 528, 18, false}},
        {"band below exactly holds one line", 100, 154, {0, 154, 528, 18, false}},
        {"one pixel too tall: to the right", 100, 155, {100, 154, 428, 18, false}},
        {"right band needs two lines", 300, 189, {300, 138, 228, 34, true}},
        {"right band needs three lines", 400, 189, {400, 122, 128, 50, true}},
        {"right band too narrow for the preview's height", 500, 189, {0, 154, 528, 18, false}},
        {"as wide as the preview", 528, 172, {0, 154, 528, 18, false}},
    };
    for (const Row& row : rows) {
        const VerdictBox b = PlaceVerdict(528, 172, row.drawnW, row.drawnH, text);
        EXPECT_EQ((std::array<int, 5>{b.x, b.y, b.width, b.height, b.wrapped}),
                  (std::array<int, 5>{row.box.x, row.box.y, row.box.width, row.box.height,
                                      row.box.wrapped}))
            << row.what;
    }
    // A preview too narrow for one line: two, as before.
    EXPECT_EQ(PlaceVerdict(200, 172, 0, 0, text).height, 34);
}

}  // namespace
}  // namespace diduzozoz
