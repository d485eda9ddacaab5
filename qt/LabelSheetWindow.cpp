#include "qt/LabelSheetWindow.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSize>
#include <QPrintDialog>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>

#include "base/Strings.h"
#include "qt/ComboBox.h"
#include "qt/DialogTemplate.h"
#include "qt/PreviewWidget.h"
#include "render/ExportImage.h"

namespace diduzozoz {
namespace {

std::string Message(const char* format, const QString& path) {
    return FormatText(format, QDir::toNativeSeparators(path).toUtf8().constData());
}

}  // namespace

CLabelSheetWindow::CLabelSheetWindow(LabelSheetSource source, DialogHooks hooks, QWidget* parent)
    : QDialog(parent), m_hooks(std::move(hooks)), m_dlg(*this, *this, std::move(source)) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    BuildTemplate(*this, LabelSheetDialogTemplate(), &m_dlg.Preview());
    setWindowIcon(AppIcon());
    m_preview = Control<CPreview>(IDC_LS_PREVIEW);
    if (auto* summary = Control<QLabel>(IDC_LS_SUMMARY)) {
        // Refusals can be long: wrapped in the template's box, from its top.
        summary->setWordWrap(true);
        summary->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
        bool ok = false;
        const int id = button->objectName().toInt(&ok);
        if (ok)
            connect(button, &QAbstractButton::clicked, this, [this, id] { m_dlg.OnClicked(id); });
    }
    for (CComboBox* combo : findChildren<CComboBox*>()) {
        const int id = combo->objectName().toInt();
        connect(combo, &CComboBox::picked, this, [this, id] { m_dlg.OnSelChange(id); });
    }
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        bool ok = false;
        const int id = edit->objectName().toInt(&ok);
        if (ok) connect(edit, &QLineEdit::textEdited, this, [this, id] { m_dlg.OnEditChange(id); });
    }
    // The first sheet fitted into the frame's inside, in the preview's own pixels.
    const QRect inside = m_preview->contentsRect();
    const int scale = std::max(m_preview->Scale(), 1);
    m_dlg.SetPreviewSize(inside.width() * devicePixelRatio() / scale,
                         inside.height() * devicePixelRatio() / scale);
    m_dlg.OnInitDialog();
}

CLabelSheetWindow::~CLabelSheetWindow() {
    if (m_painter.isActive()) m_painter.end();
}

// --- Controls ----------------------------------------------------------------------------------

void CLabelSheetWindow::EnableControl(int id, bool enable) {
    if (QWidget* w = Control<QWidget>(id)) w->setEnabled(enable);
}

bool CLabelSheetWindow::IsChecked(int id) {
    auto* button = Control<QAbstractButton>(id);
    return button && button->isChecked();
}

void CLabelSheetWindow::SetChecked(int id, bool checked) {
    if (auto* button = Control<QAbstractButton>(id)) button->setChecked(checked);
}

std::string CLabelSheetWindow::Text(int id) {
    QWidget* w = Control<QWidget>(id);
    if (auto* combo = qobject_cast<QComboBox*>(w)) return Bytes(combo->currentText());
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return Bytes(edit->text());
    if (auto* label = qobject_cast<QLabel*>(w)) return Bytes(label->text());
    return {};
}

void CLabelSheetWindow::SetText(int id, const std::string& text) {
    QWidget* w = Control<QWidget>(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(FromUtf8(text));
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(FromUtf8(text));
    }
}

void CLabelSheetWindow::ShowMessageBox(const std::string& text) {
    if (m_hooks.showMessage) {
        m_hooks.showMessage(FromUtf8(text));
        return;
    }
    MessageBoxFor(this, FromUtf8(text))->exec();
}

void CLabelSheetWindow::EndDialog(int result) {
    done(result == IDOK ? QDialog::Accepted : QDialog::Rejected);
}

void CLabelSheetWindow::RepaintPreview() {
    if (m_preview) m_preview->update();
}

