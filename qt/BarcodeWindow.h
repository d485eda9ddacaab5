// The main dialog's Qt window: the controls of template 102 built from the resource script,
// what Qt tells about them handed to the dialog's logic (CBarcodeDlg), and what the logic asks
// of its window done with Qt: message boxes, the preview, the clipboard, the context menu
// with save, copy and print.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

#include "dialog/BarcodeDlg.h"
#include "dialog/Controls.h"
#include "qt/ComboControls.h"
#include "qt/ImageOutput.h"

class QAction;
class QLineEdit;
class QMessageBox;

namespace diduzozoz {

class CPreview;

// The window's ways out to the desktop; tests replace them to watch and dismiss.
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

class CBarcodeWindow : public QDialog, public ComboControls {
    Q_OBJECT

  public:
    explicit CBarcodeWindow(DialogHooks hooks = {}, QWidget* parent = nullptr);
    ~CBarcodeWindow() override;

    CBarcodeDlg& Dialog() { return m_dlg; }
    BarcodeJob& Job() { return m_dlg.Job(); }
    // The control with this template id, e.g. Control<QComboBox>(IDC_CODE).
    template <class T>
    T* Control(int id) const {
        return findChild<T*>(QString::number(id));
    }
    // The context menu's about item (X11 has no system menu to extend), and its save, copy and
    // print items, enabled while the preview shows an exported barcode.
    QAction* AboutAction() const { return m_aboutAction; }
    QAction* SaveAction() const { return m_saveAction; }
    QAction* CopyAction() const { return m_copyAction; }
    QAction* PrintAction() const { return m_printAction; }
    // The context menu's label-sheet item: the label dialog with the current settings, code
    // and code list.
    QAction* LabelSheetAction() const { return m_labelAction; }

    // Controls
    void EnableControl(int id, bool enable) override;
    bool IsChecked(int id) override;
    void SetChecked(int id, bool checked) override;
    std::string Text(int id) override;
    void SetText(int id, const std::string& text) override;
    void SetRange(int id, int lower, int upper) override;
    void SetPos(int id, int pos) override;
    void PlaceControl(int id, int x, int y, int cx, int cy) override;
    std::optional<std::string> ReadListFile(const char* name) override;
    std::string ResourceString(int id) override;
    void AppendSystemMenuItem(int command, const std::string& text) override;
    void ShowMessageBox(const std::string& text) override;
    void Beep() override;
    bool IsMinimised() override { return isMinimized(); }
    void RunAboutBox() override;
    void EndDialog(int result) override;
    void RepaintPreview() override;
    void DescribePreview(const std::string& text) override;
    void ShowVerdict(const std::string& text, VerdictTone tone, int w, int h) override;
    void SetClipboardImage(const ExportImage& image) override;
    void EnableExportCommands(bool enable) override;
    void Post(std::function<void()> task) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    QComboBox* Combo(int id) const override { return Control<QComboBox>(id); }
    void ConnectControls();
    QWidget* Widget(int id) const;
    void ShowBox(const QString& text);
    void RunLabelSheet();

    DialogHooks m_hooks;
    CPreview* m_preview = nullptr;
    QLineEdit* m_status = nullptr;
    QAction* m_aboutAction = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_copyAction = nullptr;
    QAction* m_printAction = nullptr;
    QAction* m_labelAction = nullptr;
    CImageCommands m_commands;
    CBarcodeDlg m_dlg{*this};  // last: it waits for its verification before the rest goes
};

}  // namespace diduzozoz
