#include "dialog/BarcodeDlg.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
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
#include <QTimer>
#include <QValidator>
#include <QWindow>
#include <QWindowStateChangeEvent>
#include <algorithm>

#include "dialog/AboutDlg.h"
#include "dialog/Accessible.h"
#include "dialog/ComboBox.h"
#include "dialog/DialogTemplate.h"
#include "dialog/ImageOutput.h"
#include "dialog/PreviewWidget.h"
#include "dialog/SpinButton.h"
#include "job/BoundedCopy.h"
#include "job/Strings.h"
#include "lists/CodeList.h"
#include "symbology/Postal.h"
#ifdef DIDUZOZOZ_HAVE_ZXING
#include "verify/ZxingReader.h"
#endif

namespace diduzozoz {

namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

std::string Bytes(const QString& text) {
    return text.toUtf8().toStdString();
}

// The controls each code type owns; the enabling rule treats them as one set.
struct TypeControls {
    int radio;
    int checkBox;
    int pattern;
    int extra[2];  // 0 where the type has fewer
};

constexpr TypeControls kTypeControls[kSymbologyCount] = {
    {0, 0, 0, {0, 0}},
    {idc::kNw7, idc::kCdNw7, idc::kPatNw7, {idc::kNw7Start, idc::kNw7Stop}},
    {idc::kCode39, idc::kCdCode39, idc::kPatCode39, {0, 0}},
    {idc::kJan, idc::kCdJan, idc::kPatJan, {0, 0}},
    {idc::kItf, idc::kCdItf, idc::kPatItf, {0, 0}},
    {idc::kCode128, idc::kCdCode128, idc::kPatCode128, {idc::kCode128Start, 0}},
    {idc::kPostal, idc::kCdPostal, idc::kPatPostal, {0, 0}},
};

// Refuses an edit that would make the text longer than the member behind it can hold, with
// the system sound. Whole edits are refused, so no character is ever cut in half.
class CByteLimitValidator : public QValidator {
  public:
    CByteLimitValidator(qsizetype limit, std::function<void()> beep, QObject* parent)
        : QValidator(parent), m_limit(limit), m_beep(std::move(beep)) {}

    State validate(QString& input, int& /*pos*/) const override {
        if (input.toUtf8().size() <= m_limit) return Acceptable;
        m_beep();
        return Invalid;
    }

