#include "qt/BarcodeWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QValidator>
#include <QWindow>
#include <QWindowStateChangeEvent>
#include <algorithm>

#include "job/Strings.h"
#include "qt/AboutDlg.h"
#include "qt/Accessible.h"
#include "qt/ComboBox.h"
#include "qt/DialogTemplate.h"
#include "qt/ImageOutput.h"
#include "qt/PreviewWidget.h"
#include "qt/SpinButton.h"

namespace diduzozoz {

namespace {

QString FromUtf8(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string Bytes(const QString& text) {
    return text.toUtf8().toStdString();
}

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

// The controls of the code types, named after the type's radio button and then what names
// them of their own: a check box its text, a start or stop list its label, a pattern list the
// column it stands in.
enum class OwnName { kText, kLabel, kPatternColumn };
struct TypeControlName {
    int radio;
    int id;
    OwnName own;
};
constexpr TypeControlName kTypeControlNames[] = {
    {IDC_NW7, IDC_CD_NW7, OwnName::kText},
    {IDC_NW7, IDC_PAT_NW7, OwnName::kPatternColumn},
    {IDC_NW7, IDC_NW7_START, OwnName::kLabel},
    {IDC_NW7, IDC_NW7_STOP, OwnName::kLabel},
    {IDC_CODE39, IDC_CD_CODE39, OwnName::kText},
    {IDC_CODE39, IDC_PAT_CODE39, OwnName::kPatternColumn},
    {IDC_JAN, IDC_CD_JAN, OwnName::kText},
    {IDC_JAN, IDC_PAT_JAN, OwnName::kPatternColumn},
    {IDC_ITF, IDC_CD_ITF, OwnName::kText},
    {IDC_ITF, IDC_PAT_ITF, OwnName::kPatternColumn},
    {IDC_CODE128, IDC_CD_CODE128, OwnName::kText},
    {IDC_CODE128, IDC_PAT_CODE128, OwnName::kPatternColumn},
    {IDC_CODE128, IDC_CODE128_START, OwnName::kLabel},
    {IDC_POSTAL, IDC_CD_POSTAL, OwnName::kText},
    {IDC_POSTAL, IDC_PAT_POSTAL, OwnName::kPatternColumn},
};

}  // namespace

std::unique_ptr<QMessageBox> MessageBoxFor(QWidget* parent, const QString& text) {
    auto box = std::make_unique<QMessageBox>(
        QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

QIcon AppIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/diduzozoz-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/icons/diduzozoz-16.png"), QSize(16, 16));
    return icon;
}

QImage ToQImage(const ExportImage& image) {
    QImage out(image.width, image.height, QImage::Format_Mono);
    if (out.isNull()) return out;
    out.setColorTable(
        {qRgb(0xFF, 0xFF, 0xFF), qRgb(0, 0, 0)});  // index 1 is black, as in the export
    out.fill(0);
    // 96 dpi whatever the screen: the size programs give a pasted bitmap stays what it was.
    const int perMetre = (kDefaultDpi * 10000 + 127) / 254;
    out.setDotsPerMeterX(perMetre);
    out.setDotsPerMeterY(perMetre);
    for (int y = 0; y < image.height; ++y) {
        uchar* line = out.scanLine(y);
        const std::uint8_t* row = image.pixels.data() + static_cast<std::size_t>(y) * image.width;
        for (int x = 0; x < image.width; ++x) {
            if (row[x]) line[x >> 3] |= static_cast<uchar>(0x80 >> (x & 7));
        }
    }
    return out;
}

CBarcodeWindow::CBarcodeWindow(DialogHooks hooks, QWidget* parent)
    : QDialog(parent), m_hooks(std::move(hooks)) {
    const DialogTemplate& tmpl = MainDialogTemplate();
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (tmpl.minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
    setWindowFlags(flags);
    InstallAccessibleInterfaces();
    BuildControls();
    ConnectControls();
    NameControls();

    // Ctrl+C stays the edit fields' text copy; the barcode is copied with Ctrl+Shift+C.
    auto action = [this](const char* text, QKeySequence keys, std::function<void()> handler) {
        auto* a = new QAction(QString::fromUtf8(text), this);
        a->setShortcut(keys);
        a->setEnabled(false);
        connect(a, &QAction::triggered, this, std::move(handler));
        addAction(a);  // the shortcut works without the menu
        return a;
    };
    m_saveAction = action(str::kMenuSave, QKeySequence(Qt::CTRL | Qt::Key_S), [this] { OnSave(); });
    m_copyAction = action(str::kMenuCopy, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                          [this] { m_dlg.OnCopy(); });
    m_printAction =
        action(str::kMenuPrint, QKeySequence(Qt::CTRL | Qt::Key_P), [this] { OnPrint(); });
    setWindowIcon(AppIcon());

    m_dlg.OnInitDialog();
    // Enter, Escape and F1 are taken before any control sees them.
    qApp->installEventFilter(this);
}

CBarcodeWindow::~CBarcodeWindow() = default;

// --- The window from the template --------------------------------------------------------------

void CBarcodeWindow::BuildControls() {
    const DialogTemplate& tmpl = MainDialogTemplate();
    setFont(DialogFont());
    const DluMapper dlu(font());
    setWindowTitle(QString::fromUtf8(tmpl.title));

    auto* radios = new QButtonGroup(this);
    radios->setExclusive(true);
    QWidget* previous = nullptr;
    QLabel* pendingLabel = nullptr;  // a label names the input control that follows it
    for (const ControlTemplate& c : tmpl.controls) {
        QRect rect = dlu.Rect(c.x, c.y, c.cx, c.cy);
        QWidget* widget = nullptr;
        bool input = true;  // an input control without a text of its own, which a label names
        switch (c.kind) {
            case ControlKind::kGroupBox:
                widget = new QGroupBox(QString::fromUtf8(c.text), this);
                input = false;
                break;
            case ControlKind::kLabel:
            case ControlKind::kIcon: {
                auto* label = new QLabel(QString::fromUtf8(c.text), this);
                label->setTextFormat(Qt::PlainText);
                label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
                widget = label;
                input = false;
                break;
            }
            case ControlKind::kComboEdit:
            case ControlKind::kDropList: {
                auto* combo = new CComboBox(this);
                if (c.kind == ControlKind::kComboEdit) {
                    combo->setEditable(true);
                    combo->setInsertPolicy(QComboBox::NoInsert);
                    combo->setCompleter(nullptr);  // the text is what was typed, nothing more
                }
                // The template's height includes the drop-down list.
                rect.setHeight(combo->sizeHint().height());
                widget = combo;
                break;
            }
            case ControlKind::kPushButton:
            case ControlKind::kDefPushButton: {
                auto* button = new QPushButton(QString::fromUtf8(c.text), this);
                button->setAutoDefault(false);  // Enter presses no button here
                widget = button;
                input = false;
                break;
            }
            case ControlKind::kRadio: {
                auto* radio = new QRadioButton(QString::fromUtf8(c.text), this);
                radios->addButton(radio, c.id);
                widget = radio;
                input = false;
                break;
            }
            case ControlKind::kCheckBox:
                widget = new QCheckBox(QString::fromUtf8(c.text), this);
                input = false;
                break;
            case ControlKind::kEdit: {
                auto* edit = new QLineEdit(this);
                edit->setReadOnly(c.Has(ControlTemplate::kReadOnly));
                if (c.Has(ControlTemplate::kCentred)) edit->setAlignment(Qt::AlignCenter);
                if (c.id == IDC_STATUS) m_status = edit;
                widget = edit;
                break;
            }
            case ControlKind::kSpin: {
                auto* spin = new CSpinButton(this);
                // Sits at the right edge of its buddy, which gives up that much width.
                if (auto* buddy = qobject_cast<QLineEdit*>(previous)) {
                    QRect b = buddy->geometry();
                    b.setWidth(std::max(b.width() - rect.width(), 1));
                    buddy->setGeometry(b);
                    rect = QRect(b.right() + 1, b.top(), rect.width(), b.height());
                    spin->SetBuddy(buddy);
                }
                widget = spin;
                input = false;
                break;
            }
            case ControlKind::kFrame:
                m_preview = new CPreview(m_dlg.Canvas(), this);
                widget = m_preview;
                input = false;
                break;
        }
        if (c.kind == ControlKind::kRadio || c.kind == ControlKind::kCheckBox) {
            // Qt's indicators are wider than the template's; keep the whole text readable.
            rect.setWidth(std::max(rect.width(), widget->sizeHint().width()));
        }
        if (c.id != IDC_STATIC) widget->setObjectName(QString::number(c.id));
        widget->setGeometry(rect);
        if (pendingLabel && input && c.id != IDC_STATIC) m_labels.emplace_back(pendingLabel, c.id);
        pendingLabel = c.kind == ControlKind::kLabel ? static_cast<QLabel*>(widget) : nullptr;
        previous = widget;
    }
    setFixedSize(dlu.Size(tmpl.cx, tmpl.cy));
}

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

// What a screen reader says for each control; nothing of it is drawn.
void CBarcodeWindow::NameControls() {
    for (const auto& [label, id] : m_labels) label->setBuddy(Widget(id));
    for (CSpinButton* spin : findChildren<CSpinButton*>()) {
        for (const auto& [label, id] : m_labels) {
            if (Widget(id) == spin->Buddy()) spin->SetAccessibleLabel(label->text());
        }
    }
    // The controls of a code type say which type they belong to: six boxes are called "CD".
    for (const TypeControlName& t : kTypeControlNames) {
        QString own = QString::fromUtf8(str::kAccPatternColumn);
        if (t.own == OwnName::kText) own = Control<QAbstractButton>(t.id)->text();
        for (const auto& [label, id] : m_labels) {
            if (t.own == OwnName::kLabel && id == t.id) own = label->text();
        }
        const std::string type = Bytes(Control<QRadioButton>(t.radio)->text());
        Widget(t.id)->setAccessibleName(
            FromUtf8(FormatText(str::kAccTypeControl, type.c_str(), Bytes(own).c_str())));
    }
    m_status->setAccessibleName(QString::fromUtf8(str::kAccStatus));
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
    }
}

void CBarcodeWindow::ResetContent(int id) {
    Control<QComboBox>(id)->clear();
}

void CBarcodeWindow::AddItem(int id, const std::string& text) {
    Control<QComboBox>(id)->addItem(FromUtf8(text));
}

int CBarcodeWindow::ItemCount(int id) {
    return Control<QComboBox>(id)->count();
}

std::string CBarcodeWindow::ItemText(int id, int index) {
    return Bytes(Control<QComboBox>(id)->itemText(index));
}

int CBarcodeWindow::CurSel(int id) {
    return Control<QComboBox>(id)->currentIndex();
}

void CBarcodeWindow::SetCurSel(int id, int index) {
    Control<QComboBox>(id)->setCurrentIndex(index);
}

void CBarcodeWindow::SetRange(int id, int lower, int upper) {
    Control<CSpinButton>(id)->SetRange(lower, upper);
}

void CBarcodeWindow::SetPos(int id, int pos) {
    Control<CSpinButton>(id)->SetPos(pos);
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
    // A held arrow must not repeat behind a box that took the mouse release.
    for (CSpinButton* spin : findChildren<CSpinButton*>()) spin->StopRepeat();
    if (m_hooks.showMessage) {
        m_hooks.showMessage(text);
        return;
    }
    MessageBoxFor(this, text)->exec();
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
    if (m_aboutAction) {
        menu.addSeparator();
        menu.addAction(m_aboutAction);
    }
    menu.exec(event->globalPos());
}

// --- Save and print ----------------------------------------------------------------------------

void CBarcodeWindow::OnSave() {
    if (!m_dlg.Exported()) return;
    const ExportImage image = *m_dlg.Exported();  // a paint's run while the file dialog is open
    if (m_saveFolder.isEmpty()) {
        m_saveFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (m_saveFolder.isEmpty() || !QFileInfo(m_saveFolder).isDir()) {
            m_saveFolder = QDir::homePath();
        }
    }
    const QString suggested =
        QDir(m_saveFolder).filePath(QString::fromUtf8(str::kSaveDefaultName) + u'.' + m_saveSuffix);
    QString path;
    if (m_hooks.chooseSaveFile) {
        path = m_hooks.chooseSaveFile(suggested);
    } else {
        const QString filters = QString::fromUtf8(str::kSaveFilters);
        QString filter;
        for (const QString& f : filters.split(QStringLiteral(";;"))) {
            if (f.contains(QStringLiteral("*.") + m_saveSuffix)) filter = f;
        }
        path = QFileDialog::getSaveFileName(this, QString::fromUtf8(str::kSaveTitle), suggested,
                                            filters, &filter);
    }
    if (path.isEmpty()) return;
    const QFileInfo chosen(path);
    m_saveFolder = chosen.absolutePath();  // also after a failure: the user is there now
    const QString failure = SaveImageFile(image, path);
    if (!failure.isEmpty()) {
        ShowBox(failure);
        return;
    }
    m_saveSuffix = chosen.suffix().toLower();
}

void CBarcodeWindow::OnPrint() {
    if (!m_dlg.Exported()) return;
    const ExportImage image = *m_dlg.Exported();
    const int modulePixels = m_dlg.ExportModulePixels();
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    bool accepted = false;
    if (m_hooks.choosePrinter) {
        accepted = m_hooks.choosePrinter(*m_printer);
    } else {
        QPrintDialog dialog(m_printer.get(), this);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (!accepted) return;
    const QString failure = PrintImage(image, modulePixels, *m_printer);
    if (!failure.isEmpty()) ShowBox(failure);
}

}  // namespace diduzozoz
