// The Windows dialog driven from outside as a user drives it, scenario by scenario, by control
// id and message: every drawing compared with the command-line renderer's (its PNG's pixels
// and bytes against the clipboard's bitmap and "PNG", its stdout against the status line).
//
// Usage: dialog_driver DIALOG.exe CLI.exe [SCENARIO]
// Prints a line a scenario; exit code 0 when every scenario held. With --pose FOLDER instead
// of a scenario it only sets the dialog up for a screenshot (tools/screenshot-windows.sh).
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "dialog/resource.h"
#include "tests/win32/RemoteDialog.h"

namespace {

using namespace diduzozoz;
using namespace diduzozoz::remote;
namespace fs = std::filesystem;

fs::path g_dialog, g_cli;

constexpr int kTypeControls[] = {1008, 1009, 1022, 1026, 1011, 1016, 1012, 1017, 1013, 1018,
                                 1014, 1019, 1029, 1015, 1020, 1060, 1061, 1062, 1063};

std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += (out.empty() ? "" : " | ") + line;
    return "[" + out + "]";
}

void ExpectBoxes(Dialog& d, const std::vector<std::string>& expected, const std::string& after) {
    const std::vector<std::string> shown = d.Take();
    Check(shown == expected,
          "after " + after + ": message boxes " + Join(shown) + ", expected " + Join(expected));
}

// The items of a combo as its dialog lists them.
std::vector<std::string> ItemsOf(HWND combo) {
    std::vector<std::string> items;
    DWORD_PTR count = 0;
    SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_NORMAL, 60000, &count);
    for (DWORD_PTR i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, i, 0, SMTO_NORMAL, 60000, &length);
        std::wstring text(length + 1, L'\0');
        DWORD_PTR got = 0;
        SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()),
                            SMTO_NORMAL, 60000, &got);
        text.resize(got);
        items.push_back(Utf8(text));
    }
    return items;
}

std::vector<std::string> Items(Dialog& d, int id) {
    return ItemsOf(d.Control(id));
}

std::string TextIn(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    Check(control != nullptr, "no control " + std::to_string(id));
    std::wstring text(4096, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_NORMAL, 60000, &got);
    text.resize(got);
    return Utf8(text);
}

// The label dialog owned by the main dialog, or nullptr while there is none.
HWND LabelDialog(HWND main) {
    HWND found = nullptr;
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w && !found;
         w = FindWindowExW(nullptr, w, L"#32770", nullptr)) {
        if (GetWindow(w, GW_OWNER) == main && IsWindowVisible(w) && GetDlgItem(w, IDC_LS_LAYOUT)) {
            found = w;
        }
    }
    return found;
}

// One drawing as the user sets it up in the dialog, and the same for the command line.
struct Drawing {
    const char* name;
    int radio;
    const char* cliType;
    const char* code;
    bool cd;
    int textBox;                  // IDC_TEXT_ABOVE, IDC_TEXT_BELOW or 0
    int unit;                     // 1..3
    const char* start = nullptr;  // CODE128 start set
    const char* ref = nullptr;    // postal reference number
    int formList = 0;             // the type's form list, where another form is picked
    int form = 0;                 // its item
    const char* cliForm = nullptr;
};

const Drawing kDrawings[] = {
    {"NW-7", IDC_NW7, "nw7", "0123456", true, IDC_TEXT_ABOVE, 1},
    {"CODE39", IDC_CODE39, "code39", "CODE 39$", true, IDC_TEXT_BELOW, 2},
    {"JAN", IDC_JAN, "jan", "490123456789", true, IDC_TEXT_ABOVE, 3},
    {"ITF", IDC_ITF, "itf", "1234567", true, IDC_TEXT_BELOW, 1},
    {"CODE128", IDC_CODE128, "code128", "Hello, 128", true, IDC_TEXT_ABOVE, 2, "B"},
    {"postal", IDC_POSTAL, "postal", "1234567", true, IDC_TEXT_BELOW, 3, nullptr, "1203"},
    // The forms the standards add, picked from their lists.
    {"JAN-8", IDC_JAN, "jan", "4901234", true, IDC_TEXT_BELOW, 2, nullptr, nullptr, IDC_JAN_FORM, 1,
     "jan8"},
    {"interleaved ITF", IDC_ITF, "itf", "12345", true, IDC_TEXT_ABOVE, 3, nullptr, nullptr,
     IDC_ITF_FORM, 1, "interleaved"},
    {"ITF-14", IDC_ITF, "itf", "1490123456789", true, IDC_TEXT_BELOW, 2, nullptr, nullptr,
     IDC_ITF_FORM, 2, "itf14"},
};