  private:
    qsizetype m_limit;
    std::function<void()> m_beep;
};

struct SpinSpec {
    int id;
    int lower, upper, start;  // the control's range and start position
    int acceptLower, acceptUpper;
    int BarcodeSettings::*member;
    const char* refusal;
};

constexpr SpinSpec kSpins[] = {
    {idc::kSpinHeight, 20, 150, 40, 20, 150, &BarcodeSettings::m_nBarHeight, str::kHeightRange},
    {idc::kSpinMarginY, 0, 50, 20, 20, 50, &BarcodeSettings::m_nMarginY, str::kMarginYRange},
    {idc::kSpinMarginX, 0, 50, 10, 1, 50, &BarcodeSettings::m_nMarginX, str::kMarginXRange},
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

CBarcodeDlg::CBarcodeDlg(DialogHooks hooks, QWidget* parent)
    : QDialog(parent), m_hooks(std::move(hooks)) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    InstallAccessibleInterfaces();
    m_verifyPool.setMaxThreadCount(1);
    OnInitDialog();
    // Enter, Escape and F1 are taken before any control sees them.
    qApp->installEventFilter(this);
}

CBarcodeDlg::~CBarcodeDlg() {
    // No verification may outlive the dialog it reports to.
    m_verifyPool.clear();
    m_verifyPool.waitForDone();
}

// --- Building and initialising -----------------------------------------------------------------

void CBarcodeDlg::BuildControls() {
    const DialogTemplate& tmpl = MainDialogTemplate();
    setFont(DialogFont());
    const DluMapper dlu(font());
    setWindowTitle(Text(tmpl.title));

    auto* radios = new QButtonGroup(this);
    radios->setExclusive(true);
    QWidget* previous = nullptr;
    std::vector<std::pair<QLabel*, int>> buddies;
    for (const ControlTemplate& c : tmpl.controls) {
        QRect rect = dlu.Rect(c.x, c.y, c.cx, c.cy);
        QWidget* widget = nullptr;
        switch (c.kind) {
            case ControlKind::kGroupBox:
                widget = new QGroupBox(Text(c.text), this);
                break;
            case ControlKind::kLabel:
            case ControlKind::kIcon: {
                auto* label = new QLabel(Text(c.text), this);
                label->setTextFormat(Qt::PlainText);
                label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
                if (c.buddy != kNoId) buddies.emplace_back(label, c.buddy);
                widget = label;
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
                auto* button = new QPushButton(Text(c.text), this);
                button->setAutoDefault(false);  // Enter presses no button here
                widget = button;
                break;
            }
            case ControlKind::kRadio: {
                auto* radio = new QRadioButton(Text(c.text), this);
                radios->addButton(radio, c.id);
                widget = radio;
                break;
            }
            case ControlKind::kCheckBox:
                widget = new QCheckBox(Text(c.text), this);
                break;
            case ControlKind::kNumberEdit: {
                auto* edit = new QLineEdit(this);
                edit->setReadOnly(true);
                edit->setAlignment(Qt::AlignCenter);
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
                break;
            }
            case ControlKind::kPreview:
                m_preview = new CPreview(m_job.m_canvas, this);
                widget = m_preview;
                break;
            case ControlKind::kStatusEdit:
                m_status = new QLineEdit(this);
                m_status->setReadOnly(true);
                widget = m_status;
                break;
        }
        if (c.kind == ControlKind::kRadio || c.kind == ControlKind::kCheckBox) {
            // Qt's indicators are wider than the template's; keep the whole text readable.
            rect.setWidth(std::max(rect.width(), widget->sizeHint().width()));
        }
        if (c.id != kNoId) widget->setObjectName(QString::number(c.id));
        widget->setGeometry(rect);
        previous = widget;
    }
    setFixedSize(dlu.Size(tmpl.cx, tmpl.cy));
    NameControls(buddies);

    // Handlers.
    for (int n = kSymbologyNw7; n <= kSymbologyPostal; ++n) {
        const TypeControls& t = kTypeControls[n];
        connect(Control<QRadioButton>(t.radio), &QRadioButton::clicked, this,
                [this, n] { OnSelectType(n); });
        connect(Control<QCheckBox>(t.checkBox), &QCheckBox::clicked, this,
                [this, n] { OnCheckDigit(n); });
        connect(Control<CComboBox>(t.pattern), &CComboBox::picked, this,
                [this, n](int index) { OnPattern(n, index); });
    }
    for (int id : {idc::kNw7Start, idc::kNw7Stop, idc::kCode128Start}) {
        connect(Control<CComboBox>(id), &CComboBox::picked, this,
                [this, id](int index) { OnStartStop(id, index); });
    }
    connect(Control<QCheckBox>(idc::kTextBelow), &QCheckBox::clicked, this,
            [this] { OnTextBelow(); });
    connect(Control<QCheckBox>(idc::kTextAbove), &QCheckBox::clicked, this,
            [this] { OnTextAbove(); });
    connect(Control<CComboBox>(idc::kLineUnit), &CComboBox::picked, this,
            [this](int index) { OnLineUnit(index); });
    for (const SpinSpec& s : kSpins) {
        const int id = s.id;
        Control<CSpinButton>(id)->onDeltaPos = [this, id](int pos, int delta) {
            OnSpinDelta(id, pos, delta);
        };
    }
    connect(Control<QPushButton>(idc::kCreate), &QPushButton::clicked, this,
            [this] { RunCreate(Occasion::kButton); });
    connect(Control<QPushButton>(idc::kCancel), &QPushButton::clicked, this, [this] { reject(); });

    auto* code = Control<CComboBox>(idc::kCode);
    auto* refNo = Control<CComboBox>(idc::kRefNo);
    auto beep = [this] { Beep(); };
    code->setValidator(new CByteLimitValidator(kMaxCodeBytes, beep, code));
    refNo->setValidator(new CByteLimitValidator(kMaxRefNoBytes, beep, refNo));
    connect(code->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { OnCodeEdited(text); });
    connect(code, &CComboBox::picked, this, [this](int index) { OnCodeSelected(index); });
    connect(refNo->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { OnRefNoEdited(text); });
    connect(refNo, &CComboBox::picked, this, [this](int index) { OnRefNoSelected(index); });
}

// What a screen reader says for each control; nothing of it is drawn.
void CBarcodeDlg::NameControls(const std::vector<std::pair<QLabel*, int>>& buddies) {
    for (const auto& [label, id] : buddies) label->setBuddy(Control<QWidget>(id));
    for (CSpinButton* spin : findChildren<CSpinButton*>()) {
        for (const auto& [label, id] : buddies) {
            if (Control<QWidget>(id) == spin->Buddy()) spin->SetAccessibleLabel(label->text());
        }
    }
    // The controls of a code type say which type they belong to: six boxes are called "CD".
    auto name = [this](int id, int radio, const char* own) {
        const std::string type = Bytes(Control<QRadioButton>(radio)->text());
        Control<QWidget>(id)->setAccessibleName(
            Text(FormatText(str::kAccTypeControl, type.c_str(), own).c_str()));
    };
    for (int n = kSymbologyNw7; n <= kSymbologyPostal; ++n) {
        const TypeControls& t = kTypeControls[n];
        name(t.checkBox, t.radio, str::kCheckCd);
        name(t.pattern, t.radio, str::kLabelPattern);
    }
    name(idc::kNw7Start, idc::kNw7, str::kLabelStart);
    name(idc::kNw7Stop, idc::kNw7, str::kLabelStop);
    name(idc::kCode128Start, idc::kCode128, str::kLabelStart);
    m_status->setAccessibleName(Text(str::kAccStatus));
}

void CBarcodeDlg::OnInitDialog() {
    BuildControls();

    // The window manager's system menu cannot be extended on X11 and Wayland; the about item
    // lives in the dialog's context menu.
    m_aboutAction = new QAction(Text(str::kAboutMenuItem), this);
    connect(m_aboutAction, &QAction::triggered, this, [this] { OpenAboutBox(); });
    // Ctrl+C stays the edit fields' text copy; the barcode is copied with Ctrl+Shift+C.
    auto action = [this](const char* text, QKeySequence keys, void (CBarcodeDlg::*handler)()) {
        auto* a = new QAction(Text(text), this);
        a->setShortcut(keys);
        a->setEnabled(false);
        connect(a, &QAction::triggered, this, handler);
        addAction(a);  // the shortcut works without the menu
        return a;
    };
    m_saveAction = action(str::kMenuSave, QKeySequence(Qt::CTRL | Qt::Key_S), &CBarcodeDlg::OnSave);
    m_copyAction = action(str::kMenuCopy, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                          &CBarcodeDlg::OnCopy);
    m_printAction =
        action(str::kMenuPrint, QKeySequence(Qt::CTRL | Qt::Key_P), &CBarcodeDlg::OnPrint);

    setWindowIcon(AppIcon());

    BarcodeSettings& s = m_job;
    s.m_nSymbology = kSymbologyNone;
    s.m_nTextPosition = 0;
    s.m_nCdNW7 = s.m_nCdCode39 = s.m_nCdJan = s.m_nCdItf = s.m_nCdCode128 = s.m_nCdPostal = 0x01;
    s.m_nLineUnit = 1;
    s.m_nBarHeight = 40;
    s.m_nMarginY = 20;
    s.m_nMarginX = 10;
    CopyText(s.m_szCode, "");
    CopyText(s.m_szRefNo, "");
    CopyText(s.m_szNW7Start, "");
    CopyText(s.m_szNW7Stop, "");
    CopyText(s.m_szCode128Start, "");

    ReadCodeList(str::kCodeListFile, str::kCodeListOpenFailed, Control<QComboBox>(idc::kCode),
                 kCodeListLineLimit, kMaxCodeBytes, s.m_szCode, sizeof s.m_szCode);
    ReadCodeList(str::kRefNoListFile, str::kRefNoListOpenFailed, Control<QComboBox>(idc::kRefNo),
                 kRefNoListLineLimit, kMaxRefNoBytes, s.m_szRefNo, sizeof s.m_szRefNo);

    FillOptionCombos();

    for (const SpinSpec& spin : kSpins) {
        auto* control = Control<CSpinButton>(spin.id);
        control->SetRange(spin.lower, spin.upper);
        control->SetPos(spin.start);
    }

    UpdateControlStates();
}

void CBarcodeDlg::ReadCodeList(const char* fileName, const char* failMessage, QComboBox* combo,
                               std::size_t lineLimit, std::size_t memberLimit, char* member,
                               std::size_t memberSize) {
    const std::optional<std::string> bytes = ReadListFile(fileName);
    if (!bytes) {
        ShowMessageBox(Text(failMessage));
        return;
    }
    for (const std::string& line : ParseCodeList(*bytes, lineLimit)) {
        // Invalid UTF-8 is shown with replacement characters, which take more bytes than the
        // bytes they replace; an item that no longer fits its member is left out.
        const QString item = QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
        if (static_cast<std::size_t>(item.toUtf8().size()) > memberLimit) continue;
        combo->addItem(item);
    }
    if (combo->count() == 0) return;
    combo->setCurrentIndex(0);
    combo->setEditText(combo->itemText(0));
    CopyText(member, memberSize, Bytes(combo->itemText(0)));
}

void CBarcodeDlg::FillOptionCombos() {
    auto fill = [this](int id, std::initializer_list<const char*> items) {
        auto* combo = Control<QComboBox>(id);
        combo->clear();
        for (const char* item : items) {
            // The value an item stands for is its leading character: the pattern digit, or
            // the letter of a start or stop choice.
            const QString text = Text(item);
            combo->addItem(text, QVariant(text.isEmpty() ? QChar() : text.front()));
        }
        combo->setCurrentIndex(0);
    };
    const auto& p = str::kNw7Patterns;
    fill(idc::kPatNw7, {p[0], p[1], p[2], p[3], p[4], p[5], p[6]});
    const auto& l = str::kStartStopLetters;
    fill(idc::kNw7Start, {l[0], l[1], l[2], l[3]});
    CopyText(m_job.m_szNW7Start, l[0]);
    fill(idc::kNw7Stop, {l[0], l[1], l[2], l[3]});
    CopyText(m_job.m_szNW7Stop, l[0]);
    fill(idc::kPatCode39, {str::kCode39Pattern});
    fill(idc::kPatCode128, {str::kCode128Pattern});
    const auto& sets = str::kCode128StartSets;
    fill(idc::kCode128Start, {sets[0], sets[1], sets[2]});
    CopyText(m_job.m_szCode128Start, sets[0]);
    fill(idc::kPatJan, {str::kJanPattern});
    fill(idc::kPatItf, {str::kItfPattern});
    fill(idc::kPatPostal, {str::kPostalPattern});
    const auto& u = str::kLineUnits;
    fill(idc::kLineUnit, {u[0], u[1], u[2]});
}

void CBarcodeDlg::UpdateControlStates() {
    for (int n = kSymbologyNw7; n <= kSymbologyPostal; ++n) {
        const TypeControls& t = kTypeControls[n];
        for (int id : {t.checkBox, t.pattern, t.extra[0], t.extra[1]}) {
            if (id) Control<QWidget>(id)->setEnabled(false);
        }
    }
}

// --- The Create command's occasions ------------------------------------------------------------

void CBarcodeDlg::RunCreate(Occasion occasion) {
    if (m_inCreate) {
        // Asked for from inside a run's message box: once that run is over.
        m_createPending = true;
        return;
    }
    if (occasion == Occasion::kButton) NoteUserChange();
    m_inCreate = true;
    m_occasion = occasion;
    ++m_createRuns;
    const bool exported = m_job.CreateBarcode();
    m_inCreate = false;
    SetHasExport(exported);
    VerifyDrawing(exported);
    if (m_createPending) {
        m_createPending = false;
        QueuePaintCreate();
    }
}

void CBarcodeDlg::VerifyDrawing(bool exported) {
    if (!exported) {
        ++m_verifyGeneration;
        m_verdictForDrawing = false;
        m_preview->SetVerdict({});
        return;
    }
    const ExportImage& image = m_job.m_export;
    verify::Meant meant = verify::MeantOf(m_job);
    // A repaint draws the same barcode again: its verdict is already shown or on its way.
    if (m_verdictForDrawing && meant == m_verifyMeant && image.width == m_verifyImage.width &&
        image.height == m_verifyImage.height && image.pixels == m_verifyImage.pixels) {
        return;
    }
    m_verdictForDrawing = true;
    m_verifyImage = image;
    m_verifyMeant = meant;
    const quint64 generation = ++m_verifyGeneration;
    m_preview->SetVerdict(Text(str::kVerdictPending));
    m_verifyPool.clear();  // a request not started yet is for an older drawing
    m_verifyPool.start([this, generation, image = m_verifyImage, meant = std::move(meant)] {
#ifdef DIDUZOZOZ_HAVE_ZXING
        const verify::Reader* reader = &verify::ZxingReader();
#else
        const verify::Reader* reader = nullptr;
#endif
        const verify::Verdict verdict = verify::Verify(image, meant, reader);
        std::string text = verify::VerdictText(verdict);
        std::lock_guard lock(m_mailbox.mutex);
        m_mailbox.generation = generation;
        m_mailbox.text = std::move(text);
        m_mailbox.outcome = verdict.outcome;
        ++m_mailbox.arrived;
        if (!m_mailbox.posted) {
            m_mailbox.posted = true;
            QMetaObject::invokeMethod(
                this, [this] { TakeVerdict(); }, Qt::QueuedConnection);
        }
    });
}

void CBarcodeDlg::TakeVerdict() {
    quint64 generation = 0;
    std::string text;
    verify::Outcome outcome;
    {
        std::lock_guard lock(m_mailbox.mutex);
        m_mailbox.posted = false;
        generation = m_mailbox.generation;
        text = m_mailbox.text;
        outcome = m_mailbox.outcome;
        m_verdictsArrived = m_mailbox.arrived;
    }
    if (generation != m_verifyGeneration) return;  // an older drawing's
    const CPreview::Tone tone = outcome == verify::Outcome::kOk     ? CPreview::Tone::kGood
                                : outcome == verify::Outcome::kFail ? CPreview::Tone::kBad
                                                                    : CPreview::Tone::kNeutral;
    m_preview->SetVerdict(Text(text.c_str()), tone);
}

void CBarcodeDlg::QueuePaintCreate() {
    if (m_createQueued) return;
    m_createQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_createQueued = false;
        if (!isMinimized()) RunCreate(Occasion::kPaint);
    });
}

