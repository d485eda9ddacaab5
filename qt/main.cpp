// CBarcodeApp: the program is its main dialog, run modally; it ends when the dialog closes.
// Run with kHolderOption it is instead the holder that keeps the clipboard after a dialog.
#include <QApplication>
#include <cstring>

#include "qt/BarcodeWindow.h"
#include "qt/ClipboardHolder.h"
#include "qt/DialogTemplate.h"

int main(int argc, char* argv[]) {
    if (argc > 1 && std::strcmp(argv[1], diduzozoz::kHolderOption) == 0)
        return diduzozoz::RunClipboardHolder(argc, argv);
    QApplication app(argc, argv);
    // Lets Wayland desktops match the window to its desktop entry (name, icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.diduzozoz.DiDuzozoz"));
    // Message boxes are titled with the executable's name, which is the default.
    QApplication::setWindowIcon(diduzozoz::AppIcon());
    {
        diduzozoz::CBarcodeWindow dialog;
        dialog.exec();
    }  // destroyed first: no redraw queued by the dialog can export again
    diduzozoz::HandOverClipboard();
    return 0;
}
