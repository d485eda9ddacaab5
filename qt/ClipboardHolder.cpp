#include "qt/ClipboardHolder.h"

#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QSocketNotifier>
#include <QTimer>
#include <atomic>
#include <cstring>
#include <memory>

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS) && QT_CONFIG(xcb)
#define DIDUZOZOZ_X11_HOLDER 1
#include <QtGui/qguiapplication_platform.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <cstdlib>

#include "platform/AnonymousFile.h"
#endif

namespace diduzozoz {

namespace {

constexpr char kHeader[] = "DiDuzozoz clipboard 1\n";
// Qt's name for image data set as a QImage; its conversions are offered on the clipboard.
constexpr char kImageFormat[] = "application/x-qt-image";
constexpr int kMaxFormatName = 255;
// Far above the largest barcode in every format; the rest is not ours.
constexpr qsizetype kMaxPacked = qsizetype{64} << 20;

// Takes the text up to the next line feed at `pos`, at most `limit` bytes long.
std::optional<QByteArray> TakeLine(const QByteArray& in, qsizetype& pos, qsizetype limit) {
    const qsizetype end = in.indexOf('\n', pos);
    if (end < 0 || end - pos > limit) return std::nullopt;
    QByteArray line = in.mid(pos, end - pos);
    pos = end + 1;
    return line;
}

}  // namespace

QByteArray PackClipboard(const QMimeData& content) {
    QByteArray out(kHeader);
    const QStringList formats = content.formats();
    if (formats.isEmpty()) return {};
    for (const QString& format : formats) {
        const QByteArray name = format.toUtf8();
        if (name.isEmpty() || name.size() > kMaxFormatName || name.contains('\n')) return {};
        QByteArray bytes;
        if (format == QLatin1String(kImageFormat)) {
            const QImage image = qvariant_cast<QImage>(content.imageData());
            QBuffer buffer(&bytes);
            if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
                return {};
        } else {
            bytes = content.data(format);
        }
        out += name + '\n' + QByteArray::number(bytes.size()) + '\n' + bytes;
        if (out.size() > kMaxPacked) return {};
    }
    return out;
}

std::optional<QList<ClipboardEntry>> UnpackClipboard(const QByteArray& packed) {
    if (!packed.startsWith(kHeader) || packed.size() > kMaxPacked) return std::nullopt;
    QList<ClipboardEntry> entries;
    qsizetype pos = sizeof(kHeader) - 1;
    while (pos < packed.size()) {
        const auto name = TakeLine(packed, pos, kMaxFormatName);
        const auto count = name ? TakeLine(packed, pos, 10) : std::nullopt;
        if (!count || name->isEmpty() || count->isEmpty()) return std::nullopt;
        for (char c : *name) {
            if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
        }
        qsizetype size = 0;
        for (char c : *count) {
            if (c < '0' || c > '9') return std::nullopt;
            size = size * 10 + (c - '0');
        }
        if (size > packed.size() - pos) return std::nullopt;
        entries.append({QString::fromUtf8(*name), packed.mid(pos, size)});
        pos += size;
    }
    if (entries.isEmpty()) return std::nullopt;
    return entries;
}

#ifdef DIDUZOZOZ_X11_HOLDER

namespace {

// Bounded: the holder must start within it, or the dialog's process ends without waiting more.
constexpr int kHandOverMs = 3000;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

xcb_window_t Owner(xcb_connection_t* c, xcb_atom_t selection) {
    std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> reply(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr),
        &std::free);
    return reply ? reply->owner : xcb_window_t{XCB_NONE};
}

// A window made through this connection: X gives each client its own range of ids.
bool MadeBy(xcb_connection_t* c, xcb_window_t window) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    return window != XCB_NONE && (window & ~setup->resource_id_mask) == setup->resource_id_base;
}

bool HasXFixes(xcb_connection_t* c) {
    constexpr char kName[] = "XFIXES";
    std::unique_ptr<xcb_query_extension_reply_t, decltype(&std::free)> reply(
        xcb_query_extension_reply(c, xcb_query_extension(c, sizeof(kName) - 1, kName), nullptr),
        &std::free);
    return reply && reply->present;
}