void CBarcodeDlg::NoteUserChange() {
    ++m_userActions;
    m_shownSinceChange.clear();
}

void CBarcodeDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QWindow* window = windowHandle()) {
        window->removeEventFilter(this);
        window->installEventFilter(this);
    }
    QueuePaintCreate();
}

void CBarcodeDlg::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if ((change->oldState() & Qt::WindowMinimized) && !isMinimized()) QueuePaintCreate();
    }
}

bool CBarcodeDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == windowHandle()) {
        if (windowHandle()->isExposed()) QueuePaintCreate();
        return false;
    }
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Escape:
                Beep();
                return true;
            case Qt::Key_F1:
                return true;
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CBarcodeDlg::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(m_saveAction);
    menu.addAction(m_copyAction);
    menu.addAction(m_printAction);
    menu.addSeparator();
    menu.addAction(m_aboutAction);
    menu.exec(event->globalPos());
}

void CBarcodeDlg::OpenAboutBox() {
    CAboutDlg about(this);
    about.exec();
}

// --- The job's host ----------------------------------------------------------------------------

void CBarcodeDlg::ShowMessage(const std::string& text) {
    const bool seen = !m_shownSinceChange.insert(text).second;
    if (seen && m_occasion == Occasion::kPaint) return;  // the user has it already
    ShowMessageBox(Text(text.c_str()));
}

