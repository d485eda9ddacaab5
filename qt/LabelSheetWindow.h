// The label-sheet dialog's Qt window: template 103 built from the resource script, what Qt
// tells about its controls handed to the logic (CLabelSheetDlg), and the PDF file and the
// printer the logic asks for done with Qt.
#pragma once

#include <QDialog>
#include <QPainter>
#include <QPrinter>
#include <memory>

#include "dialog/Controls.h"
#include "dialog/LabelSheetDlg.h"
#include "qt/BarcodeWindow.h"
#include "qt/ComboControls.h"

namespace diduzozoz {

class CPreview;

class CLabelSheetWindow : public QDialog, public ComboControls, public LabelSheetOutput {
    Q_OBJECT

  public:
    // hooks: the main window's ways out (message boxes, the file and print dialogs).
    CLabelSheetWindow(LabelSheetSource source, DialogHooks hooks, QWidget* parent = nullptr);
    ~CLabelSheetWindow() override;

    CLabelSheetDlg& Logic() { return m_dlg; }
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
    void SetRange(int, int, int) override {}
    void SetPos(int, int) override {}
    void PlaceControl(int, int, int, int, int) override {}
    std::optional<std::string> ReadListFile(const char*) override { return std::nullopt; }
    std::string ResourceString(int) override { return {}; }
    void AppendSystemMenuItem(int, const std::string&) override {}
    void ShowMessageBox(const std::string& text) override;
    void Beep() override {}
    bool IsMinimised() override { return false; }
    void RunAboutBox() override {}
    void EndDialog(int result) override;
    void RepaintPreview() override;
    void DescribePreview(const std::string&) override {}
    void ShowVerdict(const std::string&, VerdictTone, int, int) override {}
    void SetClipboardImage(const ExportImage&) override {}
    void EnableExportCommands(bool) override {}
    void Post(std::function<void()> task) override;

    // LabelSheetOutput
    std::string ChooseSaveFile(const std::string& suggested) override;
    std::string WriteFile(const std::string& path, const Produce& produce) override;
    int BeginPrint(const sheet::Layout& layout) override;
    void PrintBarcode(std::int64_t sheet, const sheet::PlacedBarcode& placed,
                      const ExportImage& image) override;
    std::string EndPrint() override;
    void AbortPrint() override;

  private:
    QComboBox* Combo(int id) const override { return Control<QComboBox>(id); }
    DialogHooks m_hooks;
    CLabelSheetDlg m_dlg;
    CPreview* m_preview = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    std::int64_t m_printedSheet = 0;
};

}  // namespace diduzozoz
