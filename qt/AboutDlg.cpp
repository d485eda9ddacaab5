#include "qt/AboutDlg.h"

#include <QPushButton>

#include "dialog/resource.h"
#include "qt/DialogTemplate.h"

namespace diduzozoz {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    BuildTemplate(*this, AboutDialogTemplate());
    setWindowIcon(AppIcon());
    connect(findChild<QPushButton*>(QString::number(IDOK)), &QPushButton::clicked, this,
            [this] { accept(); });
}

}  // namespace diduzozoz