int CdBoxOf(int radio) {
    const int boxes[] = {IDC_CD_NW7, IDC_CD_CODE39,  IDC_CD_JAN,
                         IDC_CD_ITF, IDC_CD_CODE128, IDC_CD_POSTAL};
    return boxes[radio - IDC_NW7];
}

// Sets the dialog up for the drawing and presses 作成; the same settings on the command line
// must give the clipboard's picture and the status line.
void DrawAndCompare(Dialog& d, const Folder& folder, const Drawing& row) {
    d.Click(row.radio);
    d.Type(IDC_CODE, row.code);
    if (d.Checked(CdBoxOf(row.radio)) != row.cd) d.Click(CdBoxOf(row.radio));
    for (int box : {IDC_TEXT_ABOVE, IDC_TEXT_BELOW}) {
        if (d.Checked(box) != (box == row.textBox)) d.Click(box);
    }
    d.Pick(IDC_LINE_UNIT, row.unit - 1);
    if (row.start) d.Pick(IDC_CODE128_START, row.start[0] - 'A');
    if (row.formList) d.Pick(row.formList, row.form);
    if (row.ref) d.Type(IDC_REFNO, row.ref);
    const DWORD before = ReadClipboard().sequence;
    d.Click(IDC_CREATE);
    ExpectBoxes(d, {}, std::string(row.name) + " 作成");

    static int drawings = 0;
    const std::string file = "expected-" + std::to_string(++drawings) + ".png";
    std::vector<std::string> args = {
        "--type", row.cliType, "--code", row.code, "--unit", std::to_string(row.unit), "-o", file};
    if (row.cd) args.push_back("--cd");
    if (row.textBox)
        args.insert(args.end(), {"--text", row.textBox == IDC_TEXT_ABOVE ? "above" : "below"});
    if (row.start) args.insert(args.end(), {"--start", row.start});
    if (row.ref) args.insert(args.end(), {"--ref", row.ref});
    if (row.cliForm) args.insert(args.end(), {"--form", row.cliForm});
    const ProgramRun cli = RunProgram(g_cli, args, folder.Path());
    Check(cli.exitCode == 0, std::string(row.name) + ": the command line drew nothing (exit code " +
                                 std::to_string(cli.exitCode) + ")");
    std::string status = cli.out;
    while (!status.empty() && (status.back() == '\n' || status.back() == '\r')) status.pop_back();
    Check(d.Text(IDC_STATUS) == status, std::string(row.name) + ": status '" + d.Text(IDC_STATUS) +
                                            "', expected '" + status + "'");

    std::ifstream in(folder.Path() / file, std::ios::binary);
    const std::string png((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const test::GreyImage expected = test::ReadPng(png);
    const Clipboard clip = ReadClipboard();
    Check(clip.sequence != before, std::string(row.name) + ": the clipboard did not change");
    Check(clip.bitmap, std::string(row.name) + ": no CF_BITMAP");
    Check(clip.dib.width == expected.width && clip.dib.height == expected.height,
          std::string(row.name) + ": the clipboard's bitmap is " + std::to_string(clip.dib.width) +
              " x " + std::to_string(clip.dib.height) + ", the command line's " +
              std::to_string(expected.width) + " x " + std::to_string(expected.height));
    Check(clip.dib.grey == expected.grey, std::string(row.name) + ": other pixels");
    Check(clip.dibPixelsPerMetre == 3780, std::string(row.name) + ": the bitmap is not at 96 dpi");
    Check(clip.png == png, std::string(row.name) + ": the clipboard's PNG is not the same file");
}

struct Scenario {
    const char* name;
    const char* codes;  // nullptr: no such file
    const char* refs;
    std::function<void(Dialog&, Folder&)> run;
};

const Scenario kScenarios[] = {
    {"start state", "1234567\n12\n", "12\n",
     [](Dialog& d, Folder&) {
         d.Main();
         ExpectBoxes(d, {}, "the start");
         for (int id = IDC_NW7; id <= IDC_POSTAL; ++id) {
             Check(!d.Checked(id), "a radio button is selected at the start");
         }
         for (int id : kTypeControls) {
             Check(!d.Enabled(id), "control " + std::to_string(id) + " is enabled at the start");
         }
         Check(d.Text(IDC_HEIGHT) == "40" && d.Text(IDC_MARGIN_X) == "10" &&
                   d.Text(IDC_MARGIN_Y) == "20",
               "the spins show " + d.Text(IDC_HEIGHT) + "/" + d.Text(IDC_MARGIN_X) + "/" +
                   d.Text(IDC_MARGIN_Y));
         Check(d.Text(IDC_STATUS) == "コード種別を選んでください", "status " + d.Text(IDC_STATUS));
         Check(d.Text(IDC_CODE) == "1234567", "code " + d.Text(IDC_CODE));
         Check(d.Text(IDC_LINE_UNIT) == "1 ピクセル", "line unit " + d.Text(IDC_LINE_UNIT));
         // A disabled box takes no click.
         d.Click(IDC_CD_NW7);
         Check(!d.Checked(IDC_CD_NW7) && d.Text(IDC_STATUS) == "コード種別を選んでください",
               "a click on the disabled CD box of NW-7 did something");
         d.Click(IDC_NW7);
         d.Click(IDC_CD_NW7);
         Check(d.Text(IDC_STATUS) == "Check Digit の有無：[ 11 ]（１X：有　０X：無）",
               "status " + d.Text(IDC_STATUS));
         d.Click(IDC_CODE128);
         Check(d.Enabled(IDC_CD_CODE128) && d.Enabled(IDC_CODE128_START) && !d.Enabled(IDC_CD_NW7),
               "CODE128 did not enable its own controls only");
         Check(d.Text(IDC_STATUS) == "CODE128が選択されました[5] CODE:1234567",
               "status " + d.Text(IDC_STATUS));
     }},
    {"every type, captions and line units", "1234567\n", "12\n",
     [](Dialog& d, Folder& folder) {
         for (const Drawing& row : kDrawings) DrawAndCompare(d, folder, row);
     }},
    // Typed a character at a time, an address longer than the widened field shows reaches the
    // status line whole only when the field scrolls.
    {"the customer barcode from an address", "263-0023\n", "12\n",
     [](Dialog& d, Folder& folder) {
         d.Main();
         RECT before{}, after{};
         GetWindowRect(d.Control(IDC_REFNO), &before);
         const char* const address = "十一丁目六番地一号 郵便タワー東館ビルディング西棟601号室";
         const Drawing row{"address", IDC_POSTAL, "postal", "263-0023",      true, IDC_TEXT_BELOW,
                           1,         nullptr,    address,  IDC_POSTAL_FORM, 2,    "address"};
         DrawAndCompare(d, folder, row);
         GetWindowRect(d.Control(IDC_REFNO), &after);
         Check(d.Text(IDC_REFNO_LABEL) == "町域以降の住所", "label " + d.Text(IDC_REFNO_LABEL));
         Check(after.right == before.right && after.left < before.left,
               "the reference field did not grow to the left");
         Check(d.Text(IDC_STATUS) == "データ[　2630023 - 11-6-1-601　]の形で作成しました",
               "status " + d.Text(IDC_STATUS));
     }},
    {"a refused code", "abc\n", "12\n",
     [](Dialog& d, Folder& folder) {
         DrawAndCompare(d, folder, kDrawings[0]);
         const Clipboard before = ReadClipboard();
         d.Click(IDC_CODE39);
         d.Type(IDC_CODE, "abc");
         const std::string status = d.Text(IDC_STATUS);
         d.Click(IDC_CREATE);
         ExpectBoxes(d, {"CODE39用のコードを入力してください"}, "作成 with abc");
         Check(d.Text(IDC_STATUS) == status, "the status changed: " + d.Text(IDC_STATUS));
         Check(ReadClipboard().sequence == before.sequence, "the clipboard changed");
     }},
    {"a refused spin step", "12\n", "12\n",
     [](Dialog& d, Folder&) {
         for (int i = 0; i < 9; ++i) d.Step(IDC_MARGIN_X, -1);
         ExpectBoxes(d, {}, "nine steps down");
         d.Step(IDC_MARGIN_X, -1);
         ExpectBoxes(d, {"左右の空白は、範囲外です"}, "the tenth step down");
         Check(d.Text(IDC_MARGIN_X) == "0", "the margin spin shows " + d.Text(IDC_MARGIN_X));
         d.Step(IDC_HEIGHT, +1);
         ExpectBoxes(d, {}, "a step up of the height");
         Check(d.Text(IDC_HEIGHT) == "41", "the height spin shows " + d.Text(IDC_HEIGHT));
     }},
    {"Enter and Escape", "12\n", "12\n",
     [](Dialog& d, Folder&) {
         d.Click(IDC_NW7);
         const std::string status = d.Text(IDC_STATUS);
         for (int id : {IDC_CODE, IDC_CREATE, IDC_REFNO}) {
             d.PostKey(id, VK_RETURN);
             d.PostKey(id, VK_ESCAPE);
         }
         // Keys are taken in order: once a step of the height shows, the six are handled.
         d.PostKey(IDC_HEIGHT, VK_UP);
         d.WaitUntil([&] { return !d.Running() || d.Text(IDC_HEIGHT) == "41"; }, "the keys");
         Check(d.Running(), "Enter or Escape closed the dialog");
         d.Settle();
         ExpectBoxes(d, {}, "Enter and Escape");
         // Only the height's step drew: the keys pressed no button.
         Check(d.Text(IDC_STATUS) == "データ[　A12A　]の形で作成しました",
               "status " + d.Text(IDC_STATUS) + " after " + status);
     }},
    {"list files in UTF-8, Shift_JIS and CR LF", "東京\r\n\x93\xfa\x96\x7b\r\n1234567\r\n",
     "\x82\xa0\n12\n",
     [](Dialog& d, Folder&) {
         d.Main();
         Check(Items(d, IDC_CODE) == std::vector<std::string>{"東京", "日本", "1234567"},
               "codes " + Join(Items(d, IDC_CODE)));
         Check(Items(d, IDC_REFNO) == std::vector<std::string>{"あ", "12"},
               "reference numbers " + Join(Items(d, IDC_REFNO)));
         Check(d.Text(IDC_CODE) == "東京", "code " + d.Text(IDC_CODE));
     }},
    {"both list files missing", nullptr, nullptr,
     [](Dialog& d, Folder&) {
         d.Main();
         ExpectBoxes(d,
                     {"初期化の読み込みファイル[DiDuzozoz.ini]をオープンできません。",
                      "初期化の読み込みファイル[ViVederuvida.ini]をオープンできません。"},
                     "the start");
         Check(Items(d, IDC_CODE).empty() && Items(d, IDC_REFNO).empty(),
               "the lists are not empty");
     }},
    {"a clipboard another program holds open", "1234567\n", "12\n",
     [](Dialog& d, Folder& folder) {
         DrawAndCompare(d, folder, kDrawings[1]);
         const Clipboard before = ReadClipboard();
         // Held open throughout the next drawing: the drawing and its status stay, nothing
         // waits for the clipboard.
         d.Click(IDC_ITF);
         d.Type(IDC_CODE, "1234567");
         Check(OpenClipboard(nullptr) != 0, "cannot open the clipboard");
         d.Click(IDC_CREATE);
         const std::string status = d.Text(IDC_STATUS);
         CloseClipboard();
         ExpectBoxes(d, {}, "作成 with the clipboard held");
         Check(status.find("の形で作成しました") != std::string::npos, "status " + status);
         Check(ReadClipboard().sequence == before.sequence, "the clipboard changed");
         d.Click(IDC_CREATE);
         Check(ReadClipboard().sequence != before.sequence, "the next drawing did not reach it");
     }},
    {"the label dialog from the context menu", "490123400001\n490123400002\n", "12\n",
     [](Dialog& d, Folder&) {
         HWND main = d.Main();
         d.Click(IDC_JAN);
         PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_LABELSHEET, 0), 0);
         HWND labels = nullptr;
         d.WaitUntil([&] { return (labels = LabelDialog(main)) != nullptr; }, "the label dialog");
         Check(ItemsOf(GetDlgItem(labels, IDC_LS_LAYOUT)) ==
                   std::vector<std::string>{"A4 3×8（70×37 mm）", "A4 4×11（48.3×25.4 mm）",
                                            "A4 2×6（86.4×42.3 mm）"},
               "the layouts " + Join(ItemsOf(GetDlgItem(labels, IDC_LS_LAYOUT))));
         Check(IsDlgButtonChecked(labels, IDC_LS_FROM_LIST) == BST_CHECKED &&
                   !IsWindowEnabled(GetDlgItem(labels, IDC_LS_COUNT)),
               "the code list is not the source at the start");
         Check(TextIn(labels, IDC_LS_SUMMARY) == "1 枚（ラベル 2 枚）",
               "summary " + TextIn(labels, IDC_LS_SUMMARY));
         // A serial run from the current code, counted as typed.
         SendMessageTimeoutW(GetDlgItem(labels, IDC_LS_SERIAL), BM_CLICK, 0, 0, SMTO_NORMAL, 60000,
                             nullptr);
         SendMessageTimeoutW(GetDlgItem(labels, IDC_LS_COUNT), WM_SETTEXT, 0,
                             reinterpret_cast<LPARAM>(L"45"), SMTO_NORMAL, 60000, nullptr);
         Check(TextIn(labels, IDC_LS_SUMMARY) == "2 枚（ラベル 45 枚）",
               "summary " + TextIn(labels, IDC_LS_SUMMARY));
         SendMessageTimeoutW(GetDlgItem(labels, IDC_LS_COUNT), WM_SETTEXT, 0,
                             reinterpret_cast<LPARAM>(L"0"), SMTO_NORMAL, 60000, nullptr);
         Check(TextIn(labels, IDC_LS_SUMMARY) == "件数は1～100000の数で入力してください" &&
                   !IsWindowEnabled(GetDlgItem(labels, IDC_LS_SAVE)) &&
                   !IsWindowEnabled(GetDlgItem(labels, IDC_LS_PRINT)),
               "a count of 0: " + TextIn(labels, IDC_LS_SUMMARY));
         SendMessageTimeoutW(GetDlgItem(labels, IDCANCEL), BM_CLICK, 0, 0, SMTO_NORMAL, 60000,
                             nullptr);
         d.WaitUntil([&] { return LabelDialog(main) == nullptr; }, "the label dialog closed");
         Check(d.Running(), "the program ended with the label dialog");
     }},
    {"a label sheet saved beside the window", "490123400001\n490123400002\n", "12\n",
     [](Dialog& d, Folder& folder) {
         HWND main = d.Main();
         d.Click(IDC_JAN);
         d.Click(IDC_CD_JAN);
         PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_LABELSHEET, 0), 0);
         HWND labels = nullptr;
         d.WaitUntil([&] { return (labels = LabelDialog(main)) != nullptr; }, "the label dialog");
         PostMessageW(GetDlgItem(labels, IDC_LS_SAVE), BM_CLICK, 0, 0);
         // The save dialog: the file name typed into its name field, then OK.
         HWND save = nullptr, name = nullptr;
         d.WaitUntil(
             [&] {
                 save = FindWindowW(L"#32770", L"名前を付けて保存");
                 name = save ? GetDlgItem(save, 1148) : nullptr;    // cmb13
                 if (save && !name) name = GetDlgItem(save, 1152);  // edt1
                 return name != nullptr && IsWindowVisible(save);
             },
             "the save dialog");
         const fs::path pdf = folder.Path() / "labels.pdf";
         SendMessageTimeoutW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pdf.wstring().c_str()),
                             SMTO_NORMAL, 60000, nullptr);
         PostMessageW(save, WM_COMMAND, IDOK, 0);
         // Drawn and read back on a thread of the dialog's own; the read-back told at the end.
         std::vector<std::string> boxes;
         d.WaitUntil(
             [&] {
                 for (std::string& box : d.Take()) boxes.push_back(std::move(box));
                 return !boxes.empty();
             },
             "the label sheet saved");
         Check(boxes.size() == 1 &&
                   boxes[0].rfind("ラベル 2 枚のうち 2 枚が読み取り確認に合格しました。", 0) == 0,
               "message boxes " + Join(boxes));
         std::ifstream file(pdf, std::ios::binary);
         std::string start(5, '\0');
         file.read(start.data(), 5);
         Check(start == "%PDF-", "no PDF at " + Utf8(pdf.wstring()));
         for (const auto& entry : fs::directory_iterator(folder.Path())) {
             const fs::path file = entry.path().filename();
             Check(file == "labels.pdf" || file.extension() == ".ini",
                   "left beside it: " + Utf8(file.wstring()));
         }
         Check(IsWindowEnabled(GetDlgItem(labels, IDC_LS_SAVE)) &&
                   !IsWindowEnabled(GetDlgItem(labels, IDC_LS_STOP)),
               "the label dialog still busy after the save");
         SendMessageTimeoutW(GetDlgItem(labels, IDCANCEL), BM_CLICK, 0, 0, SMTO_NORMAL, 60000,
                             nullptr);
         d.WaitUntil([&] { return LabelDialog(main) == nullptr; }, "the label dialog closed");
     }},
    {"the clipboard after 終了", "1234567\n", "12\n",
     [](Dialog& d, Folder& folder) {
         DrawAndCompare(d, folder, kDrawings[3]);
         const Clipboard before = ReadClipboard();
         d.Close();
         const Clipboard after = ReadClipboard();
         Check(after.dib.grey == before.dib.grey && after.png == before.png && !after.png.empty(),
               "the barcode went from the clipboard with the program");
     }},
};

}  // namespace

