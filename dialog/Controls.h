// The window as the dialog's logic sees it: the controls of its template by id, and the few
// services of the window around them. Each front end implements it and decides nothing the
// logic decides; a test implements it with a recording double. Text is UTF-8 throughout. No
// member is named like a Windows API macro (MessageBox, LoadString, IsMinimized), so
// windows.h beside this header renames nothing.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "render/ExportImage.h"

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
    // Edits, the status line and the edit field of a combo.
    virtual std::string Text(int id) = 0;
    virtual void SetText(int id, const std::string& text) = 0;
    // Combo boxes. Items are appended at the end, whatever the sorted style would do.
    virtual void ResetContent(int id) = 0;
    virtual void AddItem(int id, const std::string& text) = 0;
    virtual int ItemCount(int id) = 0;
    virtual std::string ItemText(int id, int index) = 0;
    virtual int CurSel(int id) = 0;  // -1: none
    virtual void SetCurSel(int id, int index) = 0;
    // Spin buttons; each shows its position in its buddy edit.
    virtual void SetRange(int id, int lower, int upper) = 0;
    virtual void SetPos(int id, int pos) = 0;
    // Any control, moved and sized in the template's dialog units (a combo's height includes
    // its drop-down list).
    virtual void PlaceControl(int id, int x, int y, int cx, int cy) = 0;

    // The bytes of a code list file in the current folder, or nothing when it cannot be
    // opened as a regular file; never blocks.
    virtual std::optional<std::string> ReadListFile(const char* name) = 0;
    // A string of the resource script's string table; empty when there is none.
    virtual std::string ResourceString(int id) = 0;
    // Appends a separator and an item with this command to the system menu (where the
    // platform has none, to the menu that stands for it).
    virtual void AppendSystemMenuItem(int command, const std::string& text) = 0;
    // One modal message, OK only, no icon, titled with the executable's name; returns when it
    // is dismissed. The window keeps dispatching its messages meanwhile.
    virtual void ShowMessageBox(const std::string& text) = 0;
    virtual void Beep() = 0;  // the default system sound
    virtual bool IsMinimised() = 0;
    virtual void RunAboutBox() = 0;  // template 100, modally
    virtual void EndDialog(int result) = 0;

    // The preview: the job's canvas changed; repaint it.
    virtual void RepaintPreview() = 0;
    // What screen readers say of the preview.
    virtual void DescribePreview(const std::string& text) = 0;
    // The verdict line for the drawing of w x h canvas pixels the preview shows; empty text:
    // none. Where it goes is PlaceVerdict()'s decision.
    virtual void ShowVerdict(const std::string& text, VerdictTone tone, int w, int h) = 0;
    // Hands an exported image to other programs (the clipboard).
    virtual void SetClipboardImage(const ExportImage& image) = 0;
    // Save, copy and print are offered while the preview shows an exported barcode.
    virtual void EnableExportCommands(bool enable) = 0;

    // Runs task on the user-interface thread once the current message is handled. Safe to
    // call from any thread.
    virtual void Post(std::function<void()> task) = 0;
};

}  // namespace diduzozoz
