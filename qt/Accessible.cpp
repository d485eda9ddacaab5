#include "qt/Accessible.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRect>
#include <algorithm>

#include "base/Strings.h"
#include "dialog/resource.h"
#include "qt/ComboBox.h"
#include "qt/SpinButton.h"

namespace diduzozoz {

namespace {

// A control's text without its mnemonic marks ("&&" stands for "&").
QString WithoutMnemonic(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

// Check boxes, radio buttons and the arrows of the spin buttons. Qt's own interface toggles
// a box without a click, so the dialog's handler never hears of it; here a toggle is a click.
// An arrow is pressed the way Qt presses push buttons, a moment after the call: a step the
// spin refuses opens a message box, which must not keep the caller waiting for its answer.
class CAccessibleButton : public QAccessibleWidget {
  public:
    explicit CAccessibleButton(QAbstractButton* button)
        : QAccessibleWidget(button, !button->isCheckable()                ? QAccessible::PushButton
                                    : qobject_cast<QRadioButton*>(button) ? QAccessible::RadioButton
                                                                          : QAccessible::CheckBox) {
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = Button()->isCheckable();
        s.checked = Button()->isChecked();
        s.pressed = Button()->isDown();
        return s;
    }
    QString text(QAccessible::Text t) const override {
        QString s = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && s.isEmpty()) s = WithoutMnemonic(Button()->text());
        return s;
    }
    QStringList actionNames() const override {
        return QStringList{Button()->isCheckable() ? toggleAction() : pressAction()} +
               QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action != toggleAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        // Neither does anything while the button is disabled, as for the mouse.
        if (Button()->isCheckable()) {
            Button()->click();
        } else {
            Button()->animateClick();
        }
    }

  private:
    QAbstractButton* Button() const { return static_cast<QAbstractButton*>(widget()); }
};

// Combo boxes: named by their label (Qt names them by their current text on Linux), able to
// take the focus, and opened and closed by their press action. A list item chosen through
// the list's own interface reaches the dialog through CComboBox::picked.
class CAccessibleCombo : public QAccessibleWidget {
  public:
    explicit CAccessibleCombo(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    int childCount() const override { return Combo()->isEditable() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override {
        if (index == 0) return QAccessible::queryAccessibleInterface(Combo()->view());
        if (index == 1 && Combo()->isEditable()) {
            return QAccessible::queryAccessibleInterface(Combo()->lineEdit());
        }
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child) return -1;
        if (child->object() == Combo()->view()) return 0;
        if (Combo()->isEditable() && child->object() == Combo()->lineEdit()) return 1;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        QLineEdit* edit = Combo()->lineEdit();
        if (edit && edit->rect().contains(edit->mapFromGlobal(QPoint(x, y)))) return child(1);
        return nullptr;
    }
    // The combo is the focus proxy of its edit field, where the caret is.
    QAccessibleInterface* focusChild() const override {
        return Combo()->isEditable() ? child(1) : nullptr;
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = Combo()->view()->isVisible();
        return s;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return Combo()->currentText();
        QString s = QAccessibleWidget::text(t);  // the accessible name or the buddy label
        if (t == QAccessible::Name && s.isEmpty()) s = Combo()->currentText();
        return s;
    }
    QStringList actionNames() const override {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction()) {
            if (!Combo()->isEnabled()) return;
            if (Combo()->view()->isVisible()) {
                Combo()->hidePopup();
            } else {
                Combo()->showPopup();
            }
            return;
        }
        QAccessibleWidget::doAction(action);
    }

