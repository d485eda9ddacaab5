#include "qt/LabelSheetWindow.h"

#include <QLabel>
#include <QPageSize>
#include <QPushButton>

#include "base/Strings.h"
#include "qt/DialogTemplate.h"
#include "qt/ImageOutput.h"
#include "qt/PreviewWidget.h"
#include "render/ExportImage.h"

namespace diduzozoz {

CLabelSheetWindow::CLabelSheetWindow(LabelSheetSource source, DialogHooks hooks, QWidget* parent)
    : CTemplateWindow(std::move(hooks), parent), m_dlg(*this, *this, *this, std::move(source)) {
    Build(LabelSheetDialogTemplate(), m_dlg.Preview(), IDC_LS_PREVIEW);
    if (auto* summary = Control<QLabel>(IDC_LS_SUMMARY)) {
        // Refusals can be long: wrapped in the template's box, from its top.
        summary->setWordWrap(true);
        summary->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    ConnectControls([this](int id) { m_dlg.OnClicked(id); },
                    [this](int id) { m_dlg.OnSelChange(id); },
                    [this](int id) { m_dlg.OnEditChange(id); });
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

// --- The printer -------------------------------------------------------------------------------

int CLabelSheetWindow::BeginPrint(const sheet::Layout& layout) {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The sheet's paper is what the print dialog offers first.
    m_printer->setPageSize(QPageSize(QSizeF(layout.pageWidth / 1000.0, layout.pageHeight / 1000.0),
                                     QPageSize::Millimeter));
    if (!ChoosePrinter(*m_printer)) return 0;
    // The page's own corner is the origin, so the labels' dots fall where the sheet has them.
    m_printer->setFullPage(true);
    m_printer->setDocName(QString::fromUtf8(str::kLabelPrintDocument));
    if (!m_painter.begin(m_printer.get())) {
        ShowMessageBox(str::kPrintFailed);
        return 0;
    }
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    return m_printer->resolution();
}

void CLabelSheetWindow::BeginSheet(std::int64_t sheet) {
    // The painter begins on the first page.
    if (m_painter.isActive() && sheet > 0) m_printer->newPage();
}

void CLabelSheetWindow::Draw(const sheet::PlacedBarcode& placed, const ExportImage& image) {
    if (m_painter.isActive()) FillDots(m_painter, sheet::PlacedRectangles(placed, image));
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
