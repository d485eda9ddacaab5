// The main dialog driven as a user drives it: clicks, keys, picks and spin steps, with the
// message boxes, beeps and clipboard captured.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <csignal>
#include <functional>
#include <memory>
#include <optional>

#include "base/BoundedCopy.h"
#include "base/Strings.h"
#include "qt/AboutDlg.h"
#include "qt/BarcodeWindow.h"
#include "qt/DialogTemplate.h"
#include "qt/ImageOutput.h"
#include "qt/LabelSheetWindow.h"
#include "qt/PreviewWidget.h"
#include "qt/SpinButton.h"
#include "tests/qt/Waiting.h"

using namespace diduzozoz;
using namespace diduzozoz::testing;

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// A dialog started in a folder of its own, with the given list files (none: no such file).
struct Harness {
    explicit Harness(std::optional<QByteArray> codeList = "7654321\n1234567\n",
                     std::optional<QByteArray> refList = "12\n345\n", bool withHooks = true,
                     std::function<void(const QImage&)> clipboard = nullptr) {
        oldCwd = QDir::currentPath();
        auto write = [this](const char* name, const std::optional<QByteArray>& bytes) {
            if (!bytes) return;
            QFile f(dir.filePath(QString::fromUtf8(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(*bytes);
        };
        write(str::kCodeListFile, codeList);
        write(str::kRefNoListFile, refList);
        QDir::setCurrent(dir.path());
        DialogHooks hooks;
        if (withHooks) {
            hooks.showMessage = [this](const QString& text) {
                messages << text;
                if (onMessage) onMessage();
            };
            hooks.beep = [this] { ++beeps; };
            hooks.setClipboardImage = std::move(clipboard);
            hooks.chooseSaveFile = [this](const QString& suggested) {
                suggestions << suggested;
                return saveAs;
            };
            hooks.choosePrinter = [this](QPrinter& printer) {
                return setUpPrinter && setUpPrinter(printer);
            };
        }
        dlg = std::make_unique<CBarcodeWindow>(hooks);
    }
    ~Harness() { QDir::setCurrent(oldCwd); }

    BarcodeJob& job() { return dlg->Job(); }
    CBarcodeDlg& logic() { return dlg->Dialog(); }
    template <class T>
    T* c(int id) {
        T* w = dlg->Control<T>(id);
        if (!w) qFatal("no control %d", id);
        return w;
    }
    QString status() { return c<QLineEdit>(IDC_STATUS)->text(); }
    QStringList items(int id) {
        QStringList out;
        auto* combo = c<QComboBox>(id);
        for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
        return out;
    }
    // Picks an item as the user does: the selection changes, then the combo reports it.
    void pick(int id, const QString& text) {
        auto* combo = c<QComboBox>(id);
        const int index = combo->findText(text);
        QVERIFY2(index >= 0, qPrintable(text));
        combo->setCurrentIndex(index);
        Q_EMIT combo->activated(index);
    }
    void click(int id) { QTest::mouseClick(c<QAbstractButton>(id), Qt::LeftButton); }
    // Shown, exposed, and the run its first paint started is over.
    void showAndSettle() {
        dlg->show();
        WAIT_UNTIL(dlg->windowHandle() && dlg->windowHandle()->isExposed(), "the dialog exposed");
        WAIT_UNTIL(logic().CreateRuns() > 0 && !logic().CreateQueued(), "the first paint's run");
    }

    QTemporaryDir dir;
    QString oldCwd;
    QStringList messages;
    std::function<void()> onMessage;
    int beeps = 0;
    // The file and print dialogs: what the user picks, and what they were offered.
    QString saveAs;
    QStringList suggestions;
    std::function<bool(QPrinter&)> setUpPrinter;
    std::unique_ptr<CBarcodeWindow> dlg;
};

// The files of a folder, sorted.
QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                  QDir::Name);
}

QByteArray Bytes(const std::vector<std::uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

// Runs a tool to its end (bounded); false when it is not installed or fails.
bool RunTool(const QString& program, const QStringList& args, QByteArray* out = nullptr) {
    if (QStandardPaths::findExecutable(program).isEmpty()) return false;
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(kWaitMs) || p.exitStatus() != QProcess::NormalExit ||
        p.exitCode() != 0) {
        p.kill();
        p.waitForFinished(kWaitMs);
        return false;
    }
    if (out) *out = p.readAllStandardOutput();
    return true;
}

const int kTypeSpecific[] = {1008, 1009, 1022, 1026, 1011, 1016, 1012, 1017, 1013, 1018,
                             1014, 1019, 1029, 1015, 1020, 1060, 1061, 1062, 1063};

QSet<int> EnabledTypeControls(Harness& h) {
    QSet<int> out;
    for (int id : kTypeSpecific) {
        if (h.c<QWidget>(id)->isEnabled()) out.insert(id);
    }
    return out;
}

// The preview shows the exported image at one image pixel per logical pixel, each a square of
// whole device pixels (crisp, never smoothed): 1 x 1 normally, 2 x 2 at a ratio of 2 or 2.5.
bool PreviewShows(Harness& h, const ExportImage& e) {
    const QImage preview = h.dlg->Control<CPreview>(IDC_PREVIEW)->Snapshot();
    const int s = std::max(1, qFloor(preview.devicePixelRatio() + 1e-6));
    if (preview.width() < e.width * s || preview.height() < e.height * s) return false;
    for (int y = 0; y < e.height * s; ++y) {
        for (int x = 0; x < e.width * s; ++x) {
            if ((qGray(preview.pixel(x, y)) == 0) != (e.At(x / s, y / s) == 1)) {
                qWarning("preview differs at device pixel (%d, %d), scale %d", x, y, s);
                return false;
            }
        }
    }
    return true;
}

// What the preview has painted on screen (the window's backing store), inside its frame.
QImage PaintedPreview(Harness& h) {
    auto* preview = h.c<CPreview>(IDC_PREVIEW);
    const QImage window = h.dlg->screen()->grabWindow(h.dlg->winId()).toImage();
    const qreal dpr = qreal(window.width()) / h.dlg->width();
    const QRect area(preview->mapTo(h.dlg.get(), preview->contentsRect().topLeft()),
                     preview->contentsRect().size());
    return window.copy(QRectF(QPointF(area.topLeft()) * dpr, QSizeF(area.size()) * dpr).toRect());
}

QAccessibleInterface* Acc(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

// Runs an action of an accessible interface as a screen reader or voice control would.
void DoAction(QAccessibleInterface* iface, const QString& action) {
    QVERIFY(iface && iface->actionInterface());
    QVERIFY2(iface->actionInterface()->actionNames().contains(action), qPrintable(action));
    iface->actionInterface()->doAction(action);
}

bool AllWhite(const QImage& image) {
    if (image.isNull()) return false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) != 255) return false;
        }
    }
    return true;
}

}  // namespace

class DialogTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init() {
        const std::chrono::seconds limit(
            qstrcmp(QTest::currentTestFunction(), "longRunMemory") == 0 ? 240 : 60);
        Watchdog::Get().Arm(std::string("DialogTest::") + QTest::currentTestFunction(), limit);
        QGuiApplication::clipboard()->clear();
    }
    void cleanup() { Watchdog::Get().Disarm(); }

    void startState() {
        Harness h;
        QVERIFY(h.messages.isEmpty());
        // Before any paint the status line is empty; the first paint runs the Create command.
        QCOMPARE(h.status(), QString());
        for (int id = IDC_NW7; id <= IDC_POSTAL; ++id) {
            QVERIFY(!h.c<QRadioButton>(id)->isChecked());
        }
        QVERIFY(EnabledTypeControls(h).isEmpty());
        QCOMPARE(h.c<QLineEdit>(IDC_HEIGHT)->text(), QStringLiteral("40"));
        QCOMPARE(h.c<QLineEdit>(IDC_MARGIN_X)->text(), QStringLiteral("10"));
        QCOMPARE(h.c<QLineEdit>(IDC_MARGIN_Y)->text(), QStringLiteral("20"));
        QCOMPARE(h.c<QComboBox>(IDC_LINE_UNIT)->currentText(), Q(str::kLineUnits[0]));

        // The option combos show their items in order, the first selected.
        QCOMPARE(h.items(IDC_NW7_START), (QStringList{"A", "B", "C", "D"}));
        for (int id :
             {IDC_PAT_NW7, IDC_NW7_START, IDC_NW7_STOP, IDC_PAT_CODE39, IDC_PAT_JAN, IDC_PAT_ITF,
              IDC_PAT_CODE128, IDC_CODE128_START, IDC_PAT_POSTAL, IDC_LINE_UNIT, IDC_JAN_FORM,
              IDC_ITF_FORM, IDC_CODE128_FORM, IDC_POSTAL_FORM}) {
            QCOMPARE(h.c<QComboBox>(id)->currentIndex(), 0);
        }

        // The window: title, fixed size, minimise and close only, icon.
        QCOMPARE(h.dlg->windowTitle(), QStringLiteral("DiDuzozoz（V　２．０１）"));
        QCOMPARE(h.dlg->minimumSize(), h.dlg->maximumSize());
        const Qt::WindowFlags flags = h.dlg->windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
        QVERIFY(h.dlg->windowIcon().availableSizes().contains(QSize(32, 32)));
        QVERIFY(h.dlg->windowIcon().availableSizes().contains(QSize(16, 16)));

        h.showAndSettle();
        QCOMPARE(h.status(), Q(str::kChooseType));
        QVERIFY(h.messages.isEmpty());
        QVERIFY(h.logic().CreateRuns() >= 1);
        const QImage preview = h.dlg->Control<CPreview>(IDC_PREVIEW)->Snapshot();
        QVERIFY(preview.width() > 0);
        QCOMPARE(qGray(preview.pixel(0, 0)), 255);
        QVERIFY(QGuiApplication::clipboard()->image().isNull());
    }

    // The dialog as a screen reader finds it: every control that takes input has a name, and
    // one of its own; labels name what they stand beside; read-only fields take no text.
    void accessibleTree() {
        Harness h;
        h.showAndSettle();
        const QSet<QAccessible::Role> inputRoles = {
            QAccessible::EditableText, QAccessible::ComboBox,       QAccessible::CheckBox,
            QAccessible::RadioButton,  QAccessible::PushButton,     QAccessible::SpinBox,
            QAccessible::Slider,       QAccessible::ButtonDropDown, QAccessible::ButtonMenu,
            QAccessible::ScrollBar,    QAccessible::Dial,           QAccessible::HotkeyField};
        QStringList nameless, repeated;
        QSet<QString> names;
        int inputs = 0;
        std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* iface) {
            if (inputRoles.contains(iface->role())) {
                ++inputs;
                const QString name = iface->text(QAccessible::Name).trimmed();
                const QString object = iface->object() ? iface->object()->objectName() : "";
                // A combo's edit field goes by the combo's name.
                const bool inCombo =
                    iface->parent() && iface->parent()->role() == QAccessible::ComboBox;
                if (name.isEmpty()) {
                    nameless
                        << QStringLiteral("role %1 object '%2'").arg(iface->role()).arg(object);
                } else if (!inCombo && names.contains(name)) {
                    repeated << name;
                }
                names.insert(name);
            }
            for (int i = 0; i < iface->childCount(); ++i) walk(iface->child(i));
        };
        walk(Acc(h.dlg.get()));
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(QLatin1String(", "))));
        QVERIFY2(repeated.isEmpty(), qPrintable(repeated.join(QLatin1String(", "))));
        QVERIFY(inputs >= 40);  // 12 combos and their lists' neighbours, 14 boxes and radios, ...

        const std::pair<QObject*, const char*> named[] = {
            {h.c<QComboBox>(IDC_CODE), "入力コード番号（又は郵便番号）"},
            {h.c<QComboBox>(IDC_CODE)->lineEdit(), "入力コード番号（又は郵便番号）"},
            {h.c<QComboBox>(IDC_REFNO), "整理番号(〒）"},
            {h.c<QLineEdit>(IDC_HEIGHT), "高さ（上下）"},
            {h.c<QLineEdit>(IDC_MARGIN_Y), "余白（上下）"},
            {h.c<QComboBox>(IDC_LINE_UNIT), "線単位"},
            {h.c<QCheckBox>(IDC_CD_NW7), "NW-７ CD"},
            {h.c<QComboBox>(IDC_CODE128_START), "CODE128 スタート"},
            {h.c<QComboBox>(IDC_POSTAL_FORM), "〒 形式"},
            {h.c<CSpinButton>(IDC_SPIN_MARGIN_X)->findChildren<QToolButton*>().value(1),
             "余白（左右） 減らす"},
            {h.c<QLineEdit>(IDC_STATUS), str::kAccStatus},
            {h.c<CPreview>(IDC_PREVIEW), str::kAccPreview},
        };
        for (const auto& [object, name] : named)
            QCOMPARE(Acc(object)->text(QAccessible::Name), Q(name));
        QVERIFY(Acc(h.c<QComboBox>(IDC_CODE)->lineEdit())->editableTextInterface());
        for (int id : {IDC_HEIGHT, IDC_MARGIN_X, IDC_MARGIN_Y, IDC_STATUS}) {
            QVERIFY(!Acc(h.c<QLineEdit>(id))->editableTextInterface());
            QVERIFY(Acc(h.c<QLineEdit>(id))->state().readOnly);
        }

        // The preview says what it shows: the status of the run that drew it and, once it is
        // read back, the verdict; or that nothing is drawn.
        auto* preview = h.c<CPreview>(IDC_PREVIEW);
        auto described = [preview] { return Acc(preview)->text(QAccessible::Description); };
        QCOMPARE(described(), Q(str::kAccPreviewBlank));
        h.click(IDC_NW7);
        h.click(IDC_CREATE);
        WAIT_UNTIL(h.logic().VerdictsArrived() > 0, "the drawing's verdict");
        QCOMPARE(described(), h.status() + QLatin1Char('\n') + preview->Verdict());
        h.click(IDC_JAN);
        h.click(IDC_CREATE);  // 7 digits: refused, the preview is white again
        QCOMPARE(described(), Q(str::kAccPreviewBlank));

        // Screen readers take a combo's current item from its list's selection.
        auto* unit = h.c<QComboBox>(IDC_LINE_UNIT);
        QTest::keyClick(unit, Qt::Key_Down);
        QCOMPARE(Acc(unit)->child(0)->tableInterface()->selectedRows(), QList<int>{1});

        // Every combo takes the focus when asked.
        h.dlg->activateWindow();
        WAIT_UNTIL(QApplication::activeWindow() == h.dlg.get(), "the dialog active");
        for (QComboBox* combo : h.dlg->findChildren<QComboBox*>()) {
            if (!combo->isEnabled()) continue;
            DoAction(Acc(combo), QAccessibleActionInterface::setFocusAction());
            WAIT_UNTIL(combo->hasFocus(), "the focus in the combo");
        }
    }

    // Every control taken through its accessible interface, as screen readers and voice
    // control take it, beside the mouse and the keyboard: the same handler runs, exactly once.
    void accessibleActions() {
        using Act = std::function<void(Harness&)>;
        const QString toggle = QAccessibleActionInterface::toggleAction();
        const QString press = QAccessibleActionInterface::pressAction();
        auto action = [](int id, const QString& name) -> Act {
            return [id, name](Harness& h) { DoAction(Acc(h.c<QWidget>(id)), name); };
        };
        auto click = [](int id) -> Act { return [id](Harness& h) { h.click(id); }; };
        auto keys = [](int id, const QString& text) -> Act {
            return [id, text](Harness& h) { QTest::keyClicks(h.c<QWidget>(id), text); };
        };
        auto item = [toggle](int id, int row) -> Act {
            return [id, row, toggle](Harness& h) {
                DoAction(Acc(h.c<QComboBox>(id))->child(0)->child(row), toggle);
            };
        };
        auto selectRow = [](int id, int row) -> Act {
            return [id, row](Harness& h) {
                QVERIFY(Acc(h.c<QComboBox>(id))->child(0)->tableInterface()->selectRow(row));
            };
        };
        using Edit = std::function<void(QAccessibleInterface*)>;
        auto edit = [](int id, Edit how) -> Act {
            return [id, how](Harness& h) {
                QWidget* w = h.c<QWidget>(id);
                auto* combo = qobject_cast<QComboBox*>(w);
                how(Acc(combo ? combo->lineEdit() : w));
            };
        };
        auto arrow = [](int id, int which, bool accessible) -> Act {
            return [=](Harness& h) {
                auto* button = h.c<CSpinButton>(id)->findChildren<QToolButton*>().value(which);
                if (accessible) {
                    DoAction(Acc(button), QAccessibleActionInterface::pressAction());
                } else {
                    QTest::mouseClick(button, Qt::LeftButton);
                }
            };
        };
        auto openAndClose = [press](int id) -> Act {
            return [id, press](Harness& h) {
                QAbstractItemView* list = h.c<QComboBox>(id)->view();
                DoAction(Acc(h.c<QWidget>(id)), press);
                WAIT_UNTIL(list->isVisible(), "the list open");
                DoAction(Acc(h.c<QWidget>(id)), press);
                WAIT_UNTIL(!list->isVisible(), "the list closed");
            };
        };
        auto code = [](const char* text) {
            return [text](Harness& h) {
                return QByteArray(h.job().m_szCode) == text && h.status() == QLatin1String(text) &&
                       h.c<QComboBox>(IDC_CODE)->currentText() == QLatin1String(text);
            };
        };
        auto nw7Start = [](const char* letter) {
            return [letter](Harness& h) { return QByteArray(h.job().m_szNW7Start) == letter; };
        };
        auto height = [](int value) {
            return [value](Harness& h) { return h.job().m_nBarHeight == value; };
        };
        auto code39 = [](Harness& h) {
            return h.job().m_nSymbology == 2 && h.c<QWidget>(IDC_CD_CODE39)->isEnabled() &&
                   !h.c<QWidget>(IDC_CD_NW7)->isEnabled();
        };
        auto nw7Cd = [](Harness& h) { return h.job().m_nCdNW7 == 0x11; };
        auto runes = [](Harness& h) {
            return h.job().m_nCdNW7 == 0x07 &&
                   h.status() == QStringLiteral("「 7. ルーンズ 」の選択：[ 07 ]");
        };
        struct Row {
            const char* what;
            int type;  // radio clicked first, or 0
            Act act;
            std::function<bool(Harness&)> holds;
            int userActions;
        };
        const Row rows[] = {
            {"radio clicked", 0, click(IDC_CODE39), code39, 1},
            {"radio toggled", 0, action(IDC_CODE39, toggle), code39, 1},
            {"chosen radio toggled", IDC_CODE39, action(IDC_CODE39, toggle), code39, 1},
            {"CD box clicked", IDC_NW7, click(IDC_CD_NW7), nw7Cd, 1},
            {"CD box toggled", IDC_NW7, action(IDC_CD_NW7, toggle), nw7Cd, 1},
            {"disabled CD box toggled", IDC_NW7, action(IDC_CD_CODE39, toggle),
             [](Harness& h) { return h.job().m_nCdCode39 == 0x01; }, 0},
            {"text box toggled", 0, action(IDC_TEXT_ABOVE, toggle),
             [](Harness& h) { return h.job().m_nTextPosition == 2; }, 1},
            {"other text box toggled", 0, action(IDC_TEXT_BELOW, toggle),
             [](Harness& h) { return h.job().m_nTextPosition == 1; }, 1},
            {"pattern item toggled", IDC_NW7, item(IDC_PAT_NW7, 6), runes, 1},
            {"pattern row selected", IDC_NW7, selectRow(IDC_PAT_NW7, 6), runes, 1},
            {"disabled pattern item toggled", IDC_NW7, item(IDC_PAT_CODE39, 0),
             [](Harness& h) { return h.c<QComboBox>(IDC_PAT_CODE39)->currentIndex() == 0; }, 0},
            {"start letter typed", IDC_NW7, keys(IDC_NW7_START, "C"), nw7Start("C"), 1},
            {"start item toggled", IDC_NW7, item(IDC_NW7_START, 3), nw7Start("D"), 1},
            {"start list opened and closed", IDC_NW7, openAndClose(IDC_NW7_START), nw7Start("A"),
             0},
            {"line unit by the Down key", 0,
             [](Harness& h) { QTest::keyClick(h.c<QWidget>(IDC_LINE_UNIT), Qt::Key_Down); },
             [](Harness& h) { return h.job().m_nLineUnit == 2; }, 1},
            {"line unit item toggled", 0, item(IDC_LINE_UNIT, 2),
             [](Harness& h) { return h.job().m_nLineUnit == 3; }, 1},
            {"current line unit toggled", 0, item(IDC_LINE_UNIT, 0),
             [](Harness& h) {
                 return h.job().m_nLineUnit == 1 &&
                        Acc(h.c<QComboBox>(IDC_LINE_UNIT))->child(0)->child(0)->state().selected;
             },
             0},
            {"code by the Down key", 0,
             [](Harness& h) { QTest::keyClick(h.c<QWidget>(IDC_CODE), Qt::Key_Down); },
             code("1234567"), 1},
            {"code item toggled", 0, item(IDC_CODE, 1), code("1234567"), 1},
            {"code typed", 0, keys(IDC_CODE, "A"), code("7654321A"), 1},
            {"code text inserted", 0,
             edit(IDC_CODE,
                  [](QAccessibleInterface* i) { i->editableTextInterface()->insertText(0, "A"); }),
             code("A7654321"), 1},
            {"code text replaced", 0,
             edit(IDC_CODE,
                  [](QAccessibleInterface* i) {
                      i->editableTextInterface()->replaceText(1, 6, "-");
                  }),
             code("7-1"), 1},
            {"code text deleted", 0,
             edit(IDC_CODE,
                  [](QAccessibleInterface* i) { i->editableTextInterface()->deleteText(0, 3); }),
             code("4321"), 1},
            {"code value set", 0,
             edit(IDC_CODE, [](QAccessibleInterface* i) { i->setText(QAccessible::Value, "12"); }),
             code("12"), 1},
            {"code text too long", 0,
             edit(IDC_CODE,
                  [](QAccessibleInterface* i) {
                      i->editableTextInterface()->insertText(0, QString(kMaxCodeBytes, '1'));
                  }),
             [](Harness& h) { return QByteArray(h.job().m_szCode) == "7654321" && h.beeps == 1; },
             0},
            {"reference number inserted", 0,
             edit(IDC_REFNO,
                  [](QAccessibleInterface* i) { i->editableTextInterface()->insertText(2, "9"); }),
             [](Harness& h) {
                 return QByteArray(h.job().m_szRefNo) == "129" && h.status() == "129";
             },
             1},
            {"reference number item toggled", 0, item(IDC_REFNO, 1),
             [](Harness& h) {
                 return QByteArray(h.job().m_szRefNo) == "345" && h.status() == "345";
             },
             1},
            {"終了 pressed", 0,
             [press](Harness& h) {
                 h.dlg->show();
                 DoAction(Acc(h.c<QWidget>(IDCANCEL)), press);
             },
             [](Harness& h) { return !h.dlg->isVisible(); }, 0},
            {"read-only height written", 0,
             edit(IDC_HEIGHT,
                  [](QAccessibleInterface* i) { i->setText(QAccessible::Value, "99"); }),
             [](Harness& h) { return h.c<QLineEdit>(IDC_HEIGHT)->text() == "40"; }, 0},
            {"height arrow clicked", 0, arrow(IDC_SPIN_HEIGHT, 0, false), height(41), 1},
            {"height arrow pressed", 0, arrow(IDC_SPIN_HEIGHT, 0, true), height(41), 1},
            {"作成 pressed", IDC_NW7, action(IDC_CREATE, press),
             [](Harness& h) { return h.job().m_export.width > 0; }, 1},
        };
        for (const Row& row : rows) {
            Harness h;
            if (row.type) h.click(row.type);
            const int before = h.logic().UserActions();
            row.act(h);
            QVERIFY2(!QTest::currentTestFailed(), row.what);
            WAIT_UNTIL(row.holds(h), row.what);  // a pressed button clicks a moment later
            const int actions = h.logic().UserActions() - before;
            QVERIFY2(actions == row.userActions,
                     qPrintable(QStringLiteral("%1: %2 user actions").arg(row.what).arg(actions)));
        }
    }

    // A press through the accessibility interfaces returns before the message box it leads
    // to opens: a screen reader waiting for its answer could not close the box.
    void accessiblePressReturnsBeforeTheBox() {
        Harness h("abc\n", "1\n", false);
        h.click(IDC_CODE39);
        h.c<CSpinButton>(IDC_SPIN_HEIGHT)->SetPos(150);
        QWidget* arrow = h.c<CSpinButton>(IDC_SPIN_HEIGHT)->findChildren<QToolButton*>().value(0);
        for (QWidget* button : {arrow, h.c<QWidget>(IDC_CREATE)}) {
            bool returned = false;
            bool openedInsideTheCall = false;
            WhenShown box("the message box", [&] {
                auto* active = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!active) return false;
                openedInsideTheCall = !returned;
                active->button(QMessageBox::Ok)->click();
                return true;
            });
            DoAction(Acc(button), QAccessibleActionInterface::pressAction());
            returned = true;
            WAIT_UNTIL(box.Done(), "the message box");
            QVERIFY2(!openedInsideTheCall, qPrintable(button->objectName()));
        }
    }

    void templateLayout() {
        Harness h;
        const DluMapper dlu(h.dlg->font());
        // Every control of the template is there, at its mapped position, in tab order.
        QList<QWidget*> tabStops;
        for (const ControlTemplate& t : MainDialogTemplate().controls) {
            if (t.id == IDC_STATIC) continue;
            auto* w = h.c<QWidget>(t.id);
            if (t.kind != ControlKind::kSpin) {  // a spin follows its buddy instead
                QCOMPARE(w->pos(), dlu.Rect(t.x, t.y, t.cx, t.cy).topLeft());
            }
            // Everything that takes input is reached by Tab; the spin buttons through their
            // buddies, which take the arrow keys. A label with an id only names its field.
            const bool input = t.kind != ControlKind::kSpin && t.kind != ControlKind::kFrame &&
                               t.kind != ControlKind::kLabel;
            QVERIFY2(!input || (w->focusPolicy() & Qt::TabFocus), qPrintable(w->objectName()));
            if (w->focusPolicy() & Qt::TabFocus) tabStops << w;
        }
        QCOMPARE(h.dlg->size(), dlu.Size(303, 357));
        QWidget* w = tabStops.first();
        for (int i = 1; i < tabStops.size(); ++i) {
            do {
                w = w->nextInFocusChain();
            } while (!tabStops.contains(w) && w != tabStops.first());
            QCOMPARE(w->objectName(), tabStops[i]->objectName());
        }
        // A spin button sits at its buddy's right edge.
        const QRect edit = h.c<QWidget>(IDC_HEIGHT)->geometry();
        QCOMPARE(h.c<QWidget>(IDC_SPIN_HEIGHT)->geometry().left(), edit.right() + 1);
        QVERIFY(h.c<QLineEdit>(IDC_STATUS)->isReadOnly());
    }

    // The spin buttons as widgets: the buddy shows the position, a refused one too; a step
    // that is taken puts the new drawing on the clipboard at once.
    void spins() {
        Harness h;
        auto* marginX = h.c<CSpinButton>(IDC_SPIN_MARGIN_X);
        for (int i = 0; i < 10; ++i) marginX->StepDown();
        QCOMPARE(h.messages, QStringList{QStringLiteral("左右の空白は、範囲外です")});
        QCOMPARE(h.job().m_nMarginX, 1);
        QCOMPARE(h.c<QLineEdit>(IDC_MARGIN_X)->text(), QStringLiteral("0"));

        h.click(IDC_NW7);
        auto* height = h.c<CSpinButton>(IDC_SPIN_HEIGHT);
        height->StepUp();
        QCOMPARE(h.status(), QStringLiteral("データ[　A7654321A　]の形で作成しました"));
        QCOMPARE(QGuiApplication::clipboard()->image().height(), 41 + 2 * 20);
        QCOMPARE(h.c<QLineEdit>(IDC_HEIGHT)->text(), QStringLiteral("41"));

        // A held arrow stops repeating when a message box takes the mouse.
        h.messages.clear();
        height->SetPos(150);
        auto* up = height->findChildren<QToolButton*>().value(0);
        QVERIFY(up && up->arrowType() == Qt::UpArrow);
        QTest::mousePress(up, Qt::LeftButton);
        WAIT_UNTIL(!h.messages.isEmpty(), "the held arrow's first step");
        QCOMPARE(h.messages, QStringList{QStringLiteral("高さは、範囲外です")});
        QVERIFY(!up->isDown());  // released: its repeat timer is stopped
        QTest::mouseRelease(up, Qt::LeftButton);

        // The buddy's arrow keys step too.
        QTest::keyClick(h.c<QLineEdit>(IDC_HEIGHT), Qt::Key_Up);
        QTest::keyClick(h.c<QLineEdit>(IDC_HEIGHT), Qt::Key_Up);
        QCOMPARE(h.job().m_nBarHeight, 22);
        QCOMPARE(h.c<QLineEdit>(IDC_HEIGHT)->text(), QStringLiteral("22"));
    }

    void keys() {
        Harness h;
        h.showAndSettle();
        h.click(IDC_NW7);
        const QString status = h.status();
        const int runs = h.logic().CreateRuns();
        auto* code = h.c<QComboBox>(IDC_CODE);
        for (QWidget* target : {static_cast<QWidget*>(code->lineEdit()), h.c<QWidget>(IDC_CREATE),
                                static_cast<QWidget*>(h.dlg.get())}) {
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
                QTest::keyClick(target, key);
            }
        }
        QCOMPARE(h.beeps, 9);
        QTest::keyClick(code->lineEdit(), Qt::Key_F1);
        QCOMPARE(h.beeps, 9);
        QVERIFY(h.dlg->isVisible());
        QCOMPARE(h.dlg->result(), 0);
        QCOMPARE(h.logic().CreateRuns(), runs);
        QCOMPARE(h.status(), status);
        QCOMPARE(code->count(), 2);  // Enter added no item

        h.click(IDCANCEL);
        QVERIFY(!h.dlg->isVisible());
    }

    // Qt's editable combo reports leaving its edit field with an item's text in it as a pick
    // of that item. The user only moved on: the status line and the record of messages shown
    // must stay as they were.
    void leavingABoxIsNoPick_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("code") << int(IDC_CODE) << "1234567"
                              << "9876543";
        QTest::newRow("reference number") << int(IDC_REFNO) << "345"
                                          << "678";
    }
    void leavingABoxIsNoPick() {
        QFETCH(int, id);
        QFETCH(QString, first);
        QFETCH(QString, second);
        Harness h("7654321\n1234567\n9876543\n", "12\n345\n678\n");
        h.showAndSettle();
        h.dlg->activateWindow();
        WAIT_UNTIL(QApplication::activeWindow() == h.dlg.get(), "the dialog active");
        auto* box = h.c<QComboBox>(id);
        auto typeAndCreate = [&](const QString& text) {
            box->setFocus();
            WAIT_UNTIL(box->hasFocus(), "the focus in the box");
            box->lineEdit()->selectAll();
            QTest::keyClicks(box->lineEdit(), text);
            h.c<QPushButton>(IDC_CREATE)->click();  // the focus stays in the box
        };

        // JAN refuses both codes (7 digits): the box is shown once, also by later paints.
        h.click(IDC_JAN);
        typeAndCreate(first);
        QCOMPARE(h.messages, QStringList{Q(str::kJanLength)});
        QTest::keyClick(box, Qt::Key_Tab);
        WAIT_UNTIL(!box->hasFocus(), "the focus gone from the box");
        h.logic().OnPaint();
        WAIT_UNTIL(!h.logic().CreateQueued(), "the paint-started run");
        QCOMPARE(h.messages.size(), 1);

        h.click(IDC_NW7);
        typeAndCreate(second);
        const QString made = h.status();
        QVERIFY(made.endsWith(QStringLiteral("の形で作成しました")));
        QTest::keyClick(box, Qt::Key_Tab);
        WAIT_UNTIL(!box->hasFocus(), "the focus gone from the box");
        QCOMPARE(h.status(), made);
        QCOMPARE(box->currentText(), second);
        const char* member = id == IDC_CODE ? h.job().m_szCode : h.job().m_szRefNo;
        QCOMPARE(QString::fromUtf8(member), second);
    }

    void inputLimits_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("limit");
        QTest::newRow("code") << int(IDC_CODE) << kMaxCodeBytes;
        QTest::newRow("reference number") << int(IDC_REFNO) << kMaxRefNoBytes;
    }
    void inputLimits() {
        QFETCH(int, id);
        QFETCH(int, limit);
        Harness h;
        QLineEdit* edit = h.c<QComboBox>(id)->lineEdit();
        edit->clear();
        QTest::keyClicks(edit, QString(limit - 2, QLatin1Char('1')));
        // 3 bytes where 2 are left: refused.
        QKeyEvent kana(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("あ"));
        QCoreApplication::sendEvent(edit, &kana);
        QCOMPARE(h.beeps, 1);
        QTest::keyClicks(edit, QStringLiteral("23"));
        QTest::keyClicks(edit, QStringLiteral("4"));
        QCOMPARE(h.beeps, 2);
        const QByteArray expected = QByteArray(limit - 2, '1') + "23";
        QCOMPARE(edit->text().toUtf8(), expected);
        const char* member = id == IDC_CODE ? h.job().m_szCode : h.job().m_szRefNo;
        QCOMPARE(QByteArray(member), expected);
        // A paste that does not fit is refused whole, not cut.
        edit->clear();
        QGuiApplication::clipboard()->setText(QString(limit + 1, QLatin1Char('9')));
        edit->paste();
        QCOMPARE(edit->text(), QString());
        QCOMPARE(h.beeps, 3);
    }

    void paintOccasionsCoalesceAndRestore() {
        Harness h;
        h.showAndSettle();
        const int runs = h.logic().CreateRuns();
        for (int i = 0; i < 5; ++i) h.logic().OnPaint();
        WAIT_UNTIL(!h.logic().CreateQueued(), "the queued run");
        QCOMPARE(h.logic().CreateRuns(), runs + 1);
        h.dlg->showMinimized();
        WAIT_UNTIL(h.dlg->isMinimized() && !h.logic().CreateQueued(), "the dialog minimised");
        const int minimised = h.logic().CreateRuns();
        h.dlg->showNormal();
        WAIT_UNTIL(h.logic().CreateRuns() > minimised, "a run after the restore");
    }

    // Every run clears the preview first; one that stops on a refusal must leave it white on
    // screen too, or the last barcode stands there as if it were the one just refused.
    void refusedRunsShowBlankPreview_data() {
        QTest::addColumn<int>("occasion");
        QTest::newRow("作成") << int(CBarcodeDlg::Occasion::kButton);
        QTest::newRow("spin step") << int(CBarcodeDlg::Occasion::kSpin);
        QTest::newRow("paint") << int(CBarcodeDlg::Occasion::kPaint);
    }
    void refusedRunsShowBlankPreview() {
        QFETCH(int, occasion);
        Harness h("12\na\n", "1\n");
        h.showAndSettle();
        h.click(IDC_NW7);
        h.click(IDC_CREATE);
        const QSize drawn(h.job().m_export.width, h.job().m_export.height);
        WAIT_UNTIL(!AllWhite(PaintedPreview(h)), "A12A on screen");

        h.pick(IDC_CODE, QStringLiteral("a"));
        switch (static_cast<CBarcodeDlg::Occasion>(occasion)) {
            case CBarcodeDlg::Occasion::kButton:
                h.click(IDC_CREATE);
                break;
            case CBarcodeDlg::Occasion::kSpin:
                h.c<CSpinButton>(IDC_SPIN_HEIGHT)->StepUp();
                break;
            case CBarcodeDlg::Occasion::kPaint:
                h.logic().OnPaint();
                WAIT_UNTIL(!h.logic().CreateQueued(), "the paint-started run");
                break;
        }
        QCOMPARE(h.messages, QStringList{Q(str::kNw7Code)});
        QVERIFY(AllWhite(h.c<CPreview>(IDC_PREVIEW)->Snapshot()));
        WAIT_UNTIL(AllWhite(PaintedPreview(h)), "the white preview on screen");
        // The clipboard keeps the last barcode drawn.
        QCOMPARE(QGuiApplication::clipboard()->image().size(), drawn);
    }

    // The verdict line stands below or beside the drawing where there is room, so the preview
    // shows on screen exactly what went to the clipboard: here a drawing that reaches down
    // past the preview's bottom, caption below, with the verdict to its right.
    void verdictLeavesTheDrawingUncovered() {
        Harness h("C77+\n", "1\n");
        h.showAndSettle();
        h.click(IDC_NW7);
        h.click(IDC_CD_NW7);
        h.click(IDC_TEXT_BELOW);
        auto* height = h.c<CSpinButton>(IDC_SPIN_HEIGHT);
        height->SetPos(148);
        height->StepUp();
        QCOMPARE(h.job().m_nBarHeight, 149);
        auto* preview = h.c<CPreview>(IDC_PREVIEW);
        WAIT_UNTIL(h.logic().VerdictsArrived() > 0 && !preview->Verdict().isEmpty() &&
                       preview->Verdict() != Q(str::kVerdictPending),
                   "the verdict");
        const ExportImage e = h.job().m_export;
        const QRect drawing(preview->contentsRect().topLeft(), QSize(e.width, e.height));
        QVERIFY(e.height > preview->contentsRect().height() - preview->VerdictRect().height());
        QVERIFY2(!preview->VerdictRect().intersects(drawing),
                 qPrintable(QStringLiteral("verdict at %1,%2 %3x%4")
                                .arg(preview->VerdictRect().x())
                                .arg(preview->VerdictRect().y())
                                .arg(preview->VerdictRect().width())
                                .arg(preview->VerdictRect().height())));
        // On screen: every pixel of the drawing that the preview has room for.
        WAIT_UNTIL(
            [&] {
                const QImage shown = PaintedPreview(h);
                for (int y = 0; y < std::min(e.height, shown.height()); ++y) {
                    for (int x = 0; x < std::min(e.width, shown.width()); ++x) {
                        if ((qGray(shown.pixel(x, y)) < 128) != (e.At(x, y) == 1)) return false;
                    }
                }
                return true;
            }(),
            "the drawing whole on screen");
    }

    void createCopiesToClipboardAndPreview() {
        Harness h("1234567\nabc\n", "1\n");
        h.click(IDC_NW7);
        h.click(IDC_CREATE);
        QCOMPARE(h.status(), QStringLiteral("データ[　A1234567A　]の形で作成しました"));
        const ExportImage& e = h.job().m_export;
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(e.width, e.height));
        const QImage expected = ToQImage(e);
        QCOMPARE(copied.convertToFormat(QImage::Format_RGB32),
                 expected.convertToFormat(QImage::Format_RGB32));
        for (int y = 0; y < e.height; ++y) {
            for (int x = 0; x < e.width; ++x) {
                const QRgb p = copied.pixel(x, y);
                QVERIFY(p == qRgb(0, 0, 0) || p == qRgb(255, 255, 255));
            }
        }
        QVERIFY(PreviewShows(h, e));

        // A run that ends without an export leaves the clipboard alone.
        h.click(IDC_CODE39);
        h.pick(IDC_CODE, QStringLiteral("abc"));
        h.click(IDC_CREATE);
        QCOMPARE(h.messages, QStringList{Q(str::kCode39Code)});
        QCOMPARE(QGuiApplication::clipboard()->image().size(), copied.size());
        QCOMPARE(QByteArray(h.job().m_szCode), QByteArray("abc"));
    }

    void realMessageBox() {
        auto box = MessageBoxFor(nullptr, QStringLiteral("x"));
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box->windowTitle(), QCoreApplication::applicationName());
        QVERIFY(box->windowTitle().startsWith(QStringLiteral("dialog_tests")));

        // The dialog's own box, found and dismissed as a user would.
        Harness h("abc\n", "1\n", false);
        h.click(IDC_CODE39);
        const QString status = h.status();
        QString seen;
        WhenShown shown("the message box", [&seen] {
            auto* active = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!active) return false;
            seen = active->text();
            active->button(QMessageBox::Ok)->click();
            return true;
        });
        h.click(IDC_CREATE);  // returns when the box is closed
        QVERIFY2(shown.Done(), shown.What());
        QCOMPARE(seen, Q(str::kCode39Code));
        QCOMPARE(h.status(), status);
    }

    void aboutBox() {
        Harness h;
        QCOMPARE(h.dlg->AboutAction()->text(), QStringLiteral("DiDuzozoz のﾊﾞｰｼﾞｮﾝ情報(&A)..."));
        h.showAndSettle();
        QString title;
        bool okIsDefault = false;
        WhenShown aboutBox("the about box", [&] {
            auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
            if (!about) return false;
            title = about->windowTitle();
            auto* ok = about->findChild<QPushButton*>(QStringLiteral("1"));
            okIsDefault = ok && ok->isDefault() && ok->text() == QLatin1String("OK");
            if (ok) ok->click();
            return true;
        });
        // The context menu offers the item; choosing it opens the box.
        bool offered = false;
        WhenShown menu("the context menu", [&] {
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!popup) return false;
            offered = popup->actions().contains(h.dlg->AboutAction());
            popup->close();
            if (offered) h.dlg->AboutAction()->trigger();
            return true;
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                h.dlg->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(h.dlg.get(), &event);  // returns when the menu is closed
        QVERIFY2(menu.Done(), menu.What());
        QVERIFY(offered);
        QVERIFY2(aboutBox.Done(), aboutBox.What());
        QCOMPARE(title, QStringLiteral("DiDuzozozのﾊﾞｰｼﾞｮﾝ情報"));
        QVERIFY(okIsDefault);
    }

    // The label dialog from the context menu: the code list as its source, the sheets it takes
    // and the first sheet's preview; saving writes a PDF a page a sheet and tells the read-back.
    void labelSheetSaves() {
        Harness h("490123400001\n490123400002\n490123400003\n", "1\n");
        h.click(IDC_JAN);
        h.click(IDC_CD_JAN);
        QVERIFY(h.job().m_nCdJan & kCheckDigitOn);
        h.showAndSettle();
        const QString pdf = h.dir.filePath(QStringLiteral("labels.pdf"));
        h.saveAs = pdf;
        QString summary;
        QStringList layouts;
        int previewLabels = -1;
        bool closed = false;
        WhenShown labels("the label dialog", [&] {
            auto* dialog = qobject_cast<CLabelSheetWindow*>(QApplication::activeModalWidget());
            if (!dialog) return false;
            summary = dialog->Control<QLabel>(IDC_LS_SUMMARY)->text();
            auto* layout = dialog->Control<QComboBox>(IDC_LS_LAYOUT);
            for (int i = 0; i < layout->count(); ++i) layouts << layout->itemText(i);
            previewLabels = dialog->Logic().PreviewLabels();
            QTest::mouseClick(dialog->Control<QPushButton>(IDC_LS_SAVE), Qt::LeftButton);
            QTest::mouseClick(dialog->Control<QPushButton>(IDCANCEL), Qt::LeftButton);
            closed = !dialog->isVisible();
            return true;
        });
        bool offered = false;
        WhenShown menu("the context menu", [&] {
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!popup) return false;
            offered = popup->actions().contains(h.dlg->LabelSheetAction());
            popup->close();
            if (offered) h.dlg->LabelSheetAction()->trigger();
            return true;
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                h.dlg->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(h.dlg.get(), &event);
        QVERIFY2(menu.Done(), menu.What());
        QVERIFY(offered);
        QCOMPARE(h.dlg->LabelSheetAction()->text(), QStringLiteral("ラベル印刷..."));
        QVERIFY2(labels.Done(), labels.What());
        QVERIFY(closed);
        QCOMPARE(layouts, QStringList({QStringLiteral("A4 3×8（70×37 mm）"),
                                       QStringLiteral("A4 4×11（48.3×25.4 mm）"),
                                       QStringLiteral("A4 2×6（86.4×42.3 mm）")}));
        QCOMPARE(summary, QStringLiteral("1 枚（ラベル 3 枚）"));
        QCOMPARE(previewLabels, 3);
        // Saved at 600 dpi: 7 dots a pixel, as JAN's modules may not be under 0.264 mm.
        QCOMPARE(h.messages,
                 QStringList{QStringLiteral(
                     "ラベル 3 枚のうち 3 枚が読み取り確認に合格しました。\n"
                     "1 ピクセル = 7 ドット（600 dpi、モジュール幅 0.296 mm）：最小 0.264 mm"
                     "（JAN-13）に合わせて 6 ドットから切り上げ\n"
                     "注意：バーの高さ 11.3 mm（必要 20.5 mm）（ラベル 3 枚）")});
        QCOMPARE(FilesIn(h.dir.path()).filter(QStringLiteral("labels")),
                 QStringList{QStringLiteral("labels.pdf")});  // no temporary file left
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("%PDF-"));
        QCOMPARE(bytes.count("/Type /Page "), 1);
        // An independent reader of PDF agrees on the pages and their size, where installed.
        const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
        if (!pdfinfo.isEmpty()) {
            QProcess info;
            info.start(pdfinfo, {pdf});
            QVERIFY(info.waitForFinished(kWaitMs));
            const QString out = QString::fromUtf8(info.readAllStandardOutput());
            QVERIFY2(out.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))),
                     qPrintable(out));
            QVERIFY2(out.contains(QStringLiteral("(A4)")), qPrintable(out));
        }
    }

    // Printing a serial run: the read-back is told first, then every sheet goes to the
    // printer as a page of its own (a PDF printer here, read by an independent program), then
    // what the printer's dots made of the size.
    void labelSheetPrints() {
        const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
        if (pdfinfo.isEmpty()) QSKIP("pdfinfo is not installed");
        Harness h("490123400001\n", "1\n");
        h.click(IDC_JAN);
        h.click(IDC_CD_JAN);
        h.showAndSettle();
        const QString printed = h.dir.filePath(QStringLiteral("printed.pdf"));
        QStringList messagesBeforePrinting;
        h.setUpPrinter = [&](QPrinter& printer) {
            messagesBeforePrinting = h.messages;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printed);
            return true;
        };
        QString summary;
        WhenShown labels("the label dialog", [&] {
            auto* dialog = qobject_cast<CLabelSheetWindow*>(QApplication::activeModalWidget());
            if (!dialog) return false;
            QTest::mouseClick(dialog->Control<QRadioButton>(IDC_LS_SERIAL), Qt::LeftButton);
            auto* count = dialog->Control<QLineEdit>(IDC_LS_COUNT);
            count->selectAll();
            QTest::keyClicks(count, QStringLiteral("45"));
            summary = dialog->Control<QLabel>(IDC_LS_SUMMARY)->text();
            QTest::mouseClick(dialog->Control<QPushButton>(IDC_LS_PRINT), Qt::LeftButton);
            dialog->reject();
            return true;
        });
        h.dlg->LabelSheetAction()->trigger();
        QVERIFY2(labels.Done(), labels.What());
        QCOMPARE(summary, QStringLiteral("2 枚（ラベル 45 枚）"));
        QCOMPARE(
            messagesBeforePrinting,
            QStringList{QStringLiteral("ラベル 45 枚のうち 45 枚が読み取り確認に合格しました。")});
        // And after printing, what the PDF printer's 1200 dpi made of the size: 13 dots a
        // pixel give 0.275 mm modules, so no rounding, but bars of 38 pixels are 10.5 mm where
        // GS1 asks 22.85 x 0.275 / 0.330 = 19.1: a warning, the labels still printed.
        QCOMPARE(
            h.messages,
            messagesBeforePrinting +
                QStringList{QStringLiteral(
                    "印刷しました。\n注意：バーの高さ 10.5 mm（必要 19.1 mm）（ラベル 45 枚）")});
        QProcess info;
        info.start(pdfinfo, {printed});
        QVERIFY(info.waitForFinished(kWaitMs));
        const QString out = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(out.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))),
                 qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("(A4)")), qPrintable(out));
    }

    // Save in all four formats: the file is exactly the encoding at 96 dpi of the barcode the
    // preview shows, its format named by its extension in any case; the folder is offered
    // again; nothing else changes.
    void saveAllFormats() {
        int offers = 0;
        Harness h("1234567\n", "1\n", true, [&offers](const QImage&) { ++offers; });
        h.click(IDC_NW7);
        h.click(IDC_TEXT_BELOW);
        QVERIFY(!h.dlg->SaveAction()->isEnabled());  // nothing exported yet
        h.click(IDC_CREATE);
        QVERIFY(h.dlg->SaveAction()->isEnabled());
        const ExportImage e = h.job().m_export;
        const QString status = h.status();
        const int runs = h.logic().CreateRuns();
        QTemporaryDir out;
        struct Row {
            const char* name;
            ImageFormat format;
        } rows[] = {{"a.png", ImageFormat::kPng},
                    {"b.SVG", ImageFormat::kSvg},
                    {"c.pdf", ImageFormat::kPdf},
                    {"d.eps", ImageFormat::kEps}};
        for (const Row& row : rows) {
            h.saveAs = out.filePath(QString::fromLatin1(row.name));
            h.dlg->SaveAction()->trigger();
            QCOMPARE(h.messages, QStringList());
            QFile f(h.saveAs);
            QVERIFY2(f.open(QIODevice::ReadOnly), row.name);
            std::vector<std::uint8_t> expected;
            QVERIFY(EncodeImage(e, row.format, 96, expected));
            QVERIFY2(f.readAll() == Bytes(expected), row.name);
        }
        const QImage png(out.filePath(QStringLiteral("a.png")));
        QCOMPARE(png.convertToFormat(QImage::Format_RGB32),
                 ToQImage(e).convertToFormat(QImage::Format_RGB32));
        QCOMPARE(png.dotsPerMeterX(), 3780);  // 96 dpi
        QCOMPARE(h.suggestions.size(), 4);
        QCOMPARE(QFileInfo(h.suggestions[1]).absolutePath(),
                 QFileInfo(out.path()).absoluteFilePath());
        QCOMPARE(QFileInfo(h.suggestions[2]).suffix(), QStringLiteral("svg"));  // the last kind
        QCOMPARE(FilesIn(out.path()), (QStringList{"a.png", "b.SVG", "c.pdf", "d.eps"}));
        QCOMPARE(h.status(), status);
        QCOMPARE(h.logic().CreateRuns(), runs);
        QCOMPARE(offers, 1);

        // Cancelled: nothing happens at all.
        h.saveAs.clear();
        h.dlg->SaveAction()->trigger();
        QCOMPARE(h.messages, QStringList());
        QCOMPARE(FilesIn(out.path()).size(), 4);
    }

    // Every way a save can fail: one clear message of our own, no file or temporary file left
    // behind, an older file kept as it was, the dialog and the clipboard untouched.
    void saveFailures_data() {
        QTest::addColumn<QString>("target");  // relative to a fresh folder, or absolute
        QTest::addColumn<QString>("message");
        QTest::newRow("folder") << "x.png" << Q(str::kSaveIsFolder);
        QTest::newRow("no extension") << "barcode" << Q(str::kSaveNeedsExtension);
        QTest::newRow("unknown extension") << "barcode.bmp" << Q(str::kSaveNeedsExtension);
        QTest::newRow("missing folder") << "nowhere/x.png" << Q(str::kSaveCannotCreate);
        // Not even root creates files here.
        QTest::newRow("read-only place") << "/proc/diduzozoz.png" << Q(str::kSaveCannotCreate);
        QTest::newRow("read-only file") << "old.pdf" << Q(str::kSaveReadOnlyFile);
        QTest::newRow("full disk") << "old.pdf" << Q(str::kSaveWriteFailed);
    }
    void saveFailures() {
        QFETCH(QString, target);
        QFETCH(QString, message);
        const QString row = QString::fromLatin1(QTest::currentDataTag());
        int offers = 0;
        Harness h("1234567\n", "1\n", true, [&offers](const QImage&) { ++offers; });
        h.click(IDC_CODE39);
        h.click(IDC_CREATE);
        const QString status = h.status();
        QTemporaryDir out;
        QVERIFY(QDir(out.path()).mkdir(QStringLiteral("x.png")));
        const QString oldFile = out.filePath(QStringLiteral("old.pdf"));
        {
            QFile old(oldFile);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old");
        }
        if (row == QLatin1String("read-only file")) {
            if (::geteuid() == 0) QSKIP("root writes over read-only files");
            QFile::setPermissions(oldFile, QFile::ReadOwner);
        }
        const QStringList before = FilesIn(out.path());
        h.saveAs = QDir(out.path()).filePath(target);

        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        const bool fullDisk = row == QLatin1String("full disk");
        if (fullDisk) {
            // A disk that takes 64 bytes: the write fails with EFBIG instead of a signal.
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit small = limit;
            small.rlim_cur = 64;
            QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        }
        h.dlg->SaveAction()->trigger();
        if (fullDisk) {
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, SIG_DFL);
        }

        const QString shown = QDir::toNativeSeparators(h.saveAs);
        QCOMPARE(
            h.messages,
            QStringList{Q(FormatText(message.toUtf8().constData(), shown.toUtf8().constData()))});
        QCOMPARE(FilesIn(out.path()), before);
        QFile old(oldFile);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old"));
        QVERIFY(!QFileInfo::exists(QStringLiteral("/proc/diduzozoz.png")));
        QCOMPARE(h.status(), status);
        QCOMPARE(offers, 1);
        QVERIFY(h.dlg->SaveAction()->isEnabled());
    }

    // Copy again puts the same two formats back on the clipboard with Ctrl+Shift+C or from the
    // context menu, while Ctrl+C in an edit field still copies its text. Only what the preview
    // shows is copied, saved or printed: nothing before the first barcode or after a refusal.
    void copyAgainAndTheContextMenu() {
        Harness h("1234567\nabc\n", "1\n", true);
        h.showAndSettle();
        h.dlg->activateWindow();
        WAIT_UNTIL(h.dlg->isActiveWindow(), "the dialog active");
        QClipboard* clipboard = QGuiApplication::clipboard();
        auto* code = h.c<QComboBox>(IDC_CODE);
        for (QAction* a : {h.dlg->SaveAction(), h.dlg->CopyAction(), h.dlg->PrintAction()}) {
            QVERIFY(!a->isEnabled());
        }
        h.click(IDC_NW7);
        h.click(IDC_CREATE);
        const ExportImage e = h.job().m_export;
        auto holdsTheBarcode = [&] {
            const QMimeData* data = clipboard->mimeData();
            return data && data->hasImage() &&
                   clipboard->image().convertToFormat(QImage::Format_RGB32) ==
                       ToQImage(e).convertToFormat(QImage::Format_RGB32) &&
                   data->data(QStringLiteral("image/svg+xml")) ==
                       QByteArray::fromStdString(EncodeSvg(e, 96));
        };
        QVERIFY(holdsTheBarcode());

        clipboard->setText(QStringLiteral("something else"));
        code->lineEdit()->selectAll();
        QTest::keyClick(code->lineEdit(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("1234567"));
        QVERIFY(!clipboard->mimeData()->hasImage());
        QTest::keyClick(code->lineEdit(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(holdsTheBarcode());

        // The menu on the preview: the three items with their shortcuts, then the about item.
        clipboard->setText(QStringLiteral("something else"));
        QStringList items;
        WhenShown menu("the context menu", [&] {
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!popup) return false;
            for (QAction* a : popup->actions()) {
                items << (a->isSeparator()
                              ? QStringLiteral("-")
                              : a->text() + u' ' +
                                    a->shortcut().toString(QKeySequence::PortableText) +
                                    (a->isEnabled() ? "" : " (disabled)"));
            }
            popup->close();
            h.dlg->CopyAction()->trigger();
            return true;
        });
        auto* preview = h.c<QWidget>(IDC_PREVIEW);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                preview->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(preview, &event);  // returns when the menu is closed
        QVERIFY2(menu.Done(), menu.What());
        QCOMPARE(items,
                 (QStringList{Q(str::kMenuSave) + " Ctrl+S", Q(str::kMenuCopy) + " Ctrl+Shift+C",
                              Q(str::kMenuPrint) + " Ctrl+P", Q(str::kLabelMenu) + " ", "-",
                              QStringLiteral("DiDuzozoz のﾊﾞｰｼﾞｮﾝ情報(&A)...") + " "}));
        QVERIFY(holdsTheBarcode());

        // A refused run leaves a white preview: nothing to copy, save or print.
        h.click(IDC_CODE39);
        h.pick(IDC_CODE, QStringLiteral("abc"));
        h.click(IDC_CREATE);
        QCOMPARE(h.messages, QStringList{Q(str::kCode39Code)});
        clipboard->setText(QStringLiteral("kept"));
        h.saveAs = QDir::temp().filePath(QStringLiteral("never.png"));
        for (QKeySequence keys :
             {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_S),
              QKeySequence(Qt::CTRL | Qt::Key_P)}) {
            QTest::keySequence(h.dlg.get(), keys);
        }
        QCOMPARE(clipboard->text(), QStringLiteral("kept"));
        QVERIFY(h.suggestions.isEmpty());
        QVERIFY(!QFileInfo::exists(h.saveAs));
        QCOMPARE(h.beeps, 0);
    }

    // Printed at physical size on whole dots: every barcode pixel is the same k x k block of
    // printer dots, k the whole number nearest to the dots of 1/96 inch, checked on the page
    // rasterised at the printer's resolution; the note under it gives the module width.
    void printAtWholeDots_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("dots");
        QTest::addColumn<QString>("module");
        QTest::newRow("600 dpi, 6.25 dots a pixel") << IDC_CODE39 << 600 << 1 << 6 << "0.254 mm";
        QTest::newRow("300 dpi, unit 2") << IDC_CODE39 << 300 << 2 << 3 << "0.508 mm";
        QTest::newRow("1200 dpi, unit 3") << IDC_CODE39 << 1200 << 3 << 13 << "0.825 mm";
        // 6 dots would make JAN's modules 0.254 mm, under GS1's 0.264.
        QTest::newRow("JAN at 600 dpi, 7 dots") << IDC_JAN << 600 << 1 << 7 << "0.296 mm";
    }
    void printAtWholeDots() {
        QFETCH(int, type);
        QFETCH(int, dpi);
        QFETCH(int, unit);
        QFETCH(int, dots);
        QFETCH(QString, module);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            QSKIP("poppler-utils are not installed");
        }
        Harness h(type == IDC_JAN ? "490123456789\n" : "1234567\n", "1\n");
        h.click(type);
        h.click(IDC_TEXT_BELOW);
        h.pick(IDC_LINE_UNIT, Q(str::kLineUnits[unit - 1]));
        h.click(IDC_CREATE);
        const ExportImage e = h.job().m_export;
        QTemporaryDir out;
        const QString pdf = out.filePath(QStringLiteral("print.pdf"));
        h.setUpPrinter = [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setResolution(dpi);
            printer.setPageSize(QPageSize(QPageSize::A4));
            printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
            return true;
        };
        h.dlg->PrintAction()->trigger();
        QCOMPARE(h.messages, QStringList());

        const QString raster = out.filePath(QStringLiteral("page"));
        const int margin = dpi;  // room for the page's margins, an inch
        QVERIFY(RunTool(QStringLiteral("pdftoppm"),
                        {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"),
                         QStringLiteral("-singlefile"), QStringLiteral("-x"), QStringLiteral("0"),
                         QStringLiteral("-y"), QStringLiteral("0"), QStringLiteral("-W"),
                         QString::number(e.width * dots + margin), QStringLiteral("-H"),
                         QString::number(e.height * dots + margin), pdf, raster}));
        const QImage page(raster + QStringLiteral(".pgm"));
        QVERIFY(!page.isNull());
        // The barcode's first black pixel lines the two up (the note lies below it).
        auto firstBlack = [](int w, int h, auto black) {
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    if (black(x, y)) return QPoint(x, y);
                }
            }
            return QPoint(-1, -1);
        };
        const QPoint inImage =
            firstBlack(e.width, e.height, [&](int x, int y) { return e.At(x, y) == 1; });
        const QPoint onPage = firstBlack(page.width(), page.height(), [&](int x, int y) {
            return qGray(page.pixel(x, y)) < 128;
        });
        // At the top left of the printable area, where the 10 mm margins end (which printers
        // and Qt count in whole points).
        const QPoint origin = onPage - inImage * dots;
        const int marginDots = qRound(10 / 25.4 * dpi);
        QVERIFY2(qAbs(origin.x() - marginDots) <= dpi / 72 && origin.y() == origin.x(),
                 qPrintable(QStringLiteral("origin %1, %2").arg(origin.x()).arg(origin.y())));
        for (int y = 0; y < e.height * dots; ++y) {
            for (int x = 0; x < e.width * dots; ++x) {
                const int grey = qGray(page.pixel(origin.x() + x, origin.y() + y));
                const int expected = e.At(x / dots, y / dots) ? 0 : 255;
                if (grey != expected) {
                    QFAIL(qPrintable(QStringLiteral("dot (%1, %2) of pixel (%3, %4) is %5, not %6")
                                         .arg(x)
                                         .arg(y)
                                         .arg(x / dots)
                                         .arg(y / dots)
                                         .arg(grey)
                                         .arg(expected)));
                }
            }
        }
        QByteArray text;
        QVERIFY(RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}, &text));
        QVERIFY2(QString::fromUtf8(text).contains(module), text.constData());
    }

    // A barcode wider than the paper is not printed cut off or shrunk: a message says so.
    void printTooLarge() {
        Harness h(QByteArray(120, '7') + "\n", "1\n");
        h.click(IDC_CODE128);
        h.pick(IDC_CODE128_START, QStringLiteral("C"));
        h.pick(IDC_LINE_UNIT, Q(str::kLineUnits[2]));
        h.click(IDC_CREATE);
        QTemporaryDir out;
        const QString pdf = out.filePath(QStringLiteral("print.pdf"));
        h.setUpPrinter = [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setResolution(600);
            printer.setPageSize(QPageSize(QPageSize::A4));
            return true;
        };
        h.dlg->PrintAction()->trigger();
        QCOMPARE(h.messages.size(), 1);
        const QRegularExpression sizes(QRegularExpression::anchoredPattern(
            QRegularExpression::escape(Q(str::kPrintTooLarge))
                .replace(QStringLiteral("\\%s"), QStringLiteral("[0-9]+(\\.[0-9])?"))));
        QVERIFY2(sizes.match(h.messages[0]).hasMatch(), qPrintable(h.messages[0]));
        QVERIFY(!QFileInfo::exists(pdf));
    }

    // A clipboard that takes nothing (held by another program, or none at all) costs the
    // user nothing else: the run ends, the preview keeps the drawing, the status says so.
    void clipboardUnavailable() {
        int offered = 0;
        Harness h("1234567\n", "1\n", true, [&offered](const QImage&) { ++offered; });
        h.showAndSettle();
        h.click(IDC_NW7);
        h.click(IDC_CREATE);
        QCOMPARE(offered, 1);
        QCOMPARE(h.status(), QStringLiteral("データ[　A1234567A　]の形で作成しました"));
        QVERIFY(PreviewShows(h, h.job().m_export));
    }

    // 10,000 Create commands over all six types, valid and refused input alternating, their
    // message boxes dismissed: after a warm-up, memory stays where it was.
    void longRunMemory() {
        Harness h("1234567\n490123456789\nabc\n12A\n", "12\n");
        h.showAndSettle();
        struct Case {
            int radio;
            const char* good;
            const char* bad;
        };
        const Case cases[] = {
            {IDC_NW7, "1234567", "abc"},      {IDC_CODE39, "1234567", "abc"},
            {IDC_JAN, "490123456789", "12A"}, {IDC_ITF, "1234567", "abc"},
            {IDC_CODE128, "1234567", "abc"},  {IDC_POSTAL, "1234567", "12A"},
        };
        auto rssKb = [] {
            QFile f(QStringLiteral("/proc/self/status"));
            if (!f.open(QIODevice::ReadOnly)) return -1L;
            for (const QByteArray& line : f.readAll().split('\n')) {
                if (line.startsWith("VmRSS:"))
                    return line.mid(6).trimmed().split(' ').first().toLong();
            }
            return -1L;
        };
        int exported = 0;
        int messages = 0;  // counted, not kept: the test must not grow memory itself
        auto runs = [&](int count) {
            for (int i = 0; i < count; ++i) {
                const Case& c = cases[(i / 2) % 6];
                h.click(c.radio);
                h.pick(IDC_CODE, QString::fromLatin1(i % 2 ? c.bad : c.good));
                h.click(IDC_CREATE);
                if (i % 2 == 0 && h.status().endsWith(QStringLiteral("の形で作成しました")))
                    ++exported;
                messages += static_cast<int>(h.messages.size());
                h.messages.clear();
            }
        };
        runs(600);  // fonts, caches, the clipboard's first image
        const long before = rssKb();
        exported = 0;
        messages = 0;
        runs(5000);
        const long half = rssKb();
        runs(5000);
        const long after = rssKb();
        qInfo(
            "10,000 Create commands: RSS %ld KB before, %ld KB after 5,000, %ld KB after 10,000 "
            "(%+ld KB); %d exported, %d messages",
            before, half, after, after - before, exported, messages);
        QCOMPARE(exported, 5000);
        QCOMPARE(messages, 5000);
#if !defined(__SANITIZE_ADDRESS__)
        QVERIFY2(after - before < 2048, "memory grew by more than 2 MB over 10,000 runs");
#endif
    }
};

QTEST_MAIN(DialogTest)
#include "DialogTest.moc"
