// A window built from a template of the resource script, as the dialog's logic drives it: its
// controls by id and the services every window offers, done with Qt. The main dialog and the
// label-sheet dialog are both one, so each contract has one Qt implementation.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "dialog/Controls.h"
#include "qt/DialogTemplate.h"

class QComboBox;
class QImage;
class QMessageBox;
class QPrinter;

namespace diduzozoz {

class BarCanvas;
class CPreview;

// Text between the logic (UTF-8) and Qt.
inline QString FromUtf8(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline std::string Bytes(const QString& text) {
    return text.toUtf8().toStdString();
}

// The windows' ways out to the desktop; tests replace them to watch and dismiss.
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

class CTemplateWindow : public QDialog, public Controls, public WindowServices {
    Q_OBJECT

  public:
    CTemplateWindow(DialogHooks hooks, QWidget* parent);

    // The control with this template id, e.g. Control<QComboBox>(IDC_CODE).
    template <class T>
    T* Control(int id) const {
        return findChild<T*>(QString::number(id));
    }

    // Controls
    void EnableControl(int id, bool enable) override;
    bool IsChecked(int id) override;
    void SetChecked(int id, bool checked) override;
    std::string Text(int id) override;
    void SetText(int id, const std::string& text) override;
    void ResetContent(int id) override;
    void AddItem(int id, const std::string& text) override;
    int ItemCount(int id) override;
    std::string ItemText(int id, int index) override;
    int CurSel(int id) override;
    void SetCurSel(int id, int index) override;
    void SetRange(int id, int lower, int upper) override;
    void SetPos(int id, int pos) override;
    void PlaceControl(int id, int x, int y, int cx, int cy) override;

    // WindowServices
    void ShowMessageBox(const std::string& text) override;
    void Beep() override;
    void EndDialog(int result) override;
    void RepaintPreview() override;
    void Post(std::function<void()> task) override;
    bool DispatchUntil(const std::function<bool()>& done) override;
    std::string ChooseSaveFile(const SaveFileRequest& request) override;

  protected:
    // The window from its template: a dialog's frame (with a minimise button where the
    // template has one), the controls, the icon; the frame with previewId shows canvas.
    TemplateWidgets Build(const DialogTemplate& tmpl, const BarCanvas& canvas, int previewId);
    // The print dialog for printer (the hook in its place where there is one); false when
    // cancelled.
    bool ChoosePrinter(QPrinter& printer);
    // Each push button, check box and radio button's clicks, each combo's picks and each
    // edit's typing, reported by id.
    void ConnectControls(const std::function<void(int)>& clicked,
                         const std::function<void(int)>& picked,
                         const std::function<void(int)>& edited);

    DialogHooks m_hooks;
    CPreview* m_preview = nullptr;  // the template's frame, once it is built

  private:
    QComboBox* Combo(int id) const;
};

}  // namespace diduzozoz
