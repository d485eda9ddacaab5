// The main dialog's Qt window: the controls of template 102 built from the resource script,
// what Qt tells about them handed to the dialog's logic (CBarcodeDlg), and what the logic asks
// of the main window done with Qt: the list files, the preview and its verdict, the clipboard,
// the context menu the logic lists, printing and the label-sheet dialog.
#pragma once

#include <QString>
#include <map>
#include <memory>

#include "dialog/BarcodeDlg.h"
#include "dialog/Controls.h"
#include "qt/TemplateWindow.h"

class QAction;
class QLineEdit;

namespace diduzozoz {

class CBarcodeWindow : public CTemplateWindow, public MainWindowServices {
    Q_OBJECT

  public:
    explicit CBarcodeWindow(DialogHooks hooks = {}, QWidget* parent = nullptr);
    ~CBarcodeWindow() override;

    CBarcodeDlg& Dialog() { return m_dlg; }
    BarcodeJob& Job() { return m_dlg.Job(); }
    // The context menu's items as actions, which also carry their shortcuts.
    QAction* AboutAction() const { return Action(IDM_ABOUTBOX); }
    QAction* SaveAction() const { return Action(IDM_SAVE); }
    QAction* CopyAction() const { return Action(IDM_COPY); }
    QAction* PrintAction() const { return Action(IDM_PRINT); }
    QAction* LabelSheetAction() const { return Action(IDM_LABELSHEET); }

    // MainWindowServices
    std::optional<std::string> ReadListFile(const char* name) override;
    std::string ResourceString(int id) override;
    void AppendSystemMenuItem(int, const std::string&) override {}  // X11 has no system menu
    bool IsMinimised() override { return isMinimized(); }
    void RunAboutBox() override;
    void DescribePreview(const std::string& text) override;
    void ShowVerdict(const std::string& text, VerdictTone tone, int w, int h) override;
    void SetClipboardImage(const ExportImage& image) override;
    void EnableExportCommands(bool enable) override;
    std::string PrintImage(const ExportImage& image, int modulePixels,
                           const verify::Meant& meant) override;
    void RunLabelSheet(const LabelSheetSource& source) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void ConnectEdits();
    QAction* Action(int command) const;

    QLineEdit* m_status = nullptr;
    std::map<int, QAction*> m_actions;       // by command
    std::unique_ptr<QPrinter> m_printer;     // the printer set up last
    CBarcodeDlg m_dlg{*this, *this, *this};  // last: it waits for its verification first
};

}  // namespace diduzozoz