// Points fd at /dev/null, so the holder keeps no pipe, file or terminal it was given.
void ToDevNull(int fd) {
    const int nul = open("/dev/null", O_RDWR | O_CLOEXEC);
    if (nul < 0) return;
    dup2(nul, fd);
    close(nul);
}

std::optional<QByteArray> ReadAll(int fd) {
    QByteArray out;
    char chunk[65536];
    for (;;) {
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n == 0) return out;
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (out.size() + n > kMaxPacked) return std::nullopt;
        out.append(chunk, n);
    }
}

// Above stdio, so that the holder's dup2 calls cannot clobber one with another.
int AboveStdio(int fd) {
    if (fd < 0 || fd > 2) return fd;
    const int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
    close(fd);
    return moved;
}

// Starts the holder detached: its own session, stdio on the data, the report pipe and
// /dev/null, no other descriptor, the root folder as its working directory, adopted by init.
// Returns the read end of the report pipe, or -1.
int StartHolder(const QByteArray& packed, xcb_window_t owner) {
    QByteArray program = QFile::encodeName(QCoreApplication::applicationFilePath());
    QByteArray option(kHolderOption);
    QByteArray ownerArg = QByteArray::number(owner, 16);
    char* const args[] = {program.data(), option.data(), ownerArg.data(), nullptr};

    const int data = AboveStdio(AnonymousFile(std::string_view(packed.constData(), packed.size())));
    if (data < 0) return -1;
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        close(data);
        return -1;
    }
    report[0] = AboveStdio(report[0]);
    report[1] = AboveStdio(report[1]);

    const pid_t child = fork();
    if (child == 0) {
        // Only async-signal-safe calls until exec: the parent has threads.
        setsid();
        const pid_t holder = fork();
        if (holder != 0) _exit(holder < 0 ? 1 : 0);
        const int nul = open("/dev/null", O_RDWR);
        dup2(nul, STDERR_FILENO);
        dup2(data, STDIN_FILENO);
        dup2(report[1], STDOUT_FILENO);
        if (chdir("/") != 0) _exit(1);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
#ifdef __linux__
        close_range(3, ~0U, 0);
#else
        for (int fd = 3; fd < 1024; ++fd) close(fd);
#endif
        execv(program.constData(), args);
        _exit(127);
    }
    close(data);
    close(report[1]);
    if (child < 0 || report[0] < 0) {
        if (report[0] >= 0) close(report[0]);
        return -1;
    }
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    return report[0];
}

// Qt's PNG decoder leaves the bits past the end of each row as it finds them, and some of the
// conversions (BMP, PBM, XBM, PNG) copy them out: zero them, as they are in the exported image.
void ClearRowEnds(QImage& image) {
    const qsizetype bits = qsizetype{image.width()} * image.depth();
    const qsizetype used = (bits + 7) / 8;
    const int spare = static_cast<int>(used * 8 - bits);
    const bool lsbFirst = image.format() == QImage::Format_MonoLSB;
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = image.scanLine(y);
        if (spare) line[used - 1] &= lsbFirst ? uchar(0xFF >> spare) : uchar(0xFF << spare);
        std::memset(line + used, 0, image.bytesPerLine() - used);
    }
}

// Set once the holder has stopped serving and ends the ordinary way.
std::atomic<bool> servedToTheEnd{false};

// A lost X server is noticed inside Xlib or Qt, which call exit(1), possibly from Qt's X
// reading thread while the main thread goes on: running the static destructors under both
// threads is a race. The holder has nothing to flush or save, so such an exit ends it at once.
void EndAtOnceWhileServing() {
    if (!servedToTheEnd.load()) std::_Exit(1);
}

void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString&) {
    // Nobody reads the holder's messages; a fatal one ends it without a core.
    if (type == QtFatalMsg) _exit(1);
}

}  // namespace

