// Fuzz target: our reader on images that are not ours. The input is a small header and the
// pixels: the symbology asked for, whether a CODE39 check character is to be checked, the
// width and height, then one byte a pixel (any value but 0 is black), repeated from the start
// when they run out; or, with flag 2, only as many pixels as the input holds, an image whose
// pixels are not all there. Reading never fails loudly: a reading or nothing, never out of
// bounds, and the verdict agrees with its findings.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "symbology/BarcodeSettings.h"
#include "tests/fuzz/Invariant.h"
#include "verify/OwnReader.h"
#include "verify/Verify.h"

namespace {

using namespace diduzozoz;

constexpr std::size_t kHeader = 5;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kHeader) return 0;
    const int symbology = data[0] % kSymbologyCount;
    const bool code39Check = data[1] & 1;
    const bool partial = data[1] & 2;
    ExportImage image;
    image.width = (data[2] | data[3] << 8) % 2049;  // up to the widest canvas
    image.height = data[4];  // the rows are alike: more of them find nothing new

    const std::uint8_t* pixels = data + kHeader;
    const std::size_t count = size - kHeader;
    const std::size_t area = static_cast<std::size_t>(image.width) * image.height;
    image.pixels.resize(partial ? std::min(area, count) : area);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        image.pixels[i] = count ? pixels[i % count] : 0;
    }

    verify::ReadRequest request;
    request.symbology = symbology;
    request.code39Check = code39Check;
    const verify::ReadResult r = verify::OwnReader().Read(image, request);
    Check(r.status != verify::ReadResult::Status::kError);
    if (r.status == verify::ReadResult::Status::kRead) {
        Check(r.format == "CODABAR" || r.format == "CODE39" || r.format == "EAN-13" ||
              r.format == "CODE128");
        Check(!r.bytes.empty());
    }

    verify::Meant meant;
    meant.symbology = symbology;
    meant.text = r.bytes;
    meant.checkCharacter = code39Check;
    const verify::Verdict v = verify::Verify(image, meant, {nullptr, &verify::OwnReader()});
    bool failed = false;
    for (const verify::Finding& f : v.findings) failed = failed || verify::IsFailure(f.reason);
    Check((v.outcome == verify::Outcome::kFail) == failed);
    Check(!verify::VerdictText(v).empty());
    return 0;
}
