#include "cli/CliOptions.h"

#include <algorithm>
#include <cstdio>
#include <thread>

#include "base/BoundedCopy.h"
#include "cli/Printable.h"
#include "symbology/Dispatch.h"

namespace diduzozoz::cli {

const char kUsage[] =
    "Usage: diduzozoz-cli --type TYPE [OPTION]... [-o FILE]\n"
    "  or:  diduzozoz-cli --type TYPE [OPTION]... --batch CODES.ini --out-dir DIR\n"
    "\n"
    "Runs one Create command headless and writes the exported barcode image; in batch\n"
    "mode, one per item of a code list.\n"
    "\n"
    "  --type TYPE    code type: none|nw7|code39|jan|itf|code128|postal\n"
    "                 (none = no type chosen)\n"
    "  --code TEXT    code text, at most 124 bytes (default empty)\n"
    "  --ref TEXT     postal reference number, at most 15 bytes (default empty)\n"
    "  --cd           check digit on\n"
    "  --pattern N    calculation pattern 0..15 (default 1; NW-7 schemes 1..7)\n"
    "  --start L      NW-7 start letter A..D, or the CODE128 start set A..C (default A)\n"
    "  --stop L       NW-7 stop letter A..D (default A)\n"
    "  --text P       human-readable text: none|below|above (default none)\n"
    "  --unit N       module width in pixels, 1..8 (default 1)\n"
    "  --height N     bar height in pixels, 1..600 (default 40)\n"
    "  --margin-x N   left and right margin in pixels, 0..200 (default 10)\n"
    "  --margin-y N   top and bottom margin in pixels, 0..200 (default 20)\n"
    "  --dpi N        resolution written into the image, 72..2400 pixels per inch (default\n"
    "                 96); a module is unit x 25.4 / N millimetres wide\n"
    "  -o FILE        write the image as PNG (.png), SVG (.svg), PDF (.pdf) or EPS (.eps)\n"
    "  -o -           write the image to stdout in the format --format F names (png, svg,\n"
    "                 pdf or eps); the status line then goes to stderr, after the messages\n"
    "  --verify       read the exported image back and check it against its standard\n"
    "  --help         show this text\n"
    "  --version      show the version\n"
    "\n"
    "stdout: the status line after the run (with -o -: the image's bytes only). stderr: each\n"
    "message the run showed, one a line (with -o -: then the status line and the verify\n"
    "line).\n"
    "Exit code: 0 a barcode was exported (and written), 1 no barcode, 2 usage error.\n"
    "\n"
    "Batch mode:\n"
    "  --batch FILE       code list, read like the dialog's DiDuzozoz.ini (lines ended by a\n"
    "                     line feed, at most 120 bytes); one barcode per item\n"
    "  --batch-refs FILE  reference-number list (like ViVederuvida.ini), paired with the\n"
    "                     codes line by line; items beyond its end use --ref\n"
    "  --out-dir DIR      existing folder for the images DIR/000001.png, DIR/000002.png, ...\n"
    "  --format F         image format: png|svg|pdf|eps (default png)\n"
    "  --jobs N           threads, 1..256 (default: one per processor); output is the same\n"
    "                     for every N\n"
    "stdout: NNNNNN<TAB>status per item; stderr: NNNNNN<TAB>message per message, or a\n"
    "progress bar when stderr is a terminal. Exit code 0 every item exported, 1 any not.\n"
    "\n"
    "With --verify, a single run prints a second stdout line\n"
    "  verify<TAB>OUTCOME<TAB>FORMAT<TAB>TEXT<TAB>REASONS\n"
    "and batch mode appends the four columns to each item's line:\n"
    "  NNNNNN<TAB>status<TAB>OUTCOME<TAB>FORMAT<TAB>TEXT<TAB>REASONS\n"
    "  OUTCOME  ok (read as meant, standard, quiet zones met), fail (REASONS say why),\n"
    "           unchecked (built without the reader; our own checks passed) or none\n"
    "           (nothing exported)\n"
    "  FORMAT   what the image was read as: CODABAR, CODE39, EAN-13, ITF, CODE128,\n"
    "           JAPAN-POST; - when nothing was read\n"
    "  TEXT     what was read, bytes outside printable ASCII and \\ as \\xNN; - when nothing\n"
    "  REASONS  comma-separated, - when none: no-bars, not-read, wrong-format,\n"
    "           text-differs, itf-not-interleaved, jan-without-check-digit,\n"
    "           code128-without-check-character, code39-asterisk-in-data,\n"
    "           nw7-letter-in-data, postal-without-check-character,\n"
    "           postal-check-character:DRAWN/RIGHT, postal-unreadable,\n"
    "           quiet-zone-left:MEASURED/REQUIRED, quiet-zone-right:MEASURED/REQUIRED\n"
    "           (in modules), reader-missing, reader-error\n"
    "Exit code 3 when every image was exported (and written) but one failed the check.\n";

namespace {

bool ParseNumber(const std::string& text, int lo, int hi, int& out) {
    if (text.empty() || text.size() > 9) return false;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    if (v < lo || v > hi) return false;
    out = v;
    return true;
}

// An argument as a usage message quotes it.
std::string Shown(const std::string& arg) {
    return Printable(arg, Escaping::kControlBytes, 40);
}

OutputFormat OutputFormatOf(ImageFormat format) {
    switch (format) {
        case ImageFormat::kPng:
            return OutputFormat::kPng;
        case ImageFormat::kSvg:
            return OutputFormat::kSvg;
        case ImageFormat::kPdf:
            return OutputFormat::kPdf;
        case ImageFormat::kEps:
            return OutputFormat::kEps;
    }
    return OutputFormat::kNone;
}

}  // namespace

ImageFormat ImageFormatOf(OutputFormat format) {
    switch (format) {
        case OutputFormat::kSvg:
            return ImageFormat::kSvg;
        case OutputFormat::kPdf:
            return ImageFormat::kPdf;
        case OutputFormat::kEps:
            return ImageFormat::kEps;
        case OutputFormat::kNone:
        case OutputFormat::kPng:
            break;
    }
    return ImageFormat::kPng;
}

ParseResult ParseArguments(const std::vector<std::string>& args) {
    CliOptions o;
    std::string startText;
    std::string stopText;
    std::optional<OutputFormat> formatOption;
    ParseResult result;
    auto fail = [&](std::string message) {
        result.error = std::move(message);
        return result;
    };
    struct NumberOption {
        const char* name;
        int CliOptions::*member;
        int lo;
        int hi;
    };
    static constexpr NumberOption kNumbers[] = {
        {"--pattern", &CliOptions::pattern, 0, 15},
        {"--unit", &CliOptions::unit, kMinLineUnit, kMaxLineUnit},
        {"--height", &CliOptions::height, kMinBarHeight, kMaxBarHeight},
        {"--margin-x", &CliOptions::marginX, kMinMargin, kMaxMargin},
        {"--margin-y", &CliOptions::marginY, kMinMargin, kMaxMargin},
        {"--jobs", &CliOptions::jobs, 1, 256},
        {"--dpi", &CliOptions::dpi, kMinDpi, kMaxDpi},
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            o.help = true;
            continue;
        }
        if (arg == "--version") {
            o.version = true;
            continue;
        }
        if (arg == "--cd") {
            o.checkDigit = true;
            continue;
        }
        if (arg == "--verify") {
            o.verify = true;
            continue;
        }
        static constexpr const char* kWithValue[] = {
            "--type",    "--code",       "--ref",     "--start",    "--stop",     "--text",
            "--pattern", "--unit",       "--height",  "--margin-x", "--margin-y", "-o",
            "--batch",   "--batch-refs", "--out-dir", "--format",   "--jobs",     "--dpi"};
        bool known = false;
        for (const char* name : kWithValue) known = known || arg == name;
        if (!known) return fail("unknown option: " + Shown(arg));
        if (i + 1 >= args.size()) return fail("missing value for " + Shown(arg));
        const std::string& value = args[++i];

        bool numeric = false;
        for (const NumberOption& n : kNumbers) {
            if (arg != n.name) continue;
            numeric = true;
            if (!ParseNumber(value, n.lo, n.hi, o.*(n.member))) {
                return fail(arg + " takes a whole number from " + std::to_string(n.lo) + " to " +
                            std::to_string(n.hi) + ", not '" + Shown(value) + "'");
            }
        }
        if (numeric) continue;
        if (arg == "--type") {
            o.symbology = SymbologyByCliName(value.c_str());
            if (o.symbology < 0) return fail("unknown code type: " + Shown(value));
        } else if (arg == "--code") {
            if (value.size() > static_cast<std::size_t>(kMaxCodeBytes)) {
                return fail("--code holds at most " + std::to_string(kMaxCodeBytes) +
                            " bytes, not " + std::to_string(value.size()));
            }
            o.code = value;
        } else if (arg == "--ref") {
            if (value.size() > static_cast<std::size_t>(kMaxRefNoBytes)) {
                return fail("--ref holds at most " + std::to_string(kMaxRefNoBytes) +
                            " bytes, not " + std::to_string(value.size()));
            }
            o.ref = value;
        } else if (arg == "--start") {
            startText = value;
        } else if (arg == "--stop") {
            stopText = value;
        } else if (arg == "--text") {
            if (value == "none") {
                o.textPosition = 0;
            } else if (value == "below") {
                o.textPosition = 1;
            } else if (value == "above") {
                o.textPosition = 2;
            } else {
                return fail("--text takes none, below or above, not '" + Shown(value) + "'");
            }
        } else if (arg == "--batch") {
            if (value.empty()) return fail("--batch needs a file name");
            o.batchCodes = value;
        } else if (arg == "--batch-refs") {
            if (value.empty()) return fail("--batch-refs needs a file name");
            o.batchRefs = value;
        } else if (arg == "--out-dir") {
            if (value.empty()) return fail("--out-dir needs a folder name");
            o.outDir = value;
        } else if (arg == "--format") {
            const std::optional<ImageFormat> format = ImageFormatByName(value);
            if (!format || value != ImageFormatName(*format)) {
                return fail("--format takes png, svg, pdf or eps, not '" + Shown(value) + "'");
            }
            formatOption = OutputFormatOf(*format);
        } else if (arg == "-o") {
            if (value != kStdoutName) {
                const std::size_t dot = value.rfind('.');
                const std::optional<ImageFormat> format =
                    dot == std::string::npos
                        ? std::nullopt
                        : ImageFormatByName(std::string_view(value).substr(dot + 1));
                if (!format) {
                    return fail(
                        "-o needs a file name ending in .png, .svg, .pdf or .eps, or -, "
                        "not '" +
                        Shown(value) + "'");
                }
                o.format = OutputFormatOf(*format);
            }
            o.output = value;
        }
    }
    if (o.help || o.version) {
        result.options = o;
        return result;
    }
    if (o.symbology < 0) return fail("--type is required");
    if (o.Batch()) {
        if (!o.output.empty()) return fail("-o does not go with --batch; use --out-dir");
        if (o.outDir.empty()) return fail("--batch needs --out-dir");
        o.format = formatOption.value_or(OutputFormat::kPng);
        if (o.jobs == 0)
            o.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    } else if (!o.batchRefs.empty() || !o.outDir.empty() || o.jobs != 0) {
        return fail("--batch-refs, --out-dir and --jobs go with --batch");
    } else if (o.ToStdout()) {
        if (!formatOption) return fail("-o - needs --format png, svg, pdf or eps");
        o.format = *formatOption;
    } else if (formatOption) {
        return fail("--format goes with -o - or --batch; a file name says its own format");
    }
    const char maxStart = o.symbology == kSymbologyCode128 ? 'C' : 'D';
    auto letter = [&](const std::string& text, char last, char& out) {
        if (text.empty()) return true;
        if (text.size() != 1 || text[0] < 'A' || text[0] > last) return false;
        out = text[0];
        return true;
    };
    if (!letter(startText, maxStart, o.start)) {
        return fail(std::string("--start takes a letter from A to ") + maxStart + ", not '" +
                    Shown(startText) + "'");
    }
    if (!letter(stopText, 'D', o.stop))
        return fail("--stop takes a letter from A to D, not '" + Shown(stopText) + "'");
    result.options = o;
    return result;
}

void ApplyOptions(const CliOptions& o, BarcodeSettings& s) {
    s.m_nSymbology = o.symbology < 0 ? 0 : o.symbology;
    if (int* word = s.OptionWord(s.m_nSymbology)) {
        *word = (o.checkDigit ? kCheckDigitOn : 0) | (o.pattern & kPatternMask);
    }
    const char start[2] = {o.start, 0};
    const char stop[2] = {o.stop, 0};
    if (s.m_nSymbology == kSymbologyCode128) {
        CopyText(s.m_szCode128Start, start);
    } else {
        CopyText(s.m_szNW7Start, start);
    }
    CopyText(s.m_szNW7Stop, stop);
    s.m_nTextPosition = o.textPosition;
    s.m_nLineUnit = o.unit;
    s.m_nBarHeight = o.height;
    s.m_nMarginX = o.marginX;
    s.m_nMarginY = o.marginY;
    CopyText(s.m_szCode, o.code);
    CopyText(s.m_szRefNo, o.ref);
}

}  // namespace diduzozoz::cli