int RunClipboardHolder(int argc, char** argv) {
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    // A reader that went away is an error to return, not a signal to die of.
    signal(SIGPIPE, SIG_IGN);
    if (argc != 3 || isatty(STDIN_FILENO)) return 2;
    bool ok = false;
    const xcb_window_t previousOwner = QByteArray(argv[2]).toUInt(&ok, 16);
    if (!ok) return 2;
    const std::optional<QByteArray> packed = ReadAll(STDIN_FILENO);
    ToDevNull(STDIN_FILENO);
    const auto entries = packed ? UnpackClipboard(*packed) : std::nullopt;
    if (!entries) return 1;

    // Nobody reads the holder's messages, Qt's or Xlib's (which reports a lost server itself).
    ToDevNull(STDERR_FILENO);
    qInstallMessageHandler(QuietMessages);
    // The holder is no part of the desktop session and needs no bus: it only serves X.
    qunsetenv("SESSION_MANAGER");
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    QGuiApplication app(argc, argv);
    auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return 1;

    auto content = std::make_unique<QMimeData>();
    for (const auto& [format, bytes] : *entries) {
        if (format == QLatin1String(kImageFormat)) {
            QImage image;
            if (!image.loadFromData(bytes, "PNG")) return 1;
            ClearRowEnds(image);
            content->setImageData(image);
        } else {
            content->setData(format, bytes);
        }
    }

    const xcb_atom_t clipboard = Atom(c, "CLIPBOARD");
    const xcb_window_t before = Owner(c, clipboard);
    // Another program copied something since the dialog closed: that stays.
    if (before != previousOwner && before != XCB_NONE) return 0;
    QClipboard* board = QGuiApplication::clipboard();
    board->setMimeData(content.release(), QClipboard::Clipboard);
    const xcb_window_t mine = Owner(c, clipboard);
    if (!MadeBy(c, mine)) return 1;

    // The dialog's process may end now; then stdout is nobody's any more.
    const char owned = '1';
    while (write(STDOUT_FILENO, &owned, 1) < 0 && errno == EINTR) {
    }
    ToDevNull(STDOUT_FILENO);
    // Registered last, so it runs first of all the handlers.
    std::atexit(EndAtOnceWhileServing);

    const auto quitWhenTaken = [&] {
        if (Owner(c, clipboard) != mine) QCoreApplication::quit();
    };
    QObject::connect(board, &QClipboard::changed, &app, [&](QClipboard::Mode mode) {
        if (mode == QClipboard::Clipboard) quitWhenTaken();
    });
    // Qt learns of a new owner through XFixes; a server without it is asked twice a second.
    QTimer poll;
    if (!HasXFixes(c)) {
        QObject::connect(&poll, &QTimer::timeout, &app, quitWhenTaken);
        poll.start(500);
    }
    const int status = app.exec();
    // Qt ends its loop on a lost server too, and cannot close a dead connection cleanly.
    if (xcb_connection_has_error(c)) std::_Exit(1);
    servedToTheEnd = true;
    return status;
}

void HandOverClipboard() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return;
    // The closed dialog's window leaves the screen now, not after the work below.
    xcb_flush(c);

    QClipboard* board = QGuiApplication::clipboard();
    if (!board->ownsClipboard()) return;
    const QMimeData* content = board->mimeData(QClipboard::Clipboard);
    if (!content) return;
    // A manager that speaks the save protocol gets the content from Qt at exit.
    if (Owner(c, Atom(c, "CLIPBOARD_MANAGER")) != XCB_NONE) return;
    // Asked of the server, not of Qt's record: a copy made elsewhere a moment ago stays.
    const xcb_window_t owner = Owner(c, Atom(c, "CLIPBOARD"));
    if (!MadeBy(c, owner)) return;

    const QByteArray packed = PackClipboard(*content);
    if (packed.isEmpty()) return;
    const int report = StartHolder(packed, owner);
    if (report < 0) return;
    // Serve the clipboard until the holder owns it (it reports, or ends without a word).
    QEventLoop wait;
    QSocketNotifier reported(report, QSocketNotifier::Read);
    QObject::connect(&reported, &QSocketNotifier::activated, &wait, &QEventLoop::quit);
    QTimer::singleShot(kHandOverMs, &wait, &QEventLoop::quit);
    wait.exec();
    reported.setEnabled(false);
    close(report);
}

#else

int RunClipboardHolder(int, char**) {
    return 2;
}

// Elsewhere the clipboard outlives the program (Windows, macOS) or there is no X11 to hold.
void HandOverClipboard() {}

#endif

}  // namespace diduzozoz
