// The Windows dialog, started as a program of its own and worked from outside by control id
// and message, never by screen position: what the driver test and the benchmark use.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/PngRead.h"

namespace diduzozoz::remote {

// Ends a scenario with what went wrong.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};
void Check(bool ok, const std::string& what);

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

// A folder of its own under the temporary folder, removed with its files.
class Folder {
  public:
    Folder();
    ~Folder();
    const std::filesystem::path& Path() const { return m_path; }
    void Write(const char* name, const std::string& bytes);

  private:
    std::filesystem::path m_path;
};

// What the clipboard holds of an image.
struct Clipboard {
    bool bitmap = false;  // CF_BITMAP offered
    test::GreyImage dib;  // CF_DIB, 0 black and 255 white
    int dibPixelsPerMetre = 0;
    std::string png;     // the registered "PNG" format's bytes
    DWORD sequence = 0;  // the clipboard's change count when it was read
};
Clipboard ReadClipboard();
// Empties the clipboard, so what a test finds there afterwards is what the program put there.
void EmptyTheClipboard();

// One run of a program to its end: its exit code and its standard output.
struct ProgramRun {
    int exitCode = -1;
    std::string out;
};
ProgramRun RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                      const std::filesystem::path& folder);

class Dialog {
  public:
    // Starts the program in folder; the dialog is there once Main() returns.
    Dialog(const std::filesystem::path& program, const std::filesystem::path& folder);
    ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // The main dialog, once it is shown and settled; message boxes that come before it are
    // answered and recorded.
    HWND Main();
    // The texts of the message boxes answered so far, in order; Take() empties the record.
    std::vector<std::string> Take();

    // Carries out action (on a thread of its own, as it may open a modal box), answering the
    // boxes it opens, then waits until the dialog is settled.
    void Do(const std::function<void()>& action);
    void Settle();
    // Polls until done() holds, answering boxes meanwhile, with a deadline.
    void WaitUntil(const std::function<bool()>& done, const std::string& what);

    HWND Control(int id);
    std::string Text(int id);
    bool Checked(int id);
    bool Enabled(int id);

    void Click(int id);
    void Pick(int id, int index);
    // What the user types into the edit field of a combo, over what it held.
    void Type(int id, const std::string& text);
    // One step of a spin button's arrow keys in its buddy edit.
    void Step(int buddy, int delta);
    // A key as the user presses it in a control: through the dialog's own message loop.
    void PostKey(int id, int key);
    // 終了, then the program's end.
    void Close();
    bool Running();

  private:
    bool AnswerBoxes();  // true when one was open
    std::vector<HWND> Boxes();

    PROCESS_INFORMATION m_process{};
    HWND m_main = nullptr;
    UINT m_settled = 0;
    std::wstring m_boxTitle;
    std::vector<std::string> m_boxes;
};

}  // namespace diduzozoz::remote