void CBarcodeDlg::ShowMessageBox(const QString& text) {
    for (const SpinSpec& spin : kSpins) Control<CSpinButton>(spin.id)->StopRepeat();
    if (m_hooks.showMessage) {
        m_hooks.showMessage(text);
        return;
    }
    MessageBoxFor(this, text)->exec();
}

void CBarcodeDlg::Beep() {
    if (m_hooks.beep) {
        m_hooks.beep();
        return;
    }
    QApplication::beep();
}

void CBarcodeDlg::RefreshStatus(const std::string& status) {
    m_status->setText(QString::fromUtf8(status.data(), static_cast<qsizetype>(status.size())));
    m_status->setCursorPosition(0);
}

void CBarcodeDlg::SetStatus(const std::string& text) {
    m_job.SetStatus(text);
}

std::string CBarcodeDlg::CodeComboText() {
    return Bytes(Control<QComboBox>(idc::kCode)->currentText());
}

std::string CBarcodeDlg::RefNoComboText() {
    return Bytes(Control<QComboBox>(idc::kRefNo)->currentText());
}

void CBarcodeDlg::RequestRepaint() {
    m_preview->update();
    // Renderers set the status before they ask for the repaint; a cleared canvas is white.
    const bool drawn = m_job.m_canvas.UsedWidth() > 0 && m_job.m_canvas.UsedHeight() > 0;
    m_preview->SetDrawnText(drawn ? m_status->text() : QString());
}

