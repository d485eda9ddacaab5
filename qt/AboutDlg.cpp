#include "qt/AboutDlg.h"

#include <QLabel>
#include <QPushButton>

#include "dialog/resource.h"
#include "qt/BarcodeWindow.h"
#include "qt/DialogTemplate.h"

namespace diduzozoz {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const DialogTemplate& tmpl = AboutDialogTemplate();
    setFont(DialogFont());
    const DluMapper dlu(font());
    setWindowTitle(QString::fromUtf8(tmpl.title));
    setWindowIcon(AppIcon());
    for (const ControlTemplate& c : tmpl.controls) {
        const QRect rect = dlu.Rect(c.x, c.y, c.cx, c.cy);
        QWidget* widget = nullptr;
        if (c.kind == ControlKind::kIcon) {
            auto* icon = new QLabel(this);
            icon->setPixmap(AppIcon().pixmap(32, 32));
            icon->setGeometry(QRect(rect.topLeft(), QSize(32, 32)));
            continue;
        }
        if (c.kind == ControlKind::kDefPushButton || c.kind == ControlKind::kPushButton) {
            auto* button = new QPushButton(QString::fromUtf8(c.text), this);
            button->setDefault(c.kind == ControlKind::kDefPushButton);
            connect(button, &QPushButton::clicked, this, [this] { accept(); });
            widget = button;
        } else {
            auto* label = new QLabel(QString::fromUtf8(c.text), this);
            label->setTextFormat(Qt::PlainText);  // no prefix character
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            widget = label;
        }
        if (c.id != IDC_STATIC) widget->setObjectName(QString::number(c.id));
        widget->setGeometry(rect);
    }
    setFixedSize(dlu.Size(tmpl.cx, tmpl.cy));
}

}  // namespace diduzozoz