void CLabelSheetWindow::Post(std::function<void()> task) {
    QMetaObject::invokeMethod(
        this, [task = std::move(task)] { task(); }, Qt::QueuedConnection);
}

// --- The file and the printer ------------------------------------------------------------------

std::string CLabelSheetWindow::ChooseSaveFile(const std::string& suggested) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
    const QString start = QDir(folder).filePath(FromUtf8(suggested));
    const QString path =
        m_hooks.chooseSaveFile
            ? m_hooks.chooseSaveFile(start)
            : QFileDialog::getSaveFileName(this, QString::fromUtf8(str::kSaveTitle), start,
                                           QString::fromUtf8(str::kLabelSaveFilter));
    return Bytes(path);
}

std::string CLabelSheetWindow::WriteFile(const std::string& utf8Path, const Produce& produce) {
    const QString path = FromUtf8(utf8Path);
    const QFileInfo info(path);
    if (info.isDir()) return Message(str::kSaveIsFolder, path);
    if (info.exists() && !info.isWritable()) return Message(str::kSaveReadOnlyFile, path);
    // Written beside the target and renamed over it only once complete; unbuffered, so a
    // write that a full disk cuts short is seen at once.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return Message(str::kSaveCannotCreate, path);
    }
    bool written = true;
    const bool produced = produce([&](std::string_view bytes) {
        const char* data = bytes.data();
        qint64 left = static_cast<qint64>(bytes.size());
        while (written && left > 0) {
            const qint64 n = file.write(data, left);
            if (n <= 0) written = false;
            data += std::max<qint64>(n, 0);
            left -= std::max<qint64>(n, 0);
        }
        return written;
    });
    if (!written) {
        file.cancelWriting();
        return Message(str::kSaveWriteFailed, path);
    }
    if (!produced) {  // nothing to keep; the logic tells why
        file.cancelWriting();
        return {};
    }
    if (!file.commit()) return Message(str::kSaveWriteFailed, path);
    return {};
}

int CLabelSheetWindow::BeginPrint(const sheet::Layout& layout) {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The sheet's paper is what the print dialog offers first.
    m_printer->setPageSize(QPageSize(QSizeF(layout.pageWidth / 1000.0, layout.pageHeight / 1000.0),
                                     QPageSize::Millimeter));
    const bool accepted = m_hooks.choosePrinter ? m_hooks.choosePrinter(*m_printer) : [&] {
        QPrintDialog dialog(m_printer.get(), this);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        return dialog.exec() == QDialog::Accepted;
    }();
    if (!accepted) return 0;
    // The page's own corner is the origin, so the labels' dots fall where the sheet has them.
    m_printer->setFullPage(true);
    m_printer->setDocName(QString::fromUtf8(str::kLabelPrintDocument));
    m_printedSheet = 0;
    if (!m_painter.begin(m_printer.get())) {
        ShowMessageBox(str::kPrintFailed);
        return 0;
    }
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    return m_printer->resolution();
}

void CLabelSheetWindow::PrintBarcode(std::int64_t sheet, const sheet::PlacedBarcode& placed,
                                     const ExportImage& image) {
    if (!m_painter.isActive()) return;
    for (; m_printedSheet < sheet; ++m_printedSheet) m_printer->newPage();
    const int k = placed.dotsPerPixel;
    for (const PixelRect& r : BlackRectangles(image)) {
        m_painter.fillRect(QRect(static_cast<int>(placed.x) + r.x * k,
                                 static_cast<int>(placed.y) + r.y * k, r.width * k, r.height * k),
                           Qt::black);
    }
}

std::string CLabelSheetWindow::EndPrint() {
    if (!m_painter.isActive()) return {};
    return m_painter.end() ? std::string() : std::string(str::kPrintFailed);
}

void CLabelSheetWindow::AbortPrint() {
    if (!m_painter.isActive()) return;
    m_printer->abort();
    m_painter.end();
}

}  // namespace diduzozoz
