#include "qt/BarcodeWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QValidator>
#include <QWindow>
#include <QWindowStateChangeEvent>

#include "base/Strings.h"
#include "platform/ListFile.h"
#include "qt/AboutDlg.h"
#include "qt/Accessible.h"
#include "qt/ComboBox.h"
#include "qt/DialogTemplate.h"
#include "qt/ImageOutput.h"
#include "qt/LabelSheetWindow.h"
#include "qt/PreviewWidget.h"
#include "qt/SpinButton.h"

namespace diduzozoz {

namespace {

// Refuses an edit that the dialog's logic refuses (it beeps). Whole edits are refused, so no
// character is ever cut in half.
class CEditValidator : public QValidator {
  public:
    CEditValidator(std::function<bool(const std::string&)> accepts, QObject* parent)
        : QValidator(parent), m_accepts(std::move(accepts)) {}

    State validate(QString& input, int& /*pos*/) const override {
        return m_accepts(Bytes(input)) ? Acceptable : Invalid;
    }

  private:
    std::function<bool(const std::string&)> m_accepts;
};

}  // namespace

std::unique_ptr<QMessageBox> MessageBoxFor(QWidget* parent, const QString& text) {
    auto box = std::make_unique<QMessageBox>(
        QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

CBarcodeWindow::CBarcodeWindow(DialogHooks hooks, QWidget* parent)
    : QDialog(parent), m_hooks(std::move(hooks)) {
    const DialogTemplate& tmpl = MainDialogTemplate();
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (tmpl.minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
    setWindowFlags(flags);
    InstallAccessibleInterfaces();
    const TemplateWidgets widgets = BuildTemplate(*this, tmpl, &m_dlg.Canvas());
    m_preview = Control<CPreview>(IDC_PREVIEW);
    m_status = Control<QLineEdit>(IDC_STATUS);
    ConnectControls();
    NameControls(*this, widgets.labels);
    m_status->setAccessibleName(QString::fromUtf8(str::kAccStatus));
    m_commands.chooseSaveFile = m_hooks.chooseSaveFile;
    m_commands.choosePrinter = m_hooks.choosePrinter;

    // Ctrl+C stays the edit fields' text copy; the barcode is copied with Ctrl+Shift+C.
    auto action = [this](const char* text, QKeySequence keys, std::function<void()> handler) {
        auto* a = new QAction(QString::fromUtf8(text), this);
        a->setShortcut(keys);
        a->setEnabled(false);
        connect(a, &QAction::triggered, this, std::move(handler));
        addAction(a);  // the shortcut works without the menu
        return a;
    };
    m_saveAction = action(str::kMenuSave, QKeySequence(Qt::CTRL | Qt::Key_S), [this] {
        if (const ExportImage* image = m_dlg.Exported()) ShowBox(m_commands.Save(this, *image));
    });
    m_copyAction = action(str::kMenuCopy, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                          [this] { m_dlg.OnCopy(); });
    m_printAction = action(str::kMenuPrint, QKeySequence(Qt::CTRL | Qt::Key_P), [this] {
        if (const ExportImage* image = m_dlg.Exported()) {
            ShowBox(
                m_commands.Print(this, *image, m_dlg.ExportModulePixels(), m_dlg.ExportMeant()));
        }
    });
    m_labelAction = new QAction(QString::fromUtf8(str::kLabelMenu), this);
    connect(m_labelAction, &QAction::triggered, this, [this] { RunLabelSheet(); });
    setWindowIcon(AppIcon());

    m_dlg.OnInitDialog();
    // Enter, Escape and F1 are taken before any control sees them.
    qApp->installEventFilter(this);
}

CBarcodeWindow::~CBarcodeWindow() {
    // The controls go while the logic they report to is still there: an edit field that
    // goes asks its validator once more.
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

// --- The window from the template ---------------------------------------------------------------

void CBarcodeWindow::ConnectControls() {
    for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
        bool ok = false;
        const int id = button->objectName().toInt(&ok);
        if (!ok) continue;  // the arrows of the spin buttons
        connect(button, &QAbstractButton::clicked, this, [this, id] { m_dlg.OnClicked(id); });
    }
    for (CComboBox* combo : findChildren<CComboBox*>()) {
        const int id = combo->objectName().toInt();
        connect(combo, &CComboBox::picked, this, [this, id] { m_dlg.OnSelChange(id); });
        if (!combo->isEditable()) continue;
        combo->setValidator(new CEditValidator(
            [this, id](const std::string& text) { return m_dlg.AcceptsEdit(id, text); }, combo));
        connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                [this, id] { m_dlg.OnEditChange(id); });
    }
    for (CSpinButton* spin : findChildren<CSpinButton*>()) {
        const int id = spin->objectName().toInt();
        spin->onDeltaPos = [this, id](int pos, int delta) { m_dlg.OnDeltaPos(id, pos, delta); };
    }
}

QWidget* CBarcodeWindow::Widget(int id) const {
    QWidget* w = Control<QWidget>(id);
    Q_ASSERT(w);
    return w;
}

// --- Controls ----------------------------------------------------------------------------------

void CBarcodeWindow::EnableControl(int id, bool enable) {
    Widget(id)->setEnabled(enable);
}

bool CBarcodeWindow::IsChecked(int id) {
    auto* button = qobject_cast<QAbstractButton*>(Widget(id));
    return button && button->isChecked();
}

void CBarcodeWindow::SetChecked(int id, bool checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(Widget(id))) button->setChecked(checked);
}

std::string CBarcodeWindow::Text(int id) {
    QWidget* w = Widget(id);
    if (auto* combo = qobject_cast<QComboBox*>(w)) return Bytes(combo->currentText());
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return Bytes(edit->text());
    return {};
}

void CBarcodeWindow::SetText(int id, const std::string& text) {
    QWidget* w = Widget(id);
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->setEditText(FromUtf8(text));
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(FromUtf8(text));
        edit->setCursorPosition(0);  // a long status line shows its beginning
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(FromUtf8(text));
    }
}

void CBarcodeWindow::SetRange(int id, int lower, int upper) {
    Control<CSpinButton>(id)->SetRange(lower, upper);
}

void CBarcodeWindow::SetPos(int id, int pos) {
    Control<CSpinButton>(id)->SetPos(pos);
}

void CBarcodeWindow::PlaceControl(int id, int x, int y, int cx, int cy) {
    QWidget* w = Widget(id);
    QRect rect = DluMapper(font()).Rect(x, y, cx, cy);
    // As the template's: a combo's height is its own, not that of its list.
    if (qobject_cast<QComboBox*>(w)) rect.setHeight(w->height());
    w->setGeometry(rect);
}

std::optional<std::string> CBarcodeWindow::ReadListFile(const char* name) {
    return diduzozoz::ReadListFile(name);
}

std::string CBarcodeWindow::ResourceString(int id) {
    const char* text = ResourceText(id);
    return text ? text : "";
}

void CBarcodeWindow::AppendSystemMenuItem(int command, const std::string& text) {
    // The window manager's system menu cannot be extended on X11 and Wayland; the item lives
    // in the dialog's context menu, below a separator.
    m_aboutAction = new QAction(FromUtf8(text), this);
    connect(m_aboutAction, &QAction::triggered, this,
            [this, command] { m_dlg.OnSysCommand(command); });
}

void CBarcodeWindow::ShowMessageBox(const std::string& text) {
    ShowBox(FromUtf8(text));
}

void CBarcodeWindow::ShowBox(const QString& text) {
    if (text.isEmpty()) return;
    // A held arrow must not repeat behind a box that took the mouse release.
    for (CSpinButton* spin : findChildren<CSpinButton*>()) spin->StopRepeat();
    if (m_hooks.showMessage) {
        m_hooks.showMessage(text);
        return;
    }
    MessageBoxFor(this, text)->exec();
}

void CBarcodeWindow::RunLabelSheet() {
    LabelSheetSource source = m_dlg.LabelSheetSourceNow();
    CLabelSheetWindow labels(std::move(source), m_hooks, this);
    labels.exec();
}

void CBarcodeWindow::Beep() {
    if (m_hooks.beep) {
        m_hooks.beep();
        return;
    }
    QApplication::beep();
}

void CBarcodeWindow::RunAboutBox() {
    CAboutDlg about(this);
    about.exec();
}

void CBarcodeWindow::EndDialog(int result) {
    done(result == IDOK ? QDialog::Accepted : QDialog::Rejected);
}

void CBarcodeWindow::RepaintPreview() {
    m_preview->update();
}

void CBarcodeWindow::DescribePreview(const std::string& text) {
    m_preview->setAccessibleDescription(FromUtf8(text));
}

void CBarcodeWindow::ShowVerdict(const std::string& text, VerdictTone tone, int w, int h) {
    m_preview->SetVerdict(FromUtf8(text), tone, w, h);
}

void CBarcodeWindow::SetClipboardImage(const ExportImage& image) {
    // No memory for the bitmap: the drawing stays, the clipboard too.
    if (m_hooks.setClipboardImage) {
        const QImage picture = ToQImage(image);
        if (!picture.isNull()) m_hooks.setClipboardImage(picture);
        return;
    }
    std::unique_ptr<QMimeData> data = ClipboardDataFor(image);
    if (!data) return;
    // Never waits for another program: on X11 and Wayland the data is offered, not pushed.
    QGuiApplication::clipboard()->setMimeData(data.release());
}

void CBarcodeWindow::EnableExportCommands(bool enable) {
    for (QAction* a : {m_saveAction, m_copyAction, m_printAction}) a->setEnabled(enable);
}

void CBarcodeWindow::Post(std::function<void()> task) {
    // Queued behind the event being handled; dropped with the window.
    QMetaObject::invokeMethod(
        this, [task = std::move(task)] { task(); }, Qt::QueuedConnection);
}

// --- Qt's events -------------------------------------------------------------------------------

void CBarcodeWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QWindow* window = windowHandle()) {
        window->removeEventFilter(this);
        window->installEventFilter(this);
    }
    m_dlg.OnPaint();
}

void CBarcodeWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if ((change->oldState() & Qt::WindowMinimized) && !isMinimized()) m_dlg.OnPaint();
    }
}

bool CBarcodeWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == windowHandle()) {
        if (windowHandle()->isExposed()) m_dlg.OnPaint();
        return false;
    }
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                return m_dlg.PreTranslateKey(kVkReturn);
            case Qt::Key_Escape:
                return m_dlg.PreTranslateKey(kVkEscape);
            case Qt::Key_F1:
                return m_dlg.OnHelpInfo();
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CBarcodeWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(m_saveAction);
    menu.addAction(m_copyAction);
    menu.addAction(m_printAction);
    menu.addAction(m_labelAction);
    if (m_aboutAction) {
        menu.addSeparator();
        menu.addAction(m_aboutAction);
    }
    menu.exec(event->globalPos());
}

}  // namespace diduzozoz
