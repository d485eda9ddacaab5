// The dialog's two user-visible timings, measured with the real widgets on the real display:
//   bench_dialog first-paint  prints the milliseconds from the process's start to the first
//                             paint of the preview, then quits (run it a few times: warm);
//   bench_dialog create N     selects CODE128 with the longest code and prints the median
//                             microseconds of N clicks on 作成, from the click until the
//                             clipboard holds the new image.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "qt/BarcodeWindow.h"

namespace {

using namespace diduzozoz;

// Milliseconds since this process was started, from the kernel's own record.
double MsSinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly)) return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble();  // field 22 of the whole line
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

class FirstPaint : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            std::printf("%.1f\n", MsSinceProcessStart());
            QTimer::singleShot(0, qApp, [] { QApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool m_done = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("create");
    DialogHooks hooks;
    hooks.showMessage = [](const QString&) {};
    CBarcodeWindow dialog(hooks);
    if (mode == QStringLiteral("first-paint")) {
        FirstPaint filter;
        dialog.Control<QWidget>(IDC_PREVIEW)->installEventFilter(&filter);
        dialog.show();
        return app.exec();
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;
    dialog.show();
    QApplication::processEvents();
    dialog.Control<QAbstractButton>(IDC_CODE128)->click();
    // Typed, as far as the dialog can tell: the edit changes and reports it.
    auto* code = dialog.Control<QComboBox>(IDC_CODE);
    code->setEditText(QString(124, QLatin1Char('W')));
    Q_EMIT code->lineEdit()->textEdited(code->currentText());
    QClipboard* clipboard = QGuiApplication::clipboard();
    std::vector<double> us;
    auto* create = dialog.Control<QAbstractButton>(IDC_CREATE);
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        bool changed = false;
        const auto connection =
            QObject::connect(clipboard, &QClipboard::dataChanged, [&] { changed = true; });
        timer.start();
        create->click();
        while (!changed) QApplication::processEvents(QEventLoop::AllEvents, 5);
        us.push_back(timer.nsecsElapsed() / 1000.0);
        QObject::disconnect(connection);
        QApplication::processEvents();
    }
    std::sort(us.begin(), us.end());
    std::printf("median %.0f us, p90 %.0f us over %d clicks (%dx%d image)\n", us[us.size() / 2],
                us[us.size() * 9 / 10], runs, dialog.Job().m_export.width,
                dialog.Job().m_export.height);
    return 0;
}
