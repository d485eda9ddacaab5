// The main dialog: the controls of template 102, their handlers, the code list files, and
// the Qt side of the job's host (message boxes, status line, preview, clipboard).
#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>
#include <QThreadPool>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "job/BarcodeJob.h"
#include "verify/Verify.h"

class QAction;
class QComboBox;
class QLabel;
class QMessageBox;
class QLineEdit;
class QPrinter;

namespace diduzozoz {

class CPreview;
class CSpinButton;

// The dialog's ways out to the desktop; tests replace them to watch and dismiss.
struct DialogHooks {
    // Shows one modal message and returns when it is dismissed. Default: MessageBoxFor().exec().
    std::function<void(const QString& text)> showMessage;
    // The default system sound. Default: QApplication::beep().
    std::function<void()> beep;
    // Hands an exported image to other programs. Default: the system clipboard, which gets
    // ClipboardDataFor() the image.
    std::function<void(const QImage& image)> setClipboardImage;
    // Asks where to save, starting from the suggested path; the chosen path, or empty when the
    // user cancels. Default: the file dialog.
    std::function<QString(const QString& suggested)> chooseSaveFile;
    // Lets the user set up the printer; false when cancelled. Default: the print dialog.
    std::function<bool(QPrinter& printer)> choosePrinter;
};

// A message box as the program shows them: modal, no icon, one OK button, titled with the
// executable's name.
std::unique_ptr<QMessageBox> MessageBoxFor(QWidget* parent, const QString& text);

// The application icon, 32 x 32 and 16 x 16.
QIcon AppIcon();

// The two-colour image handed to other programs: pure black on pure white, at 96 dpi.
QImage ToQImage(const ExportImage& image);

class CBarcodeDlg : public QDialog, public JobHost {
    Q_OBJECT

  public:
    // What started a run of the Create command.
    enum class Occasion { kButton, kPaint, kSpin };

    explicit CBarcodeDlg(DialogHooks hooks = {}, QWidget* parent = nullptr);
    ~CBarcodeDlg() override;

    BarcodeJob& Job() { return m_job; }
    // The control with this template id, e.g. Control<QComboBox>(1053).
    template <class T>
    T* Control(int id) const {
        return findChild<T*>(QString::number(id));
    }
    QAction* AboutAction() const { return m_aboutAction; }
    void OpenAboutBox();
    // The context menu's save, copy and print items; enabled while the preview shows an
    // exported barcode.
    QAction* SaveAction() const { return m_saveAction; }
    QAction* CopyAction() const { return m_copyAction; }
    QAction* PrintAction() const { return m_printAction; }
    // Runs of the Create command so far, by any occasion.
    int CreateRuns() const { return m_createRuns; }
    // User actions the handlers took so far (clicks, keystrokes, picks, spin steps, "作成",
    // and the same made through the accessibility interfaces).
    int UserActions() const { return m_userActions; }
    // Verdicts that came back from verification so far, shown or dropped as outdated.
    int VerdictsArrived() const { return m_verdictsArrived; }
    // A paint-started run is waiting for its turn: the dialog is not settled yet.
    bool CreateQueued() const { return m_createQueued || m_createPending; }

    // A paint-like occasion (shown, exposed, restored): runs the Create command once the
    // current event is done; repeats before then are one run.
    void QueuePaintCreate();

    // JobHost
    void ShowMessage(const std::string& text) override;
    void RefreshStatus(const std::string& status) override;
    std::string CodeComboText() override;
    std::string RefNoComboText() override;
    void RequestRepaint() override;
    void ExportToClipboard(const ExportImage& image) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void BuildControls();
    void NameControls(const std::vector<std::pair<QLabel*, int>>& buddies);
    void OnInitDialog();
    void ReadCodeList(const char* fileName, const char* failMessage, QComboBox* combo,
                      std::size_t lineLimit, std::size_t memberLimit, char* member,
                      std::size_t memberSize);
    void FillOptionCombos();
    void UpdateControlStates();
    void RunCreate(Occasion occasion);
    // After every run: the drawing is read back off the GUI thread, once the clipboard holds
    // it; the verdict of the newest drawing is shown beside it, none when nothing was drawn.
    void VerifyDrawing(bool exported);
    // On the GUI thread: the verdict last put in the mailbox, if it is for the newest drawing.
    void TakeVerdict();
    void ShowMessageBox(const QString& text);
    void Beep();
    void SetStatus(const std::string& text);
    // A user action changed something: messages of paint-started runs may show again.
    void NoteUserChange();

    // Handlers
    void OnSelectType(int symbology);
    void OnCheckDigit(int symbology);
    void OnPattern(int symbology, int index);
    void OnStartStop(int id, int index);
    void OnTextBelow();
    void OnTextAbove();
    void OnLineUnit(int index);
    void OnSpinDelta(int id, int pos, int delta);
    void OnCodeEdited(const QString& text);
    void OnCodeSelected(int index);
    void OnRefNoEdited(const QString& text);
    void OnRefNoSelected(int index);
    // The exported image to the clipboard hook or the system clipboard.
    void OfferToClipboard(const ExportImage& image);
    void OnSave();
    void OnCopy();
    void OnPrint();
    void SetHasExport(bool exported);

    DialogHooks m_hooks;
    BarcodeJob m_job{*this};
    CPreview* m_preview = nullptr;
    QLineEdit* m_status = nullptr;
    QAction* m_aboutAction = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_copyAction = nullptr;
    QAction* m_printAction = nullptr;
    // What the last run exported is in m_job.m_export; the width of its modules in pixels.
    bool m_hasExport = false;
    int m_exportModulePixels = 1;
    // Remembered while the program runs: where the last file went, and the printer set up.
    QString m_saveFolder;
    QString m_saveSuffix = QStringLiteral("png");
    std::unique_ptr<QPrinter> m_printer;

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

    // The drawing whose verdict is shown or on its way (when m_verdictForDrawing), and the
    // number of the newest request: a verdict that arrives for an older one is dropped.
    bool m_verdictForDrawing = false;
    ExportImage m_verifyImage;
    verify::Meant m_verifyMeant;
    quint64 m_verifyGeneration = 0;
    int m_verdictsArrived = 0;
    // Where the verification thread leaves its verdicts: the latest one only, and at most one
    // call to take it waiting in the GUI thread's queue, however many drawings go by.
    struct Mailbox {
        std::mutex mutex;
        quint64 generation = 0;
        std::string text;
        verify::Outcome outcome = verify::Outcome::kUnchecked;
        int arrived = 0;
        bool posted = false;
    } m_mailbox;
    QThreadPool m_verifyPool;  // one thread; waits for its work before the dialog goes
};

}  // namespace diduzozoz
