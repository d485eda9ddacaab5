#include "cli/CliOptions.h"

#include <algorithm>
#include <string_view>
#include <thread>
#include <utility>

#include "base/BoundedCopy.h"
#include "base/Decimal.h"
#include "base/Quote.h"
#include "base/Strings.h"
#include "sheet/Serial.h"
#include "symbology/Dispatch.h"
#include "symbology/Postal.h"

namespace diduzozoz::cli {

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

namespace {

bool ParseNumber(const std::string& text, int lo, int hi, int& out) {
    const std::optional<std::int64_t> v = ParseDecimal(text);
    if (!v || *v < lo || *v > hi) return false;
    out = static_cast<int>(*v);
    return true;
}

// An argument as a usage message quotes it.
std::string Shown(const std::string& arg) {
    return Quoted(arg, Escaping::kControlBytes, kQuotedBytes);
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

int SymbologyOf(const CliOptions& o) {
    return o.symbology < 0 ? 0 : o.symbology;
}

// A command line as read so far; the values that depend on others are checked at its end.
struct Parsing {
    CliOptions options;
    std::string startText;
    std::string formText;
    std::string stopText;
    std::optional<OutputFormat> format;  // --format
    const char* sheetOption = nullptr;   // the first option given that goes with --sheet
    bool refGiven = false;
    bool address = false;  // --address: its text
    std::string addressText;
};

static_assert(kMaxAddressBytes == 120, "--help and the manual page name 120 bytes");

// One option of the command line: its value, where that goes, and how --help lists it.
struct Option {
    const char* name;
    const char* value = nullptr;  // what --help calls the value; nullptr: the option takes none
    bool inlineValue = false;     // the value is optional and given as NAME=VALUE
    bool batch = false;           // listed under "Batch mode:"
    bool sheet = false;           // listed under "Label sheets:"; goes with --sheet only

    // The value's kind, by the member that is set:
    bool CliOptions::*flag = nullptr;         // no value; the option sets it
    int CliOptions::*number = nullptr;        // a whole number from lo to hi
    std::string CliOptions::*text = nullptr;  // at most hi bytes (hi 0: any length)
    int lo = 0;
    int hi = 0;
    const char* needs = nullptr;  // a text that may not be empty: what it has to be
    // Anything else: takes the value, or returns what is wrong with it.
    std::string (*take)(const std::string& value, Parsing& p) = nullptr;

    // What the option sets in the job, as the dialog's control would:
    int BarcodeSettings::*setting = nullptr;                            // the number as it is
    void (*setJob)(const CliOptions& o, BarcodeSettings& s) = nullptr;  // or this

    // --help's entry. Lines after the first are indented to its text; a line "FORM\tTEXT" is
    // another form of the option with its own entry. {range}, {max} and {default} stand for
    // lo..hi, hi and the option's start value. nullptr: accepted but not listed.
    const char* usage = nullptr;
};

// In the order --help lists them.
constexpr Option kOptions[] = {
    {.name = "--type",
     .value = "TYPE",
     .take = [](const std::string& value, Parsing& p) -> std::string {
         p.options.symbology = SymbologyByCliName(value.c_str());
         if (p.options.symbology < 0) return "unknown code type: " + Shown(value);
         return {};
     },
     .setJob = [](const CliOptions& o, BarcodeSettings& s) { s.m_nSymbology = SymbologyOf(o); },
     .usage = "code type: none|nw7|code39|jan|itf|code128|postal\n"
              "(none = no type chosen)"},
    {.name = "--code",
     .value = "TEXT",
     .text = &CliOptions::code,
     .hi = kMaxCodeBytes,
     .setJob = [](const CliOptions& o, BarcodeSettings& s) { CopyText(s.m_szCode, o.code); },
     .usage = "code text, at most {max} bytes (default empty)"},
    // Its length is checked once the form is known: the address forms take more.
    {.name = "--ref",
     .value = "TEXT",
     .hi = kMaxRefNoBytes,
     .take = [](const std::string& value, Parsing& p) -> std::string {
         p.options.ref = value;
         p.refGiven = true;
         return {};
     },
     .setJob =
         [](const CliOptions& o, BarcodeSettings& s) {
             if (SymbologyOf(o) == kSymbologyPostal && IsPostalAddressForm(o.form)) {
                 CopyText(s.m_szAddress, o.ref);
             } else {
                 CopyText(s.m_szRefNo, o.ref);
             }
         },
     .usage = "postal reference number, at most {max} bytes (default empty); in the\n"
              "address forms the address number or the address, at most 120 bytes"},
    {.name = "--cd",
     .flag = &CliOptions::checkDigit,
     // The type's option word, --pattern's part of it included.
     .setJob =
         [](const CliOptions& o, BarcodeSettings& s) {
             if (int* word = s.OptionWord(SymbologyOf(o))) {
                 *word = (o.checkDigit ? kCheckDigitOn : 0) | (o.pattern & kPatternMask);
             }
         },
     .usage = "check digit on"},
    // Goes into the job as part of the option word, with --cd.
    {.name = "--pattern",
     .value = "N",
     .number = &CliOptions::pattern,
     .lo = 0,
     .hi = 15,
     .usage = "calculation pattern {range} (default {default}; NW-7 schemes 1..7)"},
    {.name = "--start",
     .value = "L",
     .take = [](const std::string& value, Parsing& p) -> std::string {
         p.startText = value;
         return {};
     },
     .setJob =
         [](const CliOptions& o, BarcodeSettings& s) {
             const char start[2] = {o.start, 0};
             if (SymbologyOf(o) == kSymbologyCode128) {
                 CopyText(s.m_szCode128Start, start);
             } else {
                 CopyText(s.m_szNW7Start, start);
             }
         },
     .usage = "NW-7 start letter A..D, or the CODE128 start set A..C (default A)"},
    {.name = "--stop",
     .value = "L",
     .take = [](const std::string& value, Parsing& p) -> std::string {
         p.stopText = value;
         return {};
     },
     .setJob =
         [](const CliOptions& o, BarcodeSettings& s) {
             const char stop[2] = {o.stop, 0};
             CopyText(s.m_szNW7Stop, stop);
         },
     .usage = "NW-7 stop letter A..D (default A)"},
    {.name = "--form",
     .value = "NAME",
     .take = [](const std::string& value, Parsing& p) -> std::string {
         p.formText = value;
         return {};
     },
     .setJob =
         [](const CliOptions& o, BarcodeSettings& s) {
             if (int* form = s.FormOf(SymbologyOf(o))) *form = o.form;
         },
     .usage = "the code type's form (default: the first named):\n"
              "jan: jan13|jan8, JAN-13 or the short JAN-8\n"
              "itf: plain|interleaved|itf14, every digit on its own, interleaved\n"
              "2 of 5, or ITF-14 with bearer bars\n"
              "code128: fixed|auto|gs1, the --start set throughout, the sets\n"
              "chosen for the fewest symbols, or GS1-128 from (AI)data\n"
              "(or [AI]data; in the data \\( and \\) are parentheses; --cd\n"
              "adds a field's missing check digit, and the convenience-store\n"
              "payment code's 42nd digit after (91) and 41 digits)\n"
              "postal: digits|address-number|address, the --ref digits, an\n"
              "address number, or the address number taken from an address"},
    {.name = "--address",
     .value = "TEXT",
     .take = [](const std::string& value, Parsing& p) -> std::string {
         p.addressText = value;
         p.address = true;
         return {};
     },
     .usage = "postal: the same as --form address --ref TEXT, the address after\n"
              "the town name (3丁目30-8 郵便ビル403号), at most 120 bytes"},
    {.name = "--text",
     .value = "P",
     .take = [](const std::string& value, Parsing& p) -> std::string {
         if (value == "none") {
             p.options.textPosition = kTextNone;
         } else if (value == "below") {
             p.options.textPosition = kTextBelow;
         } else if (value == "above") {
             p.options.textPosition = kTextAbove;
         } else {
             return "--text takes none, below or above, not '" + Shown(value) + "'";
         }
         return {};
     },
     .setJob = [](const CliOptions& o, BarcodeSettings& s) { s.m_nTextPosition = o.textPosition; },
     .usage = "human-readable text: none|below|above (default none)"},
    {.name = "--unit",
     .value = "N",
     .number = &CliOptions::unit,
     .lo = kMinLineUnit,
     .hi = kMaxLineUnit,
     .setting = &BarcodeSettings::m_nLineUnit,
     .usage = "module width in pixels, {range} (default {default})"},
    {.name = "--height",
     .value = "N",
     .number = &CliOptions::height,
     .lo = kMinBarHeight,
     .hi = kMaxBarHeight,
     .setting = &BarcodeSettings::m_nBarHeight,
     .usage = "bar height in pixels, {range} (default {default})"},
    {.name = "--margin-x",
     .value = "N",
     .number = &CliOptions::marginX,
     .lo = kMinMargin,
     .hi = kMaxMargin,
     .setting = &BarcodeSettings::m_nMarginX,
     .usage = "left and right margin in pixels, {range} (default {default})"},
    {.name = "--margin-y",
     .value = "N",
     .number = &CliOptions::marginY,
     .lo = kMinMargin,
     .hi = kMaxMargin,
     .setting = &BarcodeSettings::m_nMarginY,
     .usage = "top and bottom margin in pixels, {range} (default {default})"},
    {.name = "--dpi",
     .value = "N",
     .number = &CliOptions::dpi,
     .lo = kMinDpi,
     .hi = kMaxDpi,
     .usage = "resolution written into the image, {range} pixels per inch (default\n"
              "{default}); a module is unit x 25.4 / N millimetres wide. Given, --verify\n"
              "also judges the size against the standard's limits"},
    {.name = "-o",
     .value = "FILE",
     .take = [](const std::string& value, Parsing& p) -> std::string {
         if (value != kStdoutName) {
             const std::size_t dot = value.rfind('.');
             const std::optional<ImageFormat> format =
                 dot == std::string::npos
                     ? std::nullopt
                     : ImageFormatByName(std::string_view(value).substr(dot + 1));
             if (!format) {
                 return "-o needs a file name ending in .png, .svg, .pdf or .eps, or -, not '" +
                        Shown(value) + "'";
             }
             p.options.format = OutputFormatOf(*format);
         }
         p.options.output = value;
         return {};
     },
     .usage = "write the image as PNG (.png), SVG (.svg), PDF (.pdf) or EPS (.eps)\n"
              "-o -\twrite the image to stdout in the format --format F names (png, svg,\n"
              "pdf or eps); the status line then goes to stderr, after the messages"},
    {.name = "--verify",
     .value = "WHO",
     .inlineValue = true,
     .take = [](const std::string& value, Parsing& p) -> std::string {
         using Readers = CliOptions::Readers;
         constexpr std::pair<std::string_view, Readers> kReaders[] = {{"", Readers::kBuilt},
                                                                      {"own", Readers::kOwn},
                                                                      {"zxing", Readers::kZxing},
                                                                      {"both", Readers::kBoth}};
         for (const auto& [name, readers] : kReaders) {
             if (value != name) continue;
             p.options.verify = true;
             p.options.verifyWith = readers;
             return {};
         }
         return "--verify takes =own, =zxing or =both, not '" + Shown(value) + "'";
     },
     .usage = "read the exported image back and check it against its standard;\n"
              "WHO reads it: own|zxing|both, our reader, ZXing-C++ or both (the\n"
              "verdict follows ZXing-C++, ours is held to it). Plain --verify:\n"
              "own, or both in the program built with ZXing-C++"},
    {.name = "--help", .flag = &CliOptions::help, .usage = "show this text"},
    {.name = "-h", .flag = &CliOptions::help},
    {.name = "--version", .flag = &CliOptions::version, .usage = "show the version"},
    {.name = "--batch",
     .value = "FILE",
     .batch = true,
     .text = &CliOptions::batchCodes,
     .needs = "a file name",
     .usage = "code list, read like the dialog's DiDuzozoz.ini (lines ended by a\n"
              "line feed, at most 120 bytes); one barcode per item"},
    {.name = "--batch-refs",
     .value = "FILE",
     .batch = true,
     .text = &CliOptions::batchRefs,
     .needs = "a file name",
     .usage = "reference-number list (like ViVederuvida.ini), paired with the\n"
              "codes line by line; items beyond its end use --ref"},
    {.name = "--out-dir",
     .value = "DIR",
     .batch = true,
     .text = &CliOptions::outDir,
     .needs = "a folder name",
     .usage = "existing folder for the images DIR/000001.png, DIR/000002.png, ..."},
    {.name = "--format",
     .value = "F",
     .batch = true,
     .take = [](const std::string& value, Parsing& p) -> std::string {
         const std::optional<ImageFormat> format = ImageFormatByName(value);
         if (!format || value != ImageFormatName(*format)) {
             return "--format takes png, svg, pdf or eps, not '" + Shown(value) + "'";
         }
         p.format = OutputFormatOf(*format);
         return {};
     },
     .usage = "image format: png|svg|pdf|eps (default png)"},
    {.name = "--jobs",
     .value = "N",
     .batch = true,
     .number = &CliOptions::jobs,
     .lo = 1,
     .hi = 256,
     .usage = "threads, {range} (default: one per processor); output is the same\n"
              "for every N"},
    {.name = "--sheet",
     .value = "LAYOUT",
     .sheet = true,
     .take = [](const std::string& value, Parsing& p) -> std::string {
         std::string error;
         p.options.layout = sheet::ParseLayout(value, error);
         if (!error.empty()) return "--sheet: " + error;
         p.options.sheetName = value;
         return {};
     },
     .usage = "put the barcodes on sheets of labels, one PDF page per sheet,\n"
              "into the file -o names (.pdf). Built in, on A4, labels touching,\n"
              "the grid centred: a4-3x8 (70 x 37 mm; margins 0 left, 0.5 top),\n"
              "a4-4x11 (48.3 x 25.4 mm; 8.4, 8.8), a4-2x6 (86.4 x 42.3 mm; 18.6,\n"
              "21.6). Or your own, PAGE:COLSxROWS:LWxLH[:PXxPY[:LEFTxTOP]] in\n"
              "millimetres: PAGE a4, b5 (JIS), a5, letter or WxH; PX, PY the\n"
              "pitch from label to label (default: the label's size); LEFT, TOP\n"
              "the margins (default: the grid centred). The codes come from\n"
              "--serial or --batch (with --batch-refs for the postal type)"},
    {.name = "--serial",
     .value = "N",
     .sheet = true,
     .number = &CliOptions::serial,
     .lo = 1,
     .hi = static_cast<int>(sheet::kMaxSerialCount),
     .usage = "N codes from --code, {range}: its last run of digits counts up\n"
              "with its width kept (A000123B, A000124B, ...); postal: --ref counts;\n"
              "GS1-128: the data's last run of digits before its check digit, which\n"
              "is worked out anew (the payment code: its 21-digit free field)"},
    {.name = "--copies",
     .value = "N",
     .sheet = true,
     .number = &CliOptions::copies,
     .lo = 1,
     .hi = sheet::kMaxCopies,
     .usage = "labels per code, {range} (default {default})"},
    {.name = "--first-label",
     .value = "K",
     .sheet = true,
     .number = &CliOptions::firstLabel,
     .lo = 1,
     .hi = sheet::kMaxGrid * sheet::kMaxGrid,
     .usage = "the first free label of the first sheet, counted from 1 row by\n"
              "row (default {default}); the labels before it stay empty"},
    {.name = "--printer-dpi",
     .value = "N",
     .sheet = true,
     .number = &CliOptions::printerDpi,
     .lo = kMinDpi,
     .hi = kMaxDpi,
     .usage = "the printer's resolution, {range} (default {default}): a barcode\n"
              "pixel is the whole number of dots nearest to 1/96 inch that meets\n"
              "the size the code's standard asks for, and every barcode starts on\n"
              "a whole dot (--dpi is not used)"},
    {.name = "--label-offset",
     .value = "XxY",
     .sheet = true,
     .take = [](const std::string& value, Parsing& p) -> std::string {
         CliOptions& o = p.options;
         std::string error;
         if (!sheet::ParseSizePair(value, true, o.offsetX, o.offsetY, error)) {
             return "--label-offset: " + error;
         }
         o.labelOffset = true;
         return {};
     },
     .usage = "each barcode X, Y mm from its label's top-left corner (default:\n"
              "centred in its label)"},
    {.name = "--leave-holes",
     .sheet = true,
     .flag = &CliOptions::leaveHoles,
     .usage = "a code that cannot be drawn leaves its labels empty (default:\n"
              "the next code takes them)"},
};

const Option* FindOption(std::string_view name) {
    for (const Option& option : kOptions) {
        if (name == option.name) return &option;
    }
    return nullptr;
}

// Takes an option's value; returns what is wrong with it, or nothing.
std::string TakeValue(const Option& option, const std::string& value, Parsing& p) {
    if (option.take) return option.take(value, p);
    if (option.number) {
        if (!ParseNumber(value, option.lo, option.hi, p.options.*option.number)) {
            return std::string(option.name) + " takes a whole number from " +
                   std::to_string(option.lo) + " to " + std::to_string(option.hi) + ", not '" +
                   Shown(value) + "'";
        }
        return {};
    }
    if (option.hi > 0 && value.size() > static_cast<std::size_t>(option.hi)) {
        return std::string(option.name) + " holds at most " + std::to_string(option.hi) +
               " bytes, not " + std::to_string(value.size());
    }
    if (option.needs && value.empty()) return std::string(option.name) + " needs " + option.needs;
    p.options.*option.text = value;
    return {};
}

constexpr char kUsageStart[] =
    "Usage: diduzozoz-cli --type TYPE [OPTION]... [-o FILE]\n"
    "  or:  diduzozoz-cli --type TYPE [OPTION]... --batch CODES.ini --out-dir DIR\n"
    "  or:  diduzozoz-cli --type TYPE [OPTION]... --sheet LAYOUT --serial N -o FILE.pdf\n"
    "  or:  diduzozoz-cli --type TYPE [OPTION]... --sheet LAYOUT --batch LIST -o FILE.pdf\n"
    "\n"
    "Runs one Create command headless and writes the exported barcode image; in batch\n"
    "mode, one per item of a code list; on label sheets, one per code.\n"
    "\n";

constexpr char kUsageSingleRun[] =
    "\n"
    "stdout: the status line after the run (with -o -: the image's bytes only). stderr: each\n"
    "message the run showed, one a line (with -o -: then the status line and the verify\n"
    "line).\n"
    "Exit code: 0 a barcode was exported (and written), 1 no barcode, 2 usage error.\n"
    "\n"
    "Batch mode:\n";

constexpr char kUsageBatch[] =
    "stdout: NNNNNN<TAB>status per item; stderr: NNNNNN<TAB>message per message, or a\n"
    "progress bar when stderr is a terminal. Exit code 0 every item exported, 1 any not.\n"
    "\n"
    "With --verify, a single run prints a second stdout line\n"
    "  verify<TAB>OUTCOME<TAB>FORMAT<TAB>TEXT<TAB>REASONS<TAB>READER\n"
    "and batch mode appends the five columns to each item's line:\n"
    "  NNNNNN<TAB>status<TAB>OUTCOME<TAB>FORMAT<TAB>TEXT<TAB>REASONS<TAB>READER\n"
    "  OUTCOME  ok (read as meant, standard, quiet zones met), fail (REASONS say why),\n"
    "           unchecked (the reader failed; our own checks passed) or none\n"
    "           (nothing exported)\n"
    "  FORMAT   what the image was read as: CODABAR, CODE39, EAN-13, EAN-8, ITF,\n"
    "           CODE128, GS1-128, JAPAN-POST; - when nothing was read\n"
    "  TEXT     what was read, bytes outside printable ASCII and \\ as \\xNN (GS1-128:\n"
    "           AIs and data, \\x1D after a field of variable length); - when nothing\n"
    "  REASONS  comma-separated, - when none: no-bars, not-read, wrong-format,\n"
    "           text-differs, itf-not-interleaved, itf-too-short:DIGITS/REQUIRED,\n"
    "           jan-without-check-digit, code128-without-check-character,\n"
    "           code39-asterisk-in-data, nw7-letter-in-data, postal-without-check-character,\n"
    "           postal-check-character:DRAWN/RIGHT, postal-unreadable,\n"
    "           quiet-zone-left:MEASURED/REQUIRED, quiet-zone-right:MEASURED/REQUIRED\n"
    "           (in modules), readers-disagree (our reader read otherwise than\n"
    "           ZXing-C++), reader-error, gs1-data (GS1 data the AI table refuses)\n"
    "  READER   who read it: own, zxing or both (the postal code: own); - for none\n"
    "With --dpi (and on label sheets) the size on paper is judged as well: two more\n"
    "columns, MODULE<TAB>HEIGHT, the module width and the bars' height in mm (- when\n"
    "nothing was measured), and the REASONS x-dimension:MEASURED/REQUIREDmm,\n"
    "quiet-zone-left and quiet-zone-right in mm (in place of modules), too-long and,\n"
    "a warning that changes no outcome, warning:bar-height:MEASURED/REQUIREDmm.\n"
    "Exit code 3 when every image was exported (and written) but one failed the check.\n";

constexpr char kUsageSheetStart[] =
    "\n"
    "Label sheets (--sheet LAYOUT -o FILE.pdf, codes from --serial N or --batch FILE):\n";

constexpr char kUsageSheet[] =
    "Each code is drawn by the Create command with the options above, --copies times,\n"
    "on the labels row by row, left to right, top to bottom, sheet after sheet; a code\n"
    "that cannot be drawn gets no label. Every barcode is read back before it is\n"
    "written (--verify=WHO chooses the reader) and judged at its size on paper.\n"
    "stdout: a line per label that did not read back as meant or missed its size,\n"
    "NNNNNN<TAB>CODE<TAB>OUTCOME<TAB>FORMAT<TAB>TEXT<TAB>REASONS<TAB>READER<TAB>MODULE<TAB>\n"
    "HEIGHT (NNNNNN: the label's number counted from the first label of the first\n"
    "sheet), then how many labels passed; stderr: NNNNNN<TAB>message per code that\n"
    "cannot be drawn (NNNNNN: the code's number), the dots a pixel took where they are\n"
    "not the nearest, the warnings and, when stderr is a terminal, the progress. The\n"
    "PDF is written only when complete. Exit code 0 every label read back as meant and\n"
    "of its size, 1 a code not drawn or nothing written, 2 usage error (a layout that\n"
    "does not fit, a serial run past its digits), 3 a label did not read back or missed\n"
    "its size.\n";

void Replace(std::string& text, std::string_view placeholder, const std::string& by) {
    for (std::size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + by.size())) {
        text.replace(at, placeholder.size(), by);
    }
}

// The option's --help entry, or entries.
void AppendUsage(std::string& out, const Option& option) {
    std::string text = option.usage;
    Replace(text, "{range}", std::to_string(option.lo) + ".." + std::to_string(option.hi));
    Replace(text, "{max}", std::to_string(option.hi));
    if (option.number) Replace(text, "{default}", std::to_string(CliOptions{}.*option.number));
    // The text of every entry of a section starts in the same column.
    const std::size_t column = option.batch || option.sheet ? 21 : 17;
    auto entry = [&](std::string_view form) {
        out += "  ";
        out += form;
        const std::size_t width = 2 + form.size();
        out.append(width < column ? column - width : 1, ' ');
    };
    std::size_t start = 0;
    for (bool first = true; start < text.size(); first = false) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        const std::size_t tab = line.find('\t');
        if (first) {
            const std::string value = !option.value        ? ""
                                      : option.inlineValue ? std::string("[=") + option.value + "]"
                                                           : std::string(" ") + option.value;
            entry(option.name + value);
        } else if (tab != std::string_view::npos) {
            entry(line.substr(0, tab));
            line.remove_prefix(tab + 1);
        } else {
            out.append(column, ' ');
        }
        out += line;
        out += '\n';
    }
}

}  // namespace

