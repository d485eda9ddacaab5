#include "dialog/DialogTemplate.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

#include "job/Strings.h"

namespace diduzozoz {

namespace {

using K = ControlKind;
namespace s = str;

constexpr ControlTemplate kMainControls[] = {
    {kNoId, K::kGroupBox, s::kGroupInput, 0, 2, 303, 40},
    {kNoId, K::kLabel, s::kLabelCode, 11, 14, 96, 10, idc::kCode},
    {idc::kCode, K::kComboEdit, "", 10, 25, 287, 143},
    {idc::kCreate, K::kPushButton, s::kButtonCreate, 270, 9, 31, 13},
    {kNoId, K::kLabel, s::kLabelRefNo, 161, 12, 42, 10, idc::kRefNo},
    {idc::kRefNo, K::kComboEdit, "", 205, 10, 60, 146},
    {kNoId, K::kGroupBox, s::kGroupType, 0, 44, 303, 129},
    {kNoId, K::kLabel, s::kLabelPattern, 92, 52, 42, 9},
    {idc::kNw7, K::kRadio, s::kRadioNw7, 9, 66, 31, 10},
    {idc::kCode39, K::kRadio, s::kRadioCode39, 9, 83, 36, 10},
    {idc::kJan, K::kRadio, s::kRadioJan, 9, 100, 26, 10},
    {idc::kItf, K::kRadio, s::kRadioItf, 9, 119, 23, 10},
    {idc::kCode128, K::kRadio, s::kRadioCode128, 9, 136, 40, 10},
    {idc::kPostal, K::kRadio, s::kRadioPostal, 9, 153, 20, 10},
    {idc::kCdNw7, K::kCheckBox, s::kCheckCd, 52, 66, 21, 9},
    {idc::kPatNw7, K::kDropList, "", 76, 64, 103, 82},
    {kNoId, K::kLabel, s::kLabelStart, 186, 67, 24, 8, idc::kNw7Start},
    {idc::kNw7Start, K::kDropList, "", 211, 64, 24, 70},
    {kNoId, K::kLabel, s::kLabelStop, 239, 66, 23, 8, idc::kNw7Stop},
    {idc::kNw7Stop, K::kDropList, "", 265, 64, 24, 68},
    {idc::kCdCode39, K::kCheckBox, s::kCheckCd, 52, 84, 22, 9},
    {idc::kPatCode39, K::kDropList, "", 76, 81, 103, 92},
    {kNoId, K::kLabel, s::kLabelCode39Start, 186, 81, 46, 11},
    {kNoId, K::kLabel, s::kLabelCode39Stop, 237, 80, 43, 12},
    {idc::kCdJan, K::kCheckBox, s::kCheckCd, 52, 101, 21, 9},
    {idc::kPatJan, K::kDropList, "", 76, 98, 103, 90},
    {kNoId, K::kLabel, s::kLabelJanBars, 188, 102, 81, 10},
    {idc::kCdItf, K::kCheckBox, s::kCheckCd, 52, 118, 22, 9},
    {idc::kPatItf, K::kDropList, "", 76, 116, 103, 89},
    {kNoId, K::kLabel, s::kLabelItfBars, 189, 120, 89, 10},
    {idc::kCdCode128, K::kCheckBox, s::kCheckCd, 52, 136, 22, 9},
    {idc::kPatCode128, K::kDropList, "", 76, 134, 103, 89},
    {kNoId, K::kLabel, s::kLabelStart, 188, 136, 24, 8, idc::kCode128Start},
    {idc::kCode128Start, K::kDropList, "", 212, 133, 21, 50},
    {kNoId, K::kLabel, s::kLabelStopBar, 241, 136, 38, 8},
    {idc::kCdPostal, K::kCheckBox, s::kCheckCd, 52, 153, 22, 9},
    {idc::kPatPostal, K::kDropList, "", 76, 152, 104, 93},
    {kNoId, K::kLabel, s::kLabelPostalBars, 188, 152, 87, 10},
    {kNoId, K::kGroupBox, s::kGroupShape, 0, 177, 303, 50},
    {idc::kTextAbove, K::kCheckBox, s::kCheckTextAbove, 12, 190, 52, 9},
    {idc::kTextBelow, K::kCheckBox, s::kCheckTextBelow, 12, 205, 53, 9},
    {kNoId, K::kLabel, s::kLabelHeight, 70, 194, 33, 8, idc::kHeightEdit},
    {idc::kHeightEdit, K::kNumberEdit, "", 108, 189, 29, 15},
    {idc::kSpinHeight, K::kSpin, "", 138, 186, 9, 21},
    {kNoId, K::kLabel, s::kLabelMarginX, 226, 192, 35, 8, idc::kMarginXEdit},
    {idc::kMarginXEdit, K::kNumberEdit, "", 262, 190, 25, 16},
    {idc::kSpinMarginX, K::kSpin, "", 288, 188, 9, 22},
    {kNoId, K::kLabel, s::kLabelLineUnit, 76, 213, 22, 8, idc::kLineUnit},
    {idc::kLineUnit, K::kDropList, "", 106, 211, 44, 51},
    {kNoId, K::kLabel, s::kLabelMarginY, 152, 193, 35, 8, idc::kMarginYEdit},
    {idc::kMarginYEdit, K::kNumberEdit, "", 187, 188, 25, 16},
    {idc::kSpinMarginY, K::kSpin, "", 213, 186, 9, 21},
    {idc::kPreview, K::kPreview, "", 0, 250, 303, 107},
    {idc::kStatus, K::kStatusEdit, "", 21, 230, 252, 16},
    {idc::kCancel, K::kPushButton, s::kButtonExit, 278, 231, 22, 14},
    {kNoId, K::kLabel, s::kLabelStatus, 3, 232, 19, 12, idc::kStatus},
};

constexpr ControlTemplate kAboutControls[] = {
    {kNoId, K::kIcon, "", 11, 17, 0, 0},  // takes the icon's own size
    {kNoId, K::kLabel, s::kAboutText, 40, 10, 119, 8},
    {idc::kOk, K::kDefPushButton, s::kOk, 178, 7, 50, 14},
};

constexpr DialogTemplate kMain{s::kDialogTitle, 303, 357, kMainControls};
constexpr DialogTemplate kAbout{s::kAboutTitle, 235, 55, kAboutControls};

}  // namespace

const DialogTemplate& MainDialogTemplate() {
    return kMain;
}

const DialogTemplate& AboutDialogTemplate() {
    return kAbout;
}

QFont DialogFont() {
    const QStringList families = QFontDatabase::families();
    QString family;
    for (const char* wanted : {s::kDialogFont, "MS PGothic", "IPAPGothic", "IPA Pゴシック"}) {
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
    QFont font(family.isEmpty() ? QString::fromUtf8(s::kDialogFont) : family);
    font.setPointSize(9);
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
