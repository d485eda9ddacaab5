#include "qt/DialogTemplate.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

namespace diduzozoz {

namespace {

struct ResourceString {
    int id;
    const char* text;
};

#include "dialog_templates.inc"

}  // namespace

const ControlTemplate* DialogTemplate::Find(int controlId) const {
    for (const ControlTemplate& c : controls) {
        if (c.id == controlId) return &c;
    }
    return nullptr;
}

const DialogTemplate& MainDialogTemplate() {
    return kTemplate102;
}

const DialogTemplate& AboutDialogTemplate() {
    return kTemplate100;
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

}  // namespace diduzozoz
