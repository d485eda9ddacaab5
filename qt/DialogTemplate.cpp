#include "qt/DialogTemplate.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <algorithm>

#include "dialog/resource.h"
#include "qt/ComboBox.h"
#include "qt/PreviewWidget.h"
#include "qt/SpinButton.h"

namespace diduzozoz {

namespace {

struct ResourceString {
    int id;
    const char* text;
};

#include "dialog_templates.inc"

}  // namespace

const DialogTemplate& MainDialogTemplate() {
    return kTemplate102;
}

const DialogTemplate& AboutDialogTemplate() {
    return kTemplate100;
}

const DialogTemplate& LabelSheetDialogTemplate() {
    return kTemplate103;
}

const char* ResourceText(int id) {
    for (const ResourceString& s : kStringTable) {
        if (s.id == id) return s.text;
    }
    return nullptr;
}

QFont DialogFont() {
    const QStringList families = QFontDatabase::families();
    QString family;
    for (const char* wanted :
         {MainDialogTemplate().font, "MS PGothic", "IPAPGothic", "IPA Pゴシック"}) {
        if (families.contains(QString::fromUtf8(wanted))) {
            family = QString::fromUtf8(wanted);
            break;
        }
    }
    if (family.isEmpty()) {
        for (const QString& f : QFontDatabase::families(QFontDatabase::Japanese)) {
            if (!QFontDatabase::isFixedPitch(f) && !f.contains(QLatin1String("Mincho"))) {
                family = f;
                break;
            }
        }
    }
    QFont font(family.isEmpty() ? QString::fromUtf8(MainDialogTemplate().font) : family);
    font.setPointSize(MainDialogTemplate().pointSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

DluMapper::DluMapper(const QFont& font) {
    const QFontMetrics fm(font);
    const int letters = fm.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = (letters / 26 + 1) / 2;
    m_baseY = fm.height();
    if (m_baseX < 1) m_baseX = 1;
    if (m_baseY < 1) m_baseY = 1;
}

QRect DluMapper::Rect(int x, int y, int cx, int cy) const {
    // Edges are mapped, not sizes, so neighbouring controls meet as they do in the template.
    const int left = X(x), top = Y(y);
    return QRect(left, top, X(x + cx) - left, Y(y + cy) - top);
}

QIcon AppIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/diduzozoz-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/icons/diduzozoz-16.png"), QSize(16, 16));
    return icon;
}

TemplateWidgets BuildTemplate(QWidget& window, const DialogTemplate& tmpl,
                              const BarCanvas* canvas) {
    window.setFont(DialogFont());
    const DluMapper dlu(window.font());
    window.setWindowTitle(QString::fromUtf8(tmpl.title));

    TemplateWidgets out;
    QButtonGroup* radios = nullptr;
    QWidget* previous = nullptr;
    QLabel* pendingLabel = nullptr;
    for (const ControlTemplate& c : tmpl.controls) {
        QRect rect = dlu.Rect(c.x, c.y, c.cx, c.cy);
        const QString text = QString::fromUtf8(c.text);
        QWidget* widget = nullptr;
        bool named = false;  // an input control without a text of its own, which a label names
        switch (c.kind) {
            case ControlKind::kGroupBox:
                widget = new QGroupBox(text, &window);
                break;
            case ControlKind::kLabel: {
                auto* label = new QLabel(text, &window);
                label->setTextFormat(Qt::PlainText);  // no prefix character
                label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
                widget = label;
                break;
            }
            case ControlKind::kIcon: {
                auto* icon = new QLabel(&window);
                icon->setPixmap(AppIcon().pixmap(32, 32));
                rect.setSize(QSize(32, 32));
                widget = icon;
                break;
            }
            case ControlKind::kComboEdit:
            case ControlKind::kDropList: {
                auto* combo = new CComboBox(&window);
                if (c.kind == ControlKind::kComboEdit) {
                    combo->setEditable(true);
                    combo->setInsertPolicy(QComboBox::NoInsert);
                    combo->setCompleter(nullptr);  // the text is what was typed, nothing more
                }
                // The template's height includes the drop-down list.
                rect.setHeight(combo->sizeHint().height());
                widget = combo;
                named = true;
                break;
            }
            case ControlKind::kPushButton:
            case ControlKind::kDefPushButton: {
                auto* button = new QPushButton(text, &window);
                if (c.kind == ControlKind::kDefPushButton) {
                    button->setDefault(true);
                } else {
                    button->setAutoDefault(false);  // Enter presses no button
                }
                widget = button;
                break;
            }
            case ControlKind::kRadio: {
                auto* radio = new QRadioButton(text, &window);
                if (!radios) {
                    radios = new QButtonGroup(&window);
                    radios->setExclusive(true);
                }
                radios->addButton(radio, c.id);
                widget = radio;
                break;
            }
            case ControlKind::kCheckBox:
                widget = new QCheckBox(text, &window);
                break;
            case ControlKind::kEdit: {
                auto* edit = new QLineEdit(&window);
                edit->setReadOnly(c.Has(ControlTemplate::kReadOnly));
                if (c.Has(ControlTemplate::kCentred)) edit->setAlignment(Qt::AlignCenter);
                widget = edit;
                named = true;
                break;
            }
            case ControlKind::kSpin: {
                auto* spin = new CSpinButton(&window);
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
            case ControlKind::kProgress: {
                auto* bar = new QProgressBar(&window);
                bar->setTextVisible(false);
                widget = bar;
                break;
            }
            case ControlKind::kFrame:
                if (canvas) {
                    widget = new CPreview(*canvas, &window);
                } else {
                    auto* frame = new QFrame(&window);
                    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
                    widget = frame;
                }
                break;
        }
        if (c.kind == ControlKind::kRadio || c.kind == ControlKind::kCheckBox) {
            // Qt's indicators are wider than the template's; keep the whole text readable.
            rect.setWidth(std::max(rect.width(), widget->sizeHint().width()));
        }
        if (c.id != IDC_STATIC) widget->setObjectName(QString::number(c.id));
        widget->setGeometry(rect);
        if (pendingLabel && named && c.id != IDC_STATIC)
            out.labels.emplace_back(pendingLabel, c.id);
        pendingLabel = c.kind == ControlKind::kLabel ? static_cast<QLabel*>(widget) : nullptr;
        previous = widget;
    }
    window.setFixedSize(dlu.Size(tmpl.cx, tmpl.cy));
    return out;
}

}  // namespace diduzozoz
