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
#include <QPrinter>
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

CBarcodeWindow::CBarcodeWindow(DialogHooks hooks, QWidget* parent)
    : CTemplateWindow(std::move(hooks), parent) {
    InstallAccessibleInterfaces();
    const TemplateWidgets widgets = Build(MainDialogTemplate(), m_dlg.Canvas(), IDC_PREVIEW);
    m_status = Control<QLineEdit>(IDC_STATUS);
    ConnectControls([this](int id) { m_dlg.OnClicked(id); },
                    [this](int id) { m_dlg.OnSelChange(id); }, [](int) {});
    ConnectEdits();
    NameControls(*this, widgets.labels);
    m_status->setAccessibleName(QString::fromUtf8(str::kAccStatus));

    m_dlg.OnInitDialog();
    // The context menu's items as the logic lists them; their shortcuts work without the menu.
    for (const MenuItem& item : m_dlg.ContextMenu()) {
        auto* a = new QAction(FromUtf8(item.text), this);
        a->setShortcut(QKeySequence(FromUtf8(item.shortcut), QKeySequence::PortableText));
        a->setEnabled(item.enabled);
        const int command = item.command;
        connect(a, &QAction::triggered, this, [this, command] { m_dlg.OnMenuCommand(command); });
        addAction(a);
        m_actions[command] = a;
    }
    // Enter, Escape and F1 are taken before any control sees them.
    qApp->installEventFilter(this);
}

CBarcodeWindow::~CBarcodeWindow() {
    // The controls go while the logic they report to is still there: an edit field that
    // goes asks its validator once more.
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

void CBarcodeWindow::ConnectEdits() {
    for (CComboBox* combo : findChildren<CComboBox*>()) {
        if (!combo->isEditable()) continue;
        const int id = combo->objectName().toInt();
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

QAction* CBarcodeWindow::Action(int command) const {
    const auto it = m_actions.find(command);
    return it == m_actions.end() ? nullptr : it->second;
}

// --- MainWindowServices ------------------------------------------------------------------------

std::optional<std::string> CBarcodeWindow::ReadListFile(const char* name) {
    return diduzozoz::ReadListFile(name);
}

std::string CBarcodeWindow::ResourceString(int id) {
    const char* text = ResourceText(id);
    return text ? text : "";
}

void CBarcodeWindow::RunLabelSheet(const LabelSheetSource& source) {
    CLabelSheetWindow labels(source, m_hooks, this);
    labels.exec();
}

void CBarcodeWindow::RunAboutBox() {
    CAboutDlg about(this);
    about.exec();
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

void CBarcodeWindow::EnableExportCommands(bool) {
    for (const MenuItem& item : m_dlg.ContextMenu()) {
        if (QAction* a = Action(item.command)) a->setEnabled(item.enabled);
    }
}

std::string CBarcodeWindow::PrintImage(const ExportImage& image, int modulePixels,
                                       const verify::Meant& meant) {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!ChoosePrinter(*m_printer)) return {};
    return Bytes(diduzozoz::PrintImage(image, modulePixels, meant, *m_printer));
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
    for (const MenuItem& item : m_dlg.ContextMenu()) {
        if (item.separatorBefore) menu.addSeparator();
        menu.addAction(Action(item.command));
    }
    menu.exec(event->globalPos());
}

}  // namespace diduzozoz
