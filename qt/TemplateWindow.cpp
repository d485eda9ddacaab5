#include "qt/TemplateWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProgressBar>
#include <QStandardPaths>

#include "base/Strings.h"
#include "dialog/resource.h"
#include "qt/ComboBox.h"
#include "qt/DialogTemplate.h"
#include "qt/PreviewWidget.h"
#include "qt/SpinButton.h"

namespace diduzozoz {

std::unique_ptr<QMessageBox> MessageBoxFor(QWidget* parent, const QString& text) {
    auto box = std::make_unique<QMessageBox>(
        QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

CTemplateWindow::CTemplateWindow(DialogHooks hooks, QWidget* parent)
    : QDialog(parent), m_hooks(std::move(hooks)) {}

TemplateWidgets CTemplateWindow::Build(const DialogTemplate& tmpl, const BarCanvas& canvas,
                                       int previewId) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (tmpl.minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
    setWindowFlags(flags);
    TemplateWidgets widgets = BuildTemplate(*this, tmpl, &canvas);
    setWindowIcon(AppIcon());
    m_preview = Control<CPreview>(previewId);
    return widgets;
}

void CTemplateWindow::ConnectControls(const std::function<void(int)>& clicked,
                                      const std::function<void(int)>& picked,
                                      const std::function<void(int)>& edited) {
    auto idOf = [](const QObject* o, int& id) {
        bool ok = false;
        id = o->objectName().toInt(&ok);
        return ok;  // the arrows of the spin buttons and the combos' edit fields have none
    };
    int id = 0;
    for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
        if (idOf(button, id))
            connect(button, &QAbstractButton::clicked, this, [clicked, id] { clicked(id); });
    }
    for (CComboBox* combo : findChildren<CComboBox*>()) {
        if (idOf(combo, id)) connect(combo, &CComboBox::picked, this, [picked, id] { picked(id); });
    }
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        if (idOf(edit, id))
            connect(edit, &QLineEdit::textEdited, this, [edited, id] { edited(id); });
    }
}

QComboBox* CTemplateWindow::Combo(int id) const {
    auto* combo = Control<QComboBox>(id);
    Q_ASSERT(combo);
    return combo;
}

// --- Controls ----------------------------------------------------------------------------------

void CTemplateWindow::EnableControl(int id, bool enable) {
    if (QWidget* w = Control<QWidget>(id)) w->setEnabled(enable);
}

bool CTemplateWindow::IsChecked(int id) {
    auto* button = Control<QAbstractButton>(id);
    return button && button->isChecked();
}

void CTemplateWindow::SetChecked(int id, bool checked) {
    if (auto* button = Control<QAbstractButton>(id)) button->setChecked(checked);
}

std::string CTemplateWindow::Text(int id) {
    QWidget* w = Control<QWidget>(id);
    if (auto* combo = qobject_cast<QComboBox*>(w)) return Bytes(combo->currentText());
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return Bytes(edit->text());
    if (auto* label = qobject_cast<QLabel*>(w)) return Bytes(label->text());
    return {};
}

void CTemplateWindow::SetText(int id, const std::string& text) {
    QWidget* w = Control<QWidget>(id);
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->setEditText(FromUtf8(text));
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(FromUtf8(text));
        edit->setCursorPosition(0);  // a long status line shows its beginning
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(FromUtf8(text));
    }
}

void CTemplateWindow::ResetContent(int id) {
    Combo(id)->clear();
}

void CTemplateWindow::AddItem(int id, const std::string& text) {
    Combo(id)->addItem(FromUtf8(text));
}

int CTemplateWindow::ItemCount(int id) {
    return Combo(id)->count();
}

std::string CTemplateWindow::ItemText(int id, int index) {
    return Bytes(Combo(id)->itemText(index));
}

int CTemplateWindow::CurSel(int id) {
    return Combo(id)->currentIndex();
}

void CTemplateWindow::SetCurSel(int id, int index) {
    Combo(id)->setCurrentIndex(index);
}

void CTemplateWindow::SetRange(int id, int lower, int upper) {
    if (auto* spin = Control<CSpinButton>(id)) spin->SetRange(lower, upper);
    if (auto* bar = Control<QProgressBar>(id)) bar->setRange(lower, upper);
}

void CTemplateWindow::SetPos(int id, int pos) {
    if (auto* spin = Control<CSpinButton>(id)) spin->SetPos(pos);
    if (auto* bar = Control<QProgressBar>(id)) bar->setValue(pos);
}

void CTemplateWindow::PlaceControl(int id, int x, int y, int cx, int cy) {
    QWidget* w = Control<QWidget>(id);
    if (!w) return;
    QRect rect = DluMapper(font()).Rect(x, y, cx, cy);
    // As the template's: a combo's height is its own, not that of its list.
    if (qobject_cast<QComboBox*>(w)) rect.setHeight(w->height());
    w->setGeometry(rect);
}

// --- WindowServices ----------------------------------------------------------------------------

void CTemplateWindow::ShowMessageBox(const std::string& text) {
    // A held arrow must not repeat behind a box that took the mouse release.
    for (CSpinButton* spin : findChildren<CSpinButton*>()) spin->StopRepeat();
    if (m_hooks.showMessage) {
        m_hooks.showMessage(FromUtf8(text));
        return;
    }
    MessageBoxFor(this, FromUtf8(text))->exec();
}

void CTemplateWindow::Beep() {
    if (m_hooks.beep) {
        m_hooks.beep();
        return;
    }
    QApplication::beep();
}

void CTemplateWindow::EndDialog(int result) {
    done(result == IDOK ? QDialog::Accepted : QDialog::Rejected);
}

void CTemplateWindow::RepaintPreview() {
    if (m_preview) m_preview->update();
}

void CTemplateWindow::Post(std::function<void()> task) {
    // Queued behind the event being handled; dropped with the window.
    QMetaObject::invokeMethod(
        this, [task = std::move(task)] { task(); }, Qt::QueuedConnection);
}

bool CTemplateWindow::DispatchUntil(const std::function<bool()>& done) {
    // Whoever makes done() hold posts something, which wakes this loop to look again.
    QEventLoop loop;
    while (!done()) {
        if (QCoreApplication::closingDown()) return false;
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

bool CTemplateWindow::ChoosePrinter(QPrinter& printer) {
    if (m_hooks.choosePrinter) return m_hooks.choosePrinter(printer);
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

std::string CTemplateWindow::ChooseSaveFile(const SaveFileRequest& request) {
    QString folder = FromUtf8(request.folder);
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
    }
    const QString suggested = QDir(folder).filePath(FromUtf8(request.name));
    if (m_hooks.chooseSaveFile) return Bytes(m_hooks.chooseSaveFile(suggested));
    const QString filters = QString::fromUtf8(request.filters);
    QString filter = filters.split(QStringLiteral(";;")).value(request.filter);
    QFileDialog dialog(this, QString::fromUtf8(str::kSaveTitle), suggested, filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(suggested);
    dialog.selectNameFilter(filter);
    dialog.setDefaultSuffix(QString::fromUtf8(request.extension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return Bytes(dialog.selectedFiles().constFirst());
}

}  // namespace diduzozoz