void CBarcodeDlg::ExportToClipboard(const ExportImage& image) {
    // Postal bars keep their width whatever the line unit.
    m_exportModulePixels =
        m_job.m_nSymbology == kSymbologyPostal ? kPostalPitch / 2 : m_job.m_nLineUnit;
    OfferToClipboard(image);
}

void CBarcodeDlg::OfferToClipboard(const ExportImage& image) {
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

// --- Save, copy, print -------------------------------------------------------------------------

void CBarcodeDlg::SetHasExport(bool exported) {
    m_hasExport = exported;
    for (QAction* a : {m_saveAction, m_copyAction, m_printAction}) a->setEnabled(exported);
}

void CBarcodeDlg::OnSave() {
    if (!m_hasExport) return;
    const ExportImage image = m_job.m_export;  // a paint's run while the file dialog is open
    if (m_saveFolder.isEmpty()) {
        m_saveFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (m_saveFolder.isEmpty() || !QFileInfo(m_saveFolder).isDir()) {
            m_saveFolder = QDir::homePath();
        }
    }
    const QString suggested =
        QDir(m_saveFolder).filePath(Text(str::kSaveDefaultName) + u'.' + m_saveSuffix);
    QString path;
    if (m_hooks.chooseSaveFile) {
        path = m_hooks.chooseSaveFile(suggested);
    } else {
        const QStringList filters = Text(str::kSaveFilters).split(QStringLiteral(";;"));
        QString filter;
        for (const QString& f : filters) {
            if (f.contains(QStringLiteral("*.") + m_saveSuffix)) filter = f;
        }
        path = QFileDialog::getSaveFileName(this, Text(str::kSaveTitle), suggested,
                                            Text(str::kSaveFilters), &filter);
    }
    if (path.isEmpty()) return;
    const QFileInfo chosen(path);
    m_saveFolder = chosen.absolutePath();  // also after a failure: the user is there now
    const QString failure = SaveImageFile(image, path);
    if (!failure.isEmpty()) {
        ShowMessageBox(failure);
        return;
    }
    m_saveSuffix = chosen.suffix().toLower();
}

void CBarcodeDlg::OnCopy() {
    if (m_hasExport) OfferToClipboard(m_job.m_export);
}

void CBarcodeDlg::OnPrint() {
    if (!m_hasExport) return;
    const ExportImage image = m_job.m_export;
    const int modulePixels = m_exportModulePixels;
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
    if (!failure.isEmpty()) ShowMessageBox(failure);
}

// --- Handlers ----------------------------------------------------------------------------------

void CBarcodeDlg::OnSelectType(int symbology) {
    NoteUserChange();
    m_job.m_nSymbology = symbology;
    SetStatus(FormatText(str::kTypeSelected[symbology], symbology, m_job.m_szCode));
    UpdateControlStates();
    const TypeControls& t = kTypeControls[symbology];
    for (int id : {t.checkBox, t.pattern, t.extra[0], t.extra[1]}) {
        if (id) Control<QWidget>(id)->setEnabled(true);
    }
}

void CBarcodeDlg::OnCheckDigit(int symbology) {
    NoteUserChange();
    int& word = *m_job.OptionWord(symbology);
    if (Control<QCheckBox>(kTypeControls[symbology].checkBox)->isChecked()) {
        word |= kCheckDigitOn;
    } else {
        word &= kPatternMask;
    }
    if ((word & kPatternMask) == 0) {
        SetStatus(str::kChoosePattern);
    } else {
        SetStatus(FormatText(str::kCheckDigitStatus, word));
    }
}

void CBarcodeDlg::OnPattern(int symbology, int index) {
    NoteUserChange();
    auto* combo = Control<QComboBox>(kTypeControls[symbology].pattern);
    const QChar digit = combo->itemData(index).toChar();
    int& word = *m_job.OptionWord(symbology);
    word = (word & ~kPatternMask) | (digit.unicode() & kPatternMask);
    SetStatus(FormatText(str::kPatternStatus, Bytes(combo->itemText(index)).c_str(), word));
}

void CBarcodeDlg::OnStartStop(int id, int index) {
    NoteUserChange();
    auto* combo = Control<QComboBox>(id);
    const std::string letter = Bytes(combo->itemText(index));
    char* member = id == idc::kNw7Start  ? m_job.m_szNW7Start
                   : id == idc::kNw7Stop ? m_job.m_szNW7Stop
                                         : m_job.m_szCode128Start;
    CopyText(member, 2, letter);
    SetStatus(FormatText("%s", letter.c_str()));
}

void CBarcodeDlg::OnTextBelow() {
    NoteUserChange();
    Control<QCheckBox>(idc::kTextAbove)->setChecked(false);
    m_job.m_nTextPosition = Control<QCheckBox>(idc::kTextBelow)->isChecked() ? 1 : 0;
    SetStatus(FormatText(str::kTextBelowStatus, m_job.m_nTextPosition));
}

void CBarcodeDlg::OnTextAbove() {
    NoteUserChange();
    Control<QCheckBox>(idc::kTextBelow)->setChecked(false);
    m_job.m_nTextPosition = Control<QCheckBox>(idc::kTextAbove)->isChecked() ? 2 : 0;
    SetStatus(FormatText(str::kTextAboveStatus, m_job.m_nTextPosition));
}

void CBarcodeDlg::OnLineUnit(int index) {
    NoteUserChange();
    m_job.m_nLineUnit = index + 1;
    const std::string item = Bytes(Control<QComboBox>(idc::kLineUnit)->itemText(index));
    SetStatus(FormatText(str::kLineUnitStatus, item.c_str(), index + 1));
}

void CBarcodeDlg::OnSpinDelta(int id, int pos, int delta) {
    NoteUserChange();
    const SpinSpec& spin = *std::find_if(std::begin(kSpins), std::end(kSpins),
                                         [id](const SpinSpec& s) { return s.id == id; });
    const int value = delta == 1 ? pos + 1 : pos - 1;
    if (value < spin.acceptLower || value > spin.acceptUpper) {
        ShowMessageBox(Text(spin.refusal));
        return;
    }
    m_job.*(spin.member) = value;
    SetStatus(FormatText(str::kSpinStatus, value));
    RunCreate(Occasion::kSpin);
}

void CBarcodeDlg::OnCodeEdited(const QString& text) {
    NoteUserChange();
    CopyText(m_job.m_szCode, Bytes(text));
    SetStatus(FormatText("%s", m_job.m_szCode));
}

void CBarcodeDlg::OnCodeSelected(int index) {
    OnCodeEdited(Control<QComboBox>(idc::kCode)->itemText(index));
}

void CBarcodeDlg::OnRefNoEdited(const QString& text) {
    NoteUserChange();
    CopyText(m_job.m_szRefNo, Bytes(text));
    SetStatus(FormatText("%s", m_job.m_szRefNo));
}

void CBarcodeDlg::OnRefNoSelected(int index) {
    OnRefNoEdited(Control<QComboBox>(idc::kRefNo)->itemText(index));
}

}  // namespace diduzozoz
