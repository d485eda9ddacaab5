// The command line of diduzozoz-cli: parsing and applying it to a job.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "job/BarcodeJob.h"
#include "sheet/SheetRun.h"

namespace diduzozoz::cli {

enum class OutputFormat { kNone, kPng, kSvg, kPdf, kEps };

// The encoder's format for a format that writes something.
ImageFormat ImageFormatOf(OutputFormat format);

// "-o -": the image goes to stdout (its format named by --format), the status line to stderr.
inline constexpr char kStdoutName[] = "-";

struct CliOptions {
    int symbology = -1;
    std::string code;
    std::string ref;
    bool checkDigit = false;
    int pattern = 1;
    char start = 'A';
    char stop = 'A';
    int form = 0;  // the type's form; 0 its first, the type as it has always been drawn
    // The dialog's start values.
    int textPosition = BarcodeSettings{}.m_nTextPosition;
    int unit = BarcodeSettings{}.m_nLineUnit;
    int height = BarcodeSettings{}.m_nBarHeight;
    int marginX = BarcodeSettings{}.m_nMarginX;
    int marginY = BarcodeSettings{}.m_nMarginY;
    std::string output;
    OutputFormat format = OutputFormat::kNone;
    int dpi = kDefaultDpi;  // resolution written into the image
    // --dpi was given: the user said how large the pixels are, and --verify judges the size.
    bool dpiGiven = false;
    bool help = false;
    bool version = false;
    // Read every exported image back and check it; the verdict goes to stdout.
    bool verify = false;
    // --verify=own|zxing|both; plain --verify reads with what this build has beside it.
    enum class Readers { kBuilt, kOwn, kZxing, kBoth };
    Readers verifyWith = Readers::kBuilt;
    // Batch mode: one Create command per item of a code list.
    std::string batchCodes;
    std::string batchRefs;
    std::string outDir;
    int jobs = 0;  // 0: one per processor
    // Label sheets: the barcodes on the labels of a layout, one PDF page per sheet.
    std::string sheetName;  // --sheet as given; empty: no sheets
    sheet::Layout layout;
    int serial = 0;  // N codes counting up from --code (postal: from --ref); 0: --batch's items
    int firstLabel = 1;
    int copies = 1;
    int printerDpi = 600;
    bool leaveHoles = false;
    bool labelOffset = false;  // at offsetX, offsetY from the label's corner, not centred
    sheet::Micrometres offsetX = 0;
    sheet::Micrometres offsetY = 0;
    bool Sheet() const { return !sheetName.empty(); }
    sheet::SheetRequest SheetRequest() const;
    bool Batch() const { return !batchCodes.empty() && !Sheet(); }
    bool ToStdout() const { return output == kStdoutName; }
    // The paper a single run's or a batch's verdict judges the size on.
    verify::Paper VerifyPaper() const { return dpiGiven ? verify::Paper{dpi} : verify::Paper{}; }
};

struct ParseResult {
    std::optional<CliOptions> options;  // empty on a usage error
    std::string error;                  // one line saying what is wrong
};

ParseResult ParseArguments(const std::vector<std::string>& args);

// Sets the job's members as the dialog's controls would.
void ApplyOptions(const CliOptions& options, BarcodeSettings& settings);

// What --help prints.
std::string Usage();

}  // namespace diduzozoz::cli
