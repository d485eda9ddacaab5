// The about box, template 100: icon, text and OK.
#pragma once

#include <QDialog>

namespace diduzozoz {

class CAboutDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace diduzozoz
