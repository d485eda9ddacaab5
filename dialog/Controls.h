// The window as the dialog's logic sees it: the controls of its template by id, the services
// every window offers, and the services of the main window besides. Each front end has one
// implementation of the controls and of the window services, shared by all its windows; a test
// implements all three with a recording double. Text is UTF-8 throughout. No member is named
// like a Windows API macro (MessageBox, LoadString, IsMinimized), so windows.h beside this
// header renames nothing.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "render/ExportImage.h"
#include "verify/Verify.h"

namespace diduzozoz {

// How a read-back verdict reads at a glance.
enum class VerdictTone { kNeutral, kGood, kBad };

class Controls {
  public:
    virtual ~Controls() = default;

    // Any control.
    virtual void EnableControl(int id, bool enable) = 0;
    // Check boxes and radio buttons.
    virtual bool IsChecked(int id) = 0;
    virtual void SetChecked(int id, bool checked) = 0;
    // Edits, labels, the status line and the edit field of a combo.
    virtual std::string Text(int id) = 0;
    virtual void SetText(int id, const std::string& text) = 0;
    // Combo boxes. Items are appended at the end, whatever the sorted style would do.
    virtual void ResetContent(int id) = 0;
    virtual void AddItem(int id, const std::string& text) = 0;
    virtual int ItemCount(int id) = 0;
    virtual std::string ItemText(int id, int index) = 0;
    virtual int CurSel(int id) = 0;  // -1: none
    virtual void SetCurSel(int id, int index) = 0;
    // Spin buttons, each showing its position in its buddy edit, and progress bars.
    virtual void SetRange(int id, int lower, int upper) = 0;
    virtual void SetPos(int id, int pos) = 0;
    // Any control, moved and sized in the template's dialog units (a combo's height includes
    // its drop-down list).
    virtual void PlaceControl(int id, int x, int y, int cx, int cy) = 0;
};

// What the file dialog of a save starts from.
struct SaveFileRequest {
    std::string folder;          // empty: the user's documents
    std::string name;            // the file name suggested
    const char* filters = "";    // "PNG 画像 (*.png);;PDF (*.pdf)": name (pattern) pairs
    int filter = 0;              // the one chosen first, from 0
    const char* extension = "";  // added to a name typed without one; "": none is added
};

// What every window offers its logic besides its controls.
class WindowServices {
  public:
    virtual ~WindowServices() = default;

    // One modal message, OK only, no icon, titled with the executable's name; returns when it
    // is dismissed. The window keeps dispatching its messages meanwhile.
    virtual void ShowMessageBox(const std::string& text) = 0;
    virtual void Beep() = 0;  // the default system sound
    virtual void EndDialog(int result) = 0;
    // The window's preview frame: what it shows changed; repaint it.
    virtual void RepaintPreview() = 0;
    // Runs task on the user-interface thread after the current message is handled, never at
    // once. Safe to call from any thread; dropped once the window is gone.
    virtual void Post(std::function<void()> task) = 0;
    // Handles the window's messages and posted tasks until done() holds, so the window stays
    // responsive while work goes on elsewhere; done() is asked on this thread after each. False
    // when the program is ending before then.
    virtual bool DispatchUntil(const std::function<bool()>& done) = 0;
    // The file dialog of a save: the path chosen (UTF-8), empty when cancelled.
    virtual std::string ChooseSaveFile(const SaveFileRequest& request) = 0;
};

struct LabelSheetSource;

// What the main dialog's window offers besides.
class MainWindowServices {
  public:
    virtual ~MainWindowServices() = default;

    // The bytes of a code list file in the current folder, or nothing when it cannot be
    // opened as a regular file; never blocks.
    virtual std::optional<std::string> ReadListFile(const char* name) = 0;
    // A string of the resource script's string table; empty when there is none.
    virtual std::string ResourceString(int id) = 0;
    // Appends a separator and an item with this command to the system menu. A platform without
    // one to extend has nothing to do: the context menu offers the item (see ContextMenu()).
    virtual void AppendSystemMenuItem(int command, const std::string& text) = 0;
    virtual bool IsMinimised() = 0;
    virtual void RunAboutBox() = 0;  // template 100, modally
    // What screen readers say of the preview.
    virtual void DescribePreview(const std::string& text) = 0;
    // The verdict line for the drawing of w x h canvas pixels the preview shows; empty text:
    // none. Where it goes is PlaceVerdict()'s decision.
    virtual void ShowVerdict(const std::string& text, VerdictTone tone, int w, int h) = 0;
    // Hands an exported image to other programs (the clipboard).
    virtual void SetClipboardImage(const ExportImage& image) = 0;
    // The context menu's save, copy and print items became enabled or disabled; the menu's
    // data (CBarcodeDlg::ContextMenu()) has them as they are now.
    virtual void EnableExportCommands(bool enable) = 0;
    // The print dialog, then the image on one page as PlanPrint() lays it out for the printer
    // chosen. Empty when printed or cancelled, else the message to show.
    virtual std::string PrintImage(const ExportImage& image, int modulePixels,
                                   const verify::Meant& meant) = 0;
    // The label-sheet dialog over this one, modally, until it is closed.
    virtual void RunLabelSheet(const LabelSheetSource& source) = 0;
};

}  // namespace diduzozoz
