// A window for the dialog's logic that only remembers: each control's state by id, the message
// boxes, beeps, the clipboard, the verdict, the file dialogs and prints asked for, and the
// tasks posted to the UI thread. Its controls
// answer as the platform's do: an automatic check box or radio button changes before its click
// is reported, a pick selects before it is reported, a spin wraps after its step is reported.
#pragma once

#include <array>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "dialog/BarcodeDlg.h"
#include "dialog/Controls.h"
#include "platform/ListFile.h"

namespace diduzozoz::test {

// What the window was told and shows.
struct RecordedWindow {
    struct State {
        bool enabled = true;
        bool checked = false;
        std::string text;
        std::vector<std::string> items;
        int cursel = -1;
        int lower = 0, upper = 100, pos = 0;
        std::array<int, 4> place{};  // x, y, cx, cy as last placed; zeros: the template's
    };

    std::map<int, State> controls;
    std::string aboutItem = "DiDuzozoz のﾊﾞｰｼﾞｮﾝ情報(&A)...";  // string 101 of the script
    std::vector<std::pair<int, std::string>> systemMenu;
    std::vector<std::string> messages;
    std::function<void()> onMessage;
    int beeps = 0;
    bool minimized = false;
    int aboutBoxes = 0;
    int ended = 0;
    int repaints = 0;
    std::string description;
    std::string verdict;
    VerdictTone tone = VerdictTone::kNeutral;
    std::pair<int, int> verdictSize;
    std::vector<ExportImage> clipboard;
    bool exportCommands = false;
    // The file dialogs shown and what the user picks in them ("": cancel).
    std::vector<SaveFileRequest> saveDialogs;
    std::string saveAs;
    std::vector<ExportImage> printed;
    std::vector<LabelSheetSource> labelSheets;
    // What the user does while the window waits for work elsewhere: after each task it ran.
    std::function<void()> onDispatch;
};

class RecordingControls : public Controls,
                          public WindowServices,
                          public MainWindowServices,
                          public RecordedWindow {
  public:
    State& operator[](int id) { return controls[id]; }
    // A window as new, for another dialog.
    void Reset() {
        static_cast<RecordedWindow&>(*this) = RecordedWindow{};
        std::lock_guard lock(m_mutex);
        m_posted.clear();
    }

    // --- Controls ---
    void EnableControl(int id, bool enable) override { controls[id].enabled = enable; }
    bool IsChecked(int id) override { return controls[id].checked; }
    void SetChecked(int id, bool checked) override { controls[id].checked = checked; }
    std::string Text(int id) override { return controls[id].text; }
    void SetText(int id, const std::string& text) override { controls[id].text = text; }
    void ResetContent(int id) override {
        controls[id].items.clear();
        controls[id].cursel = -1;
    }
    void AddItem(int id, const std::string& text) override { controls[id].items.push_back(text); }
    int ItemCount(int id) override { return static_cast<int>(controls[id].items.size()); }
    std::string ItemText(int id, int index) override {
        const auto& items = controls[id].items;
        return index >= 0 && index < static_cast<int>(items.size()) ? items[index] : "";
    }
    int CurSel(int id) override { return controls[id].cursel; }
    void SetCurSel(int id, int index) override { controls[id].cursel = index; }
    void SetRange(int id, int lower, int upper) override {
        controls[id].lower = lower;
        controls[id].upper = upper;
    }
    void SetPos(int id, int pos) override { controls[id].pos = pos; }
    void PlaceControl(int id, int x, int y, int cx, int cy) override {
        controls[id].place = {x, y, cx, cy};
    }
    std::optional<std::string> ReadListFile(const char* name) override {
        return diduzozoz::ReadListFile(name);
    }
    std::string ResourceString(int id) override { return id == IDS_ABOUTBOX ? aboutItem : ""; }
    void AppendSystemMenuItem(int command, const std::string& text) override {
        systemMenu.emplace_back(command, text);
    }
    void ShowMessageBox(const std::string& text) override {
        messages.push_back(text);
        if (onMessage) onMessage();
    }
    void Beep() override { ++beeps; }
    bool IsMinimised() override { return minimized; }
    void RunAboutBox() override { ++aboutBoxes; }
    void EndDialog(int result) override { ended = result; }
    void RepaintPreview() override { ++repaints; }
    void DescribePreview(const std::string& text) override { description = text; }
    void ShowVerdict(const std::string& text, VerdictTone t, int w, int h) override {
        verdict = text;
        tone = t;
        verdictSize = {w, h};
    }
    void SetClipboardImage(const ExportImage& image) override { clipboard.push_back(image); }
    void EnableExportCommands(bool enable) override { exportCommands = enable; }
    std::string PrintImage(const ExportImage& image, int, const verify::Meant&) override {
        printed.push_back(image);
        return {};
    }
    void RunLabelSheet(const LabelSheetSource& source) override { labelSheets.push_back(source); }
    std::string ChooseSaveFile(const SaveFileRequest& request) override {
        saveDialogs.push_back(request);
        return saveAs;
    }
    // Runs what is posted until done() holds; false when nothing came for a long time.
    bool DispatchUntil(const std::function<bool()>& done) override {
        while (!done()) {
            if (!WaitForPosted()) return false;
            Pump();
            if (onDispatch) onDispatch();
        }
        return true;
    }
    void Post(std::function<void()> task) override {
        {
            std::lock_guard lock(m_mutex);
            m_posted.push_back(std::move(task));
        }
        m_changed.notify_all();
    }

    // Runs what was posted, including what that posts, until nothing is left.
    void Pump() {
        for (;;) {
            std::function<void()> task;
            {
                std::lock_guard lock(m_mutex);
                if (m_posted.empty()) return;
                task = std::move(m_posted.front());
                m_posted.pop_front();
            }
            task();
        }
    }
    // Waits for a task from another thread, with a deadline; false when none came.
    bool WaitForPosted(std::chrono::seconds deadline = std::chrono::seconds(60)) {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, deadline, [this] { return !m_posted.empty(); });
    }
    bool Posted() {
        std::lock_guard lock(m_mutex);
        return !m_posted.empty();
    }

  private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::function<void()>> m_posted;
};

}  // namespace diduzozoz::test