// For a screenshot: the dialog started in folder with a barcode drawn and its verdict in;
// "ready" on stdout, then the dialog stays until a line comes on stdin.
int Pose(const fs::path& folder) {
    try {
        Dialog d(g_dialog, folder);
        d.Click(IDC_NW7);
        d.Click(IDC_CD_NW7);
        d.Click(IDC_TEXT_BELOW);
        d.Click(IDC_CREATE);
        d.WaitUntil(
            [&] {
                return d.Text(IDC_PREVIEW).find("読取確認：OK") != std::string::npos ||
                       d.Text(IDC_PREVIEW).find("読取確認：未確認") != std::string::npos ||
                       d.Text(IDC_PREVIEW).find("読取確認：読めません") != std::string::npos;
            },
            "the verdict in " + d.Text(IDC_PREVIEW));
        d.Settle();
        // Painted whole before the picture is taken.
        RedrawWindow(d.Main(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        d.Settle();
        std::printf("ready\n");
        std::fflush(stdout);
        char line[16];
        if (!std::fgets(line, sizeof line, stdin)) return 1;
        d.Close();
    } catch (const std::exception& e) {
        std::printf("FAIL pose: %s\n", e.what());
        return 1;
    }
    return 0;
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: dialog_driver DIALOG.exe CLI.exe [SCENARIO | --pose FOLDER]\n");
        return 2;
    }
    g_dialog = fs::absolute(argv[1]);
    g_cli = fs::absolute(argv[2]);
    if (argc > 4 && std::wstring(argv[3]) == L"--pose") return Pose(argv[4]);
    const std::string only = argc > 3 ? Utf8(argv[3]) : "";
    int failures = 0, run = 0;
    for (const Scenario& s : kScenarios) {
        if (!only.empty() && std::string(s.name).rfind(only, 0) != 0) continue;
        ++run;
        try {
            Folder folder;
            if (s.codes) folder.Write("DiDuzozoz.ini", s.codes);
            if (s.refs) folder.Write("ViVederuvida.ini", s.refs);
            EmptyTheClipboard();
            Dialog d(g_dialog, folder.Path());
            s.run(d, folder);
            std::printf("ok   %s\n", s.name);
        } catch (const std::exception& e) {
            ++failures;
            std::printf("FAIL %s: %s\n", s.name, e.what());
        }
        std::fflush(stdout);
    }
    std::printf("%d scenarios, %d failed\n", run, failures);
    return failures == 0 && run > 0 ? 0 : 1;
}