std::string Usage() {
    std::string out = kUsageStart;
    for (const Option& option : kOptions) {
        if (option.usage && !option.batch && !option.sheet) AppendUsage(out, option);
    }
    out += kUsageSingleRun;
    for (const Option& option : kOptions) {
        if (option.usage && option.batch) AppendUsage(out, option);
    }
    out += kUsageBatch;
    out += kUsageSheetStart;
    for (const Option& option : kOptions) {
        if (option.usage && option.sheet) AppendUsage(out, option);
    }
    out += kUsageSheet;
    return out;
}

ParseResult ParseArguments(const std::vector<std::string>& args) {
    Parsing p;
    ParseResult result;
    auto fail = [&](std::string message) {
        result.error = std::move(message);
        return result;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::size_t equals = arg.find('=');
        const Option* option = FindOption(std::string_view(arg).substr(0, equals));
        if (!option || (equals != std::string::npos && !option->inlineValue) ||
            equals + 1 == arg.size()) {
            return fail("unknown option: " + Shown(arg));
        }
        if (option->inlineValue) {
            std::string error =
                TakeValue(*option, equals == std::string::npos ? "" : arg.substr(equals + 1), p);
            if (!error.empty()) return fail(std::move(error));
            continue;
        }
        if (option->sheet && !p.sheetOption && std::string_view(option->name) != "--sheet") {
            p.sheetOption = option->name;
        }
        if (option->number == &CliOptions::dpi) p.options.dpiGiven = true;
        if (option->flag) {
            p.options.*option->flag = true;
            continue;
        }
        if (i + 1 >= args.size()) return fail("missing value for " + Shown(arg));
        std::string error = TakeValue(*option, args[++i], p);
        if (!error.empty()) return fail(std::move(error));
    }
    CliOptions& o = p.options;
    if (o.help || o.version) {
        result.options = o;
        return result;
    }
    if (o.symbology < 0) return fail("--type is required");
    if (o.Sheet()) {
        if (o.output.empty() || o.ToStdout() || o.format != OutputFormat::kPdf) {
            return fail("--sheet needs -o FILE.pdf");
        }
        if ((o.serial > 0) == !o.batchCodes.empty()) {
            return fail("--sheet takes its codes from --serial N or --batch FILE, one of them");
        }
        if (!o.batchRefs.empty() && o.batchCodes.empty()) {
            return fail("--batch-refs goes with --batch");
        }
        if (!o.outDir.empty() || p.format || o.jobs != 0) {
            return fail("--out-dir, --format and --jobs do not go with --sheet");
        }
        if (o.firstLabel > o.layout.Labels()) {
            return fail("--first-label: " +
                        FormatText(str::kSheetFirstLabel, o.layout.Labels(), o.firstLabel));
        }
    } else if (p.sheetOption) {
        return fail(std::string(p.sheetOption) + " goes with --sheet");
    } else if (o.Batch()) {
        if (!o.output.empty()) return fail("-o does not go with --batch; use --out-dir");
        if (o.outDir.empty()) return fail("--batch needs --out-dir");
        o.format = p.format.value_or(OutputFormat::kPng);
        if (o.jobs == 0)
            o.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    } else if (!o.batchRefs.empty() || !o.outDir.empty() || o.jobs != 0) {
        return fail("--batch-refs, --out-dir and --jobs go with --batch");
    } else if (o.ToStdout()) {
        if (!p.format) return fail("-o - needs --format png, svg, pdf or eps");
        o.format = *p.format;
    } else if (p.format) {
        return fail("--format goes with -o - or --batch; a file name says its own format");
    }
    const char maxStart = o.symbology == kSymbologyCode128 ? 'C' : 'D';
    auto letter = [&](const std::string& text, char last, char& out) {
        if (text.empty()) return true;
        if (text.size() != 1 || text[0] < 'A' || text[0] > last) return false;
        out = text[0];
        return true;
    };
    if (!letter(p.startText, maxStart, o.start)) {
        return fail(std::string("--start takes a letter from A to ") + maxStart + ", not '" +
                    Shown(p.startText) + "'");
    }
    if (!letter(p.stopText, 'D', o.stop))
        return fail("--stop takes a letter from A to D, not '" + Shown(p.stopText) + "'");
    if (!p.formText.empty()) {
        const SymbologyEntry& entry = *SymbologyAt(o.symbology);
        if (entry.formCount == 0) {
            return fail("--form goes with --type jan, itf, code128 or postal, not " +
                        std::string(entry.cliName));
        }
        o.form = FormByCliName(o.symbology, p.formText.c_str());
        if (o.form < 0) {
            std::string names;
            for (int f = 0; f < entry.formCount; ++f) {
                names += f == 0 ? "" : f + 1 == entry.formCount ? " or " : ", ";
                names += entry.forms[f].cliName;
            }
            return fail("--form for --type " + std::string(entry.cliName) + " takes " + names +
                        ", not '" + Shown(p.formText) + "'");
        }
    }
    if (p.address) {
        if (o.symbology != kSymbologyPostal) return fail("--address goes with --type postal");
        if (p.refGiven) return fail("--address and --ref: give one of them");
        if (!p.formText.empty() && o.form != kPostalFormAddress) {
            return fail("--address goes with --form address, not " + Shown(p.formText));
        }
        o.form = kPostalFormAddress;
        o.ref = p.addressText;
    }
    const std::size_t refLimit = o.symbology == kSymbologyPostal
                                     ? PostalRefLimit(o.form)
                                     : static_cast<std::size_t>(kMaxRefNoBytes);
    if (o.ref.size() > refLimit) {
        return fail(std::string(p.address ? "--address" : "--ref") + " holds at most " +
                    std::to_string(refLimit) + " bytes, not " + std::to_string(o.ref.size()));
    }
    result.options = o;
    return result;
}

sheet::SheetRequest CliOptions::SheetRequest() const {
    sheet::SheetRequest r;
    r.layout = layout;
    r.placement.printerDpi = printerDpi;
    r.placement.centred = !labelOffset;
    r.placement.offsetX = offsetX;
    r.placement.offsetY = offsetY;
    r.firstLabel = firstLabel;
    r.copies = copies;
    r.leaveHoles = leaveHoles;
    return r;
}

void ApplyOptions(const CliOptions& o, BarcodeSettings& s) {
    for (const Option& option : kOptions) {
        if (option.setting) s.*option.setting = o.*option.number;
        if (option.setJob) option.setJob(o, s);
    }
}

}  // namespace diduzozoz::cli