  private:
    QComboBox* Combo() const { return static_cast<QComboBox*>(widget()); }
};

// Line edits. Text written through the interface goes in as typing and pasting do, through
// the validator and the textEdited signal; read-only fields take none (Qt's own interface
// writes into them too).
class CAccessibleLineEdit : public QAccessibleWidget,
                            public QAccessibleTextInterface,
                            public QAccessibleEditableTextInterface {
  public:
    explicit CAccessibleLineEdit(QLineEdit* edit)
        : QAccessibleWidget(edit, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface && !Edit()->isReadOnly()) {
            return static_cast<QAccessibleEditableTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.selectableText = true;
        if (Edit()->isReadOnly()) {
            s.readOnly = true;
        } else {
            s.editable = true;
        }
        return s;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return Edit()->text();
        QString s = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && s.isEmpty()) {
            // The edit field of a combo box goes by the combo's name.
            if (auto* combo = qobject_cast<QComboBox*>(Edit()->parentWidget())) {
                if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(combo)) {
                    s = iface->text(QAccessible::Name);
                }
            }
        }
        return s;
    }
    void setText(QAccessible::Text t, const QString& text) override {
        if (t != QAccessible::Value) {
            QAccessibleWidget::setText(t, text);
            return;
        }
        replaceText(0, characterCount(), text);
    }

    // QAccessibleTextInterface
    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index != 0 || !Edit()->hasSelectedText()) return;
        *start = Edit()->selectionStart();
        *end = *start + Edit()->selectionLength();
    }
    int selectionCount() const override { return Edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override {
        if (index == 0) Edit()->deselect();
    }
    void setSelection(int index, int start, int end) override {
        if (index != 0) return;
        Clamp(start, end);
        Edit()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return Edit()->cursorPosition(); }
    void setCursorPosition(int position) override { Edit()->setCursorPosition(position); }
    QString text(int start, int end) const override {
        Clamp(start, end);
        return Edit()->text().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(Edit()->text().size()); }
    QRect characterRect(int offset) const override {
        // Measured from the caret, which Qt places for the field's alignment and scrolling.
        const QLineEdit* edit = Edit();
        const QString shown = edit->displayText();
        if (offset < 0 || offset > shown.size()) return {};
        const QRect caret = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const QFontMetrics metrics(edit->font());
        const int origin =
            caret.x() - metrics.horizontalAdvance(shown.left(edit->cursorPosition()));
        const int x = origin + metrics.horizontalAdvance(shown.left(offset));
        const int width =
            offset < shown.size() ? metrics.horizontalAdvance(shown.mid(offset, 1)) : 1;
        return QRect(edit->mapToGlobal(QPoint(x, caret.y())), QSize(width, caret.height()));
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint local = Edit()->mapFromGlobal(point);
        return Edit()->rect().contains(local) ? Edit()->cursorPositionAt(local) : -1;
    }
    void scrollToSubstring(int start, int end) override {
        Edit()->setCursorPosition(end);
        Edit()->setCursorPosition(start);
    }
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

    // QAccessibleEditableTextInterface: the keystroke paths, never a plain setText().
    void deleteText(int start, int end) override {
        if (!Editable()) return;
        Clamp(start, end);
        if (start == end) return;  // del() would take the character after the caret
        Edit()->setSelection(start, end - start);
        Edit()->del();
    }
    void insertText(int offset, const QString& text) override {
        if (!Editable()) return;
        int end = offset;
        Clamp(offset, end);
        Edit()->setCursorPosition(offset);
        Edit()->insert(text);
    }
    void replaceText(int start, int end, const QString& text) override {
        if (!Editable()) return;
        Clamp(start, end);
        if (start == end) {
            Edit()->setCursorPosition(start);
        } else {
            Edit()->setSelection(start, end - start);
        }
        Edit()->insert(text);
    }

  private:
    QLineEdit* Edit() const { return static_cast<QLineEdit*>(widget()); }
    bool Editable() const { return Edit()->isEnabled() && !Edit()->isReadOnly(); }
    void Clamp(int& start, int& end) const {
        const int count = characterCount();
        start = std::clamp(start, 0, count);
        end = std::clamp(end, start, count);
    }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    if (className == QLatin1String(CComboBox::staticMetaObject.className())) {
        return new CAccessibleCombo(static_cast<QComboBox*>(object));
    }
    if (className == QLatin1String("QCheckBox") || className == QLatin1String("QRadioButton") ||
        (className == QLatin1String("QToolButton") &&
         qobject_cast<CSpinButton*>(object->parent()))) {
        return new CAccessibleButton(static_cast<QAbstractButton*>(object));
    }
    if (className == QLatin1String("QLineEdit")) {
        return new CAccessibleLineEdit(static_cast<QLineEdit*>(object));
    }
    return nullptr;
}

