// Reading an exported image back and checking it against its symbology: what a scanner will
// make of it, and whether it is a standard symbol with the quiet zones its standard asks for.
// Qt-free; the dialog and the command-line renderer show the same verdict.
#pragma once

#include <string>
#include <vector>

#include "render/ExportImage.h"

namespace diduzozoz {
class BarcodeJob;
}

namespace diduzozoz::verify {

// What a run meant to draw.
struct Meant {
    int symbology = 0;  // Symbology value
    int form = 0;       // the type's form (BarcodeSettings.h); 0 for the type as always drawn
    // The encoded text, check characters included: NW-7 with its start and stop letters,
    // CODE39 without its asterisks, JAN and ITF the digits, CODE128 the code text with the
    // set-C fill digit and the check character(s), postal the seven digits of the code.
    // CODE128's automatic form: the data as a reader reports it (NUL a byte 0), no check
    // character; GS1-128: the element string as readers report it (AIs and data, no
    // parentheses, no leading FNC1, GS 0x1D after each variable-length field not the last).
    std::string text;
    std::string refNo;            // postal reference number; the address forms' address number
    char code128Set = 'A';        // CODE128 start set (the automatic forms: the one chosen)
    bool checkCharacter = false;  // the run appended a check character (CODE39, CODE128)

    bool operator==(const Meant&) const = default;
};

// The meaning of the job's last completed drawing, read from the job after the run.
Meant MeantOf(const BarcodeJob& job);

// An independent reader of the five module-based types.
struct ReadRequest {
    int symbology = 0;
    bool code39Check = false;  // refuse a CODE39 symbol whose check character is wrong
};
struct ReadResult {
    enum class Status { kRead, kNothing, kError };
    Status status = Status::kNothing;
    std::string format;  // e.g. "CODABAR", "EAN-13"
    std::string bytes;   // the content as the reader reports it
    std::string error;   // for kError
};
class Reader {
  public:
    virtual ~Reader() = default;
    virtual ReadResult Read(const ExportImage& image, const ReadRequest& request) const = 0;
    // How the verify line names it: "own" or "zxing".
    virtual const char* Name() const = 0;
};

// Who reads the module-based types. The verdict follows the independent reader where there is
// one; our own is then held to it, and where the two disagree that is the verdict. With neither
// the reading is not checked.
struct Readers {
    const Reader* independent = nullptr;
    const Reader* own = nullptr;

    // "both", or the one reader's name; "-" for none.
    std::string Name() const;
};

enum class Outcome {
    kOk,         // read as meant, standard, quiet zones met
    kFail,       // at least one finding below says why not
    kUnchecked,  // our own checks passed, but no reader could be asked
};

// Each reason has a row in verify/ReasonTable.h at the same place; the table counts up to the
// last one here, kBarHeight.
enum class Reason {
    kNoBars,                // nothing to read in the image
    kNotRead,               // the reader found no symbol
    kWrongFormat,           // read as another symbology (detail: the format)
    kTextDiffers,           // read, but not what was meant (detail: what was read)
    kItfNotInterleaved,     // digits drawn one by one, not in pairs
    kItfTooShort,           // interleaved, but fewer digits than readers take (measured, required)
    kJanNoCheckDigit,       // 12 digits: no EAN-13 symbol
    kCode128NoCheck,        // no modulus 103 check character
    kCode39AsteriskInData,  // "*" inside the data ends the symbol early
    kNw7LetterInData,       // A to D inside the data are start/stop characters
    kPostalNoCheck,         // no check symbol drawn
    kPostalCheckWrong,      // the check symbol does not fit the data (measured: drawn, required:
                            // right)
    kPostalUnreadable,      // bars that form no symbol of the table (detail: where)
    kPostalRepresentative,  // a warning: an address form for a postcode ending in 00 (detail: it)
    kQuietZoneLeft,         // measured and required in modules
    kQuietZoneRight,
    kReaderMissing,    // built without a reader: not checked
    kReaderFailed,     // the reader reported an error (detail): not checked
    kReadersDisagree,  // ours read otherwise than the independent one (detail: "FORMAT text",
                       // empty when ours read nothing)
    kGs1Data,          // read as GS1-128, but its data breaks the AI table (detail: why)
    // Judged on paper, measured and required in millimetres (verify/SizeLimits.h):
    kXDimension,       // the module outside its standard's range (required: the bound missed)
    kQuietZoneLeftMm,  // in place of the quiet zones in modules
    kQuietZoneRightMm,
    kTooLong,    // longer, with the quiet zones, than its standard allows
    kBarHeight,  // a warning only: lower than its standard asks for, which only the
                 // height setting can mend
};

struct Finding {
    Reason reason;
    double measured = 0;
    double required = 0;
    std::string detail;
};

struct Verdict {
    Outcome outcome = Outcome::kFail;
    // What was read back: the reader's format and bytes, or our own postal read-back.
    bool read = false;
    std::string format;
    std::string text;
    std::vector<Finding> findings;  // non-standard, reading, quiet zones, not checked
    std::string reader;             // who read it, as Readers::Name() says; postal: "own"
    // Judged on paper (Paper below): the module width and the bars' height as printed, in mm.
    bool onPaper = false;
    double moduleMm = 0;
    double barHeightMm = 0;

    bool Has(Reason r) const;
    const Finding* Find(Reason r) const;
};

// The verdict for image as exported, drawn to mean meant. readers may hold none (built
// without them): the reading part is then "not checked" and everything else still runs.
// Any image is accepted; none is read out of bounds.
Verdict Verify(const ExportImage& image, const Meant& meant, const Readers& readers);

// How large the image's pixels are where the user has said so (a file written at a resolution
// given, a printer's or a sheet's dots): dotsPerPixel * 25.4 / dpi millimetres. A pasted
// bitmap's size is the user's choice, not ours: dpi 0.
struct Paper {
    int dpi = 0;
    int dotsPerPixel = 1;
    // Nothing but white paper beyond the image's edges (a barcode printed on its own page):
    // its quiet zones are not judged.
    bool whiteAround = false;
};
// The verdict as above, and where the paper is known, the size against the limits of the
// drawing's standard: the quiet zones then in millimetres, a bar height short of its minimum
// only a warning.
Verdict Verify(const ExportImage& image, const Meant& meant, const Readers& readers,
               const Paper& paper);

// Whether a finding makes the drawing unfit (the two reader findings only leave it unchecked).
bool IsFailure(Reason reason);
// Whether a finding is only a warning: the outcome stays what the others make it.
bool IsWarning(Reason reason);

// A measure of modules as the verdict quotes it: one decimal, none when whole (6, 6.5, 3.3).
std::string Decimal(double value);

// The one-line verdict the dialog shows, in Japanese, from the string table.
std::string VerdictText(const Verdict& verdict);
// One finding in the verdict's Japanese words.
std::string FindingText(const Finding& finding);

}  // namespace diduzozoz::verify
