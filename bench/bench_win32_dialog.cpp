// The Windows dialog's two user-visible timings under Wine (run through bench/win32_dialog.sh):
//   start to first paint: from the program's start until its first paint's run has written
//                         the status line, median over N starts;
//   作成 to clipboard:    CODE128 with the longest code, from the click until the clipboard
//                         holds the new image (the run sets it before the click returns),
//                         median over N clicks.
// Usage: bench_win32_dialog DIALOG.exe FOLDER [N]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "dialog/resource.h"
#include "tests/win32/RemoteDialog.h"

namespace {

double Now() {
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace diduzozoz::remote;
    if (argc < 3) return 2;
    const std::filesystem::path dialog = argv[1], folder = argv[2];
    const int n = argc > 3 ? std::max(1, _wtoi(argv[3])) : 20;
    std::vector<double> starts, clicks;
    for (int i = 0; i < n; ++i) {
        const double t0 = Now();
        Dialog d(dialog, folder);
        d.WaitUntil([&] { return d.Text(IDC_STATUS) == "コード種別を選んでください"; },
                    "the first paint's run");
        starts.push_back(Now() - t0);
        if (i + 1 < n) continue;
        d.Click(IDC_CODE128);
        d.Type(IDC_CODE, std::string(124, 'W'));
        for (int k = 0; k < n * 5; ++k) {
            const DWORD before = GetClipboardSequenceNumber();
            HWND create = d.Control(IDC_CREATE);
            const double c0 = Now();
            SendMessageW(create, BM_CLICK, 0, 0);
            const double elapsed = Now() - c0;
            Check(GetClipboardSequenceNumber() != before, "the clipboard did not change");
            clicks.push_back(elapsed);
            d.Settle();
        }
        d.Close();
    }
    std::printf("start to first paint: median %.1f ms over %d starts\n", Median(starts), n);
    std::printf("作成 to clipboard: median %.2f ms over %zu clicks\n", Median(clicks),
                clicks.size());
    return 0;
}