// The controls of the code types, named after the type's radio button and then what names
// them of their own: a check box its text, a start or stop list its label, a pattern list the
// column it stands in, a form list what it chooses.
enum class OwnName { kText, kLabel, kPatternColumn, kForm };
struct TypeControlName {
    int radio;
    int id;
    OwnName own;
};
constexpr TypeControlName kTypeControlNames[] = {
    {IDC_NW7, IDC_CD_NW7, OwnName::kText},
    {IDC_NW7, IDC_PAT_NW7, OwnName::kPatternColumn},
    {IDC_NW7, IDC_NW7_START, OwnName::kLabel},
    {IDC_NW7, IDC_NW7_STOP, OwnName::kLabel},
    {IDC_CODE39, IDC_CD_CODE39, OwnName::kText},
    {IDC_CODE39, IDC_PAT_CODE39, OwnName::kPatternColumn},
    {IDC_JAN, IDC_CD_JAN, OwnName::kText},
    {IDC_JAN, IDC_PAT_JAN, OwnName::kPatternColumn},
    {IDC_JAN, IDC_JAN_FORM, OwnName::kForm},
    {IDC_ITF, IDC_CD_ITF, OwnName::kText},
    {IDC_ITF, IDC_PAT_ITF, OwnName::kPatternColumn},
    {IDC_ITF, IDC_ITF_FORM, OwnName::kForm},
    {IDC_CODE128, IDC_CD_CODE128, OwnName::kText},
    {IDC_CODE128, IDC_PAT_CODE128, OwnName::kPatternColumn},
    {IDC_CODE128, IDC_CODE128_START, OwnName::kLabel},
    {IDC_CODE128, IDC_CODE128_FORM, OwnName::kForm},
    {IDC_POSTAL, IDC_CD_POSTAL, OwnName::kText},
    {IDC_POSTAL, IDC_PAT_POSTAL, OwnName::kPatternColumn},
    {IDC_POSTAL, IDC_POSTAL_FORM, OwnName::kForm},
};

}  // namespace

void InstallAccessibleInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

void NameControls(QWidget& window, const std::vector<std::pair<QLabel*, int>>& labels) {
    auto control = [&window](int id) { return window.findChild<QWidget*>(QString::number(id)); };
    for (const auto& [label, id] : labels) label->setBuddy(control(id));
    for (CSpinButton* spin : window.findChildren<CSpinButton*>()) {
        for (const auto& [label, id] : labels) {
            if (control(id) == spin->Buddy()) spin->SetAccessibleLabel(label->text());
        }
    }
    for (const TypeControlName& t : kTypeControlNames) {
        QString own = QString::fromUtf8(str::kAccPatternColumn);
        if (t.own == OwnName::kText) own = static_cast<QAbstractButton*>(control(t.id))->text();
        if (t.own == OwnName::kForm) own = QString::fromUtf8(str::kAccForm);
        for (const auto& [label, id] : labels) {
            if (t.own == OwnName::kLabel && id == t.id) own = label->text();
        }
        const std::string type =
            static_cast<QAbstractButton*>(control(t.radio))->text().toUtf8().toStdString();
        control(t.id)->setAccessibleName(QString::fromUtf8(
            FormatText(str::kAccTypeControl, type.c_str(), own.toUtf8().toStdString().c_str())));
    }
}

}  // namespace diduzozoz
