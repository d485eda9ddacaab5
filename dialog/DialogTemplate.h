// The dialog templates as data: every control with its id, kind, text and rectangle in
// dialog units, in template order (which is also the tab order). Dialog units become pixels
// through the dialog font, the way Windows maps them.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <span>

namespace diduzozoz {

enum class ControlKind {
    kGroupBox,
    kLabel,      // vertically centred static text
    kComboEdit,  // combo box with an edit field
    kDropList,   // drop-down list
    kPushButton,
    kDefPushButton,
    kRadio,
    kCheckBox,
    kNumberEdit,  // read-only, centred: the buddy of the spin button after it
    kSpin,        // wraps, sits at its buddy's right edge, answers the arrow keys
    kPreview,     // black sunken frame the canvas is shown in
    kStatusEdit,  // read-only, scrolls horizontally
    kIcon,        // the application icon
};

inline constexpr int kNoId = -1;  // labels and group boxes

struct ControlTemplate {
    int id;
    ControlKind kind;
    const char* text;
    int x, y, cx, cy;   // dialog units; a combo's height includes its drop-down list
    int buddy = kNoId;  // a label: the control it names for screen readers and mnemonics
};

struct DialogTemplate {
    const char* title;
    int cx, cy;  // client size in dialog units
    std::span<const ControlTemplate> controls;
};

const DialogTemplate& MainDialogTemplate();   // template 102
const DialogTemplate& AboutDialogTemplate();  // template 100

// Control ids of the main dialog.
namespace idc {
inline constexpr int kNw7 = 1002, kCode39 = 1003, kJan = 1004, kItf = 1005, kCode128 = 1006,
                     kPostal = 1007;
inline constexpr int kCdNw7 = 1008, kPatNw7 = 1009, kCdCode39 = 1011, kCdJan = 1012, kCdItf = 1013,
                     kCdCode128 = 1014, kCdPostal = 1015;
inline constexpr int kPatCode39 = 1016, kPatJan = 1017, kPatItf = 1018, kPatCode128 = 1019,
                     kPatPostal = 1020;
inline constexpr int kTextBelow = 1021, kNw7Start = 1022, kRefNo = 1023, kTextAbove = 1024,
                     kNw7Stop = 1026, kCode128Start = 1029, kLineUnit = 1033, kStatus = 1036,
                     kCreate = 1037, kPreview = 1039;
inline constexpr int kSpinHeight = 1046, kSpinMarginX = 1047, kSpinMarginY = 1048;
inline constexpr int kHeightEdit = 1049, kMarginXEdit = 1051, kMarginYEdit = 1052;
inline constexpr int kCode = 1053;
inline constexpr int kOk = 1, kCancel = 2;
}  // namespace idc

// "ＭＳ Ｐゴシック" 9 pt where installed, else its metric-compatible stand-in IPAPGothic,
// else the first sans family that writes Japanese.
QFont DialogFont();

// Dialog units to pixels for one font.
class DluMapper {
  public:
    explicit DluMapper(const QFont& font);
    int X(int dlu) const { return dlu * m_baseX / 4; }
    int Y(int dlu) const { return dlu * m_baseY / 8; }
    QRect Rect(int x, int y, int cx, int cy) const;
    QSize Size(int cx, int cy) const { return QSize(X(cx), Y(cy)); }
    int BaseX() const { return m_baseX; }
    int BaseY() const { return m_baseY; }

  private:
    int m_baseX;  // average width of the 52 Latin letters, rounded as Windows does
    int m_baseY;  // the font's height
};

}  // namespace diduzozoz
