// Keeps the last exported barcode on an X11 clipboard after the dialog's process has ended.
//
// On X11 the clipboard is served by the program that owns it, so data vanishes with its owner.
// When the dialog closes while its barcode is still on the clipboard, the program starts itself
// again with kHolderOption as a small detached holder: it is handed every format of the
// clipboard's content through an anonymous file on stdin, takes the clipboard over before the
// dialog's process lets go of it, serves it, and ends as soon as another program copies
// something. Where a clipboard manager speaks the save protocol (CLIPBOARD_MANAGER), Qt hands
// the content to it at exit instead and no holder starts.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <utility>

class QMimeData;

namespace diduzozoz {

// argv[1] of the holder; argv[2] is the clipboard owner it takes over from, in hex.
inline constexpr char kHolderOption[] = "--keep-clipboard";

// One format of the clipboard's content and its bytes. The image itself travels as PNG under
// Qt's image format, so the holder offers the same conversions the dialog offered.
using ClipboardEntry = std::pair<QString, QByteArray>;

// The holder's input: a header line, then per entry "<format>\n<byte count>\n<bytes>".
QByteArray PackClipboard(const QMimeData& content);
std::optional<QList<ClipboardEntry>> UnpackClipboard(const QByteArray& packed);

// The holder's main; returns its exit code. Quiet: it never writes to stdout or stderr.
int RunClipboardHolder(int argc, char** argv);

// Called after the dialog has closed: starts a holder when our barcode is still on an X11
// clipboard and no clipboard manager takes it, and returns once the holder owns the clipboard
// (or a short deadline has passed).
void HandOverClipboard();

}  // namespace diduzozoz
