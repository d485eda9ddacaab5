// The main dialog's whole behaviour, without a toolkit: its start values and initialisation,
// the code list files, every handler with its status text, the enabling rule, the keys, the
// about item, when the Create command runs, and what the preview, the clipboard and the
// read-back verdict are told. It reaches the window only through Controls, by template id,
// and the window reaches it only through the notifications below.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/Controls.h"
#include "dialog/LabelSheetDlg.h"
#include "dialog/Verifier.h"
#include "dialog/resource.h"
#include "job/BarcodeJob.h"
#include "verify/Verify.h"

namespace diduzozoz {

// Virtual-key codes of the keys the dialog takes before its controls do.
inline constexpr int kVkReturn = 13;
inline constexpr int kVkEscape = 27;

// An item of the dialog's context menu.
struct MenuItem {
    int command;  // IDM_...
    std::string text;
    // Its shortcut as menus write it and Qt reads it ("Ctrl+Shift+C"); empty: none.
    std::string shortcut;
    bool enabled = true;
    bool separatorBefore = false;
};

class CBarcodeDlg : public JobHost {
  public:
    // What started a run of the Create command.
    enum class Occasion { kButton, kPaint, kSpin };

    // Touches no control: the window calls OnInitDialog() once its controls exist.
    CBarcodeDlg(Controls& controls, WindowServices& window, MainWindowServices& main);
    ~CBarcodeDlg() override;
    CBarcodeDlg(const CBarcodeDlg&) = delete;
    CBarcodeDlg& operator=(const CBarcodeDlg&) = delete;

    // --- What the window tells the dialog ---
    void OnInitDialog();
    // A push button, radio button or check box clicked (a check box already shows its new state).
    void OnClicked(int id);
    // A pick in a combo's list; the edit field may not show it yet.
    void OnSelChange(int id);
    // Typing in the edit field of the code or reference-number combo.
    void OnEditChange(int id);
    // A spin button about to step from pos by delta; the spin steps and wraps afterwards,
    // whatever the handler did.
    void OnDeltaPos(int id, int pos, int delta);
    // The dialog was shown, exposed, restored or invalidated: one run of the Create command once
    // the current message is handled, however many paints come before then.
    void OnPaint();
    // A system command; true when the dialog handled it, false for the default processing.
    bool OnSysCommand(int command);
    // A key pressed anywhere in the dialog; true when it goes no further.
    bool PreTranslateKey(int virtualKey);
    // F1: answered, and nothing else happens.
    bool OnHelpInfo() { return true; }
    // Whether the edit field of the code or reference-number combo may hold text: no longer
    // than its member can keep with what a run appends. A refused edit beeps.
    bool AcceptsEdit(int id, std::string_view text);
    // The context menu's copy: the exported barcode to the clipboard again.
    void OnCopy();
    // A command of the context menu or of its shortcuts; a disabled one does nothing.
    void OnMenuCommand(int command);
    // What the context menu's label-sheet dialog starts from: the current settings, the code
    // list, and the code and reference number as they stand in their combos.
    LabelSheetSource LabelSheetSourceNow();

    // --- The context menu, as each front end builds it ---
    // Save, copy and print, enabled while the preview shows an exported barcode; the label
    // sheets; below a separator the about item, where the script has its text.
    std::vector<MenuItem> ContextMenu() const;
    // The command whose shortcut is this key (a capital letter's code) with Ctrl, and Shift as
    // given; 0 for none.
    static int ShortcutCommand(int key, bool shift);

