// The label-sheet dialog's Qt window: template 103 built from the resource script, what Qt
// tells about its controls handed to the logic (CLabelSheetDlg), and the printer the logic asks
// for done with Qt.
#pragma once

#include <QPainter>
#include <QPrinter>
#include <memory>

#include "dialog/LabelSheetDlg.h"
#include "qt/TemplateWindow.h"

namespace diduzozoz {

class CLabelSheetWindow : public CTemplateWindow, public LabelPrinter {
    Q_OBJECT

  public:
    // hooks: the main window's ways out (message boxes, the file and print dialogs).
    CLabelSheetWindow(LabelSheetSource source, DialogHooks hooks, QWidget* parent = nullptr);
    ~CLabelSheetWindow() override;

    CLabelSheetDlg& Logic() { return m_dlg; }
    // Escape and the close button go through the logic: a run stops before the window goes.
    void reject() override { m_dlg.OnClicked(IDCANCEL); }

    // LabelPrinter
    int BeginPrint(const sheet::Layout& layout) override;
    void BeginSheet(std::int64_t sheet) override;
    void Draw(const sheet::PlacedBarcode& placed, const ExportImage& image) override;
    void EndSheet() override {}
    std::string EndPrint() override;
    void AbortPrint() override;

  private:
    CLabelSheetDlg m_dlg;
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
};

}  // namespace diduzozoz
