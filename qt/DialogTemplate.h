// The dialog templates of the resource script as data, generated from the script at build
// time: every control with its id, kind, text and rectangle in dialog units, in template
// order (which is also the tab order). Dialog units become pixels through the dialog font,
// the way Windows maps them.
#pragma once

#include <QFont>
#include <QIcon>
#include <QRect>
#include <QSize>
#include <span>
#include <utility>
#include <vector>

class QLabel;
class QWidget;

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
    kEdit,
    kSpin,      // wraps, sits at the right edge of the control before it, answers the arrow keys
    kFrame,     // black sunken frame
    kProgress,  // progress bar
    kIcon,      // the application icon
};

struct ControlTemplate {
    enum Flag : unsigned { kReadOnly = 1, kCentred = 2 };

    int id;  // IDC_STATIC (-1) for labels and group boxes
    ControlKind kind;
    const char* text;
    int x, y, cx, cy;  // dialog units; a combo's height includes its drop-down list
    unsigned flags;

    bool Has(Flag f) const { return (flags & f) != 0; }
};

struct DialogTemplate {
    const char* title;
    const char* font;  // face name; its size in points below
    int pointSize;
    int cx, cy;  // client size in dialog units
    bool minimizeBox;
    std::span<const ControlTemplate> controls;
};

const DialogTemplate& MainDialogTemplate();        // IDD_DIDUZOZOZ_DIALOG
const DialogTemplate& AboutDialogTemplate();       // IDD_ABOUTBOX
const DialogTemplate& LabelSheetDialogTemplate();  // IDD_LABELSHEET
// A string of the script's string table, or nullptr.
const char* ResourceText(int id);

// The template's font where installed, else its metric-compatible stand-in IPAPGothic, else
// the first sans family that writes Japanese; at the template's size.
QFont DialogFont();

// Dialog units to pixels for one font.
class DluMapper {
  public:
    explicit DluMapper(const QFont& font);
    int X(int dlu) const { return dlu * m_baseX / 4; }
    int Y(int dlu) const { return dlu * m_baseY / 8; }
    QRect Rect(int x, int y, int cx, int cy) const;
    QSize Size(int cx, int cy) const { return QSize(X(cx), Y(cy)); }

  private:
    int m_baseX;  // average width of the 52 Latin letters, rounded as Windows does
    int m_baseY;  // the font's height
};

class BarCanvas;

// The application icon, icon 128 of the script: 32 x 32 and 16 x 16.
QIcon AppIcon();

// The widgets of a template, made children of window in template order (so the tab order is
// the template's), placed in the dialog font's units and named by their control ids (object
// names). The window gets the template's font, title and fixed size. The black frame shows
// canvas (the preview); a spin button sits at the right edge of the edit before it, its buddy.
struct TemplateWidgets {
    // Each label and the control after it that it names: an input control without a text of
    // its own, as Windows pairs them.
    std::vector<std::pair<QLabel*, int>> labels;
};
TemplateWidgets BuildTemplate(QWidget& window, const DialogTemplate& tmpl,
                              const BarCanvas* canvas = nullptr);

}  // namespace diduzozoz