    // --- What the window and tests read ---
    BarcodeJob& Job() { return m_job; }
    const BarCanvas& Canvas() const { return m_job.m_canvas; }
    // The barcode the preview shows as exported, or nullptr while it shows none.
    const ExportImage* Exported() const { return m_hasExport ? &m_job.m_export : nullptr; }
    // The width of one module of that barcode in pixels.
    int ExportModulePixels() const { return m_exportModulePixels; }
    // What that barcode was drawn to mean, as its verdict judges it.
    const verify::Meant& ExportMeant() const { return m_verifyMeant; }
    int CreateRuns() const { return m_createRuns; }
    // Actions of the user the handlers took so far (clicks, keystrokes, picks, spin steps).
    int UserActions() const { return m_userActions; }
    // Verdicts that came back so far, shown or dropped as outdated.
    int VerdictsArrived() const { return m_verdictsArrived; }
    // A paint-started run is waiting for its turn: the dialog is not settled yet.
    bool CreateQueued() const { return m_createQueued || m_createPending; }

    // JobHost
    void ShowMessage(const std::string& text) override;
    void RefreshStatus(const std::string& status) override;
    std::string CodeComboText() override;
    std::string RefNoComboText() override;
    void RequestRepaint() override;
    void ExportToClipboard(const ExportImage& image) override;

  private:
    void ReadCodeList(const char* fileName, const char* failMessage, int combo,
                      std::size_t lineLimit, std::size_t memberLimit, char* member,
                      std::size_t memberSize);
    // The items of a list file as the combos show them, or nothing when it cannot be opened.
    std::optional<std::vector<std::string>> ListFileItems(const char* fileName,
                                                          std::size_t lineLimit,
                                                          std::size_t memberLimit);
    // The reference field as the postal form wants it: its label and place, and, when the
    // form changed between digits and an address, the list and text of the form's member.
    void ShowReferenceField(int formBefore);
    void FillOptionCombos();
    void UpdateControlStates();
    void RunCreate(Occasion occasion);
    // After every run: the drawing is read back off the UI thread; the verdict of the newest
    // drawing is shown beside it, none when nothing was drawn.
    void VerifyDrawing(bool exported);
    void TakeVerdict();
    void SetHasExport(bool exported);
    void Describe();
    void SetStatus(const std::string& text);
    // The exported barcode to a file the user picks, in the format its name's extension names.
    void SaveExported();
    void ShowMessageIfAny(const std::string& text);
    // A user action changed something: messages of paint-started runs may show again.
    void NoteUserChange();

    void OnSelectType(int symbology);
    void OnCheckDigit(int symbology);
    void OnPattern(int symbology);
    void OnForm(int symbology);
    void OnStartStop(int id);
    void OnTextBox(int id);
    void OnLineUnit();
    void OnComboText(int id, const std::string& text);

    Controls& m_controls;
    WindowServices& m_window;
    MainWindowServices& m_main;
    BarcodeJob m_job{*this};
    std::string m_aboutText;  // the about item's, from the script

    // While the program runs, a save starts where the last one went, in its kind of file.
    std::string m_saveFolder;
    std::string m_saveExtension = "png";

    // The reference list as read at start: the digits form's, shown again when it comes back.
    std::vector<std::string> m_refNoItems;
    bool m_addressStarted = false;  // m_szAddress took the address list's first item

    bool m_hasExport = false;
    int m_exportModulePixels = 1;

    int m_createRuns = 0;
    int m_userActions = 0;
    bool m_inCreate = false;
    bool m_createQueued = false;
    bool m_createPending = false;  // asked for while a run was going on
    Occasion m_occasion = Occasion::kButton;
    // Messages shown since the last user action. A paint-started run does not show one of
    // them again: the box itself uncovers the dialog, which would start the same run and the
    // same box without end.
    std::set<std::string> m_shownSinceChange;

    // What screen readers hear of the preview: the status of the run that drew it, and the
    // verdict once it is in.
    std::string m_drawnText;
    std::string m_verdictText;
    std::string m_description;

    // The drawing whose verdict is shown or on its way (when m_verdictForDrawing), and the
    // number of the newest request: a verdict that arrives for an older one is dropped.
    bool m_verdictForDrawing = false;
    ExportImage m_verifyImage;
    verify::Meant m_verifyMeant;
    std::uint64_t m_verifyGeneration = 0;
    int m_verdictsArrived = 0;
    CVerifier m_verifier;  // last: it stops before anything it reports to goes
};

}  // namespace diduzozoz
