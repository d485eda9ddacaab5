// CBarcodeApp: the program is its main dialog, run modally; it ends when the dialog closes.
#include <QApplication>

#include "dialog/BarcodeDlg.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Lets Wayland desktops match the window to its desktop entry (name, icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.diduzozoz.DiDuzozoz"));
    // Message boxes are titled with the executable's name, which is the default.
    QApplication::setWindowIcon(diduzozoz::AppIcon());
    diduzozoz::CBarcodeDlg dialog;
    dialog.exec();
    return 0;
}
