#define ZX_USE_UTF8 1
#include "verify/ZxingReader.h"

#include <ZXing/DecodeHints.h>
#include <ZXing/ReadBarcode.h>

#include <cctype>
#include <exception>
#include <vector>

#include "symbology/BarcodeSettings.h"
#include "verify/Scan.h"

namespace diduzozoz::verify {
namespace {

std::string FormatName(ZXing::BarcodeFormat format) {
    switch (format) {
        case ZXing::BarcodeFormat::Codabar:
            return "CODABAR";
        case ZXing::BarcodeFormat::Code39:
            return "CODE39";
        case ZXing::BarcodeFormat::EAN13:
            return "EAN-13";
        case ZXing::BarcodeFormat::EAN8:
            return "EAN-8";
        case ZXing::BarcodeFormat::ITF:
            return "ITF";
        case ZXing::BarcodeFormat::Code128:
            return "CODE128";
        default: {
            std::string name = ZXing::ToString(format);
            for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            return name;
        }
    }
}

class CZxingReader : public Reader {
  public:
    ReadResult Read(const ExportImage& image, const ReadRequest& request) const override {
        ReadResult out;
        if (!IsWhole(image)) return out;
        try {
            // Black 0, white 255; a scanner looks for any linear symbology, so a symbol
            // taken for another one shows as such.
            std::vector<std::uint8_t> lum(image.pixels.size());
            for (std::size_t i = 0; i < lum.size(); ++i) lum[i] = image.pixels[i] ? 0 : 255;
            const ZXing::ImageView view(lum.data(), image.width, image.height,
                                        ZXing::ImageFormat::Lum);
            ZXing::DecodeHints hints;
            hints.setFormats(ZXing::BarcodeFormat::LinearCodes);
            hints.setTryHarder(true);
            hints.setTryRotate(false);
            hints.setBinarizer(ZXing::Binarizer::FixedThreshold);
            hints.setReturnCodabarStartEnd(true);
            hints.setValidateCode39CheckSum(request.code39Check);
            const ZXing::Result result = ZXing::ReadBarcode(view, hints);
            if (!result.isValid()) return out;
            out.status = ReadResult::Status::kRead;
            out.format = FormatName(result.format());
            out.bytes.assign(result.bytes().begin(), result.bytes().end());
            // GS1-128 is Code 128 with FNC1 after the start: ZXing-C++ tells it by the
            // symbology identifier ]C1 and reports the element string (GS between fields).
            if (result.format() == ZXing::BarcodeFormat::Code128 &&
                result.symbologyIdentifier() == "]C1") {
                out.format = "GS1-128";
            }
            // An EAN-13 symbol whose first digit is 0 is reported as the UPC-A symbol it
            // also is; for a JAN drawing it is the same symbol with the 0 in front.
            if (result.format() == ZXing::BarcodeFormat::UPCA &&
                request.symbology == kSymbologyJan) {
                out.format = FormatName(ZXing::BarcodeFormat::EAN13);
                out.bytes.insert(out.bytes.begin(), '0');
            }
        } catch (const std::exception& e) {
            out.status = ReadResult::Status::kError;
            out.error = e.what();
        }
        return out;
    }
    const char* Name() const override { return "zxing"; }
};

}  // namespace

const Reader& ZxingReader() {
    static const CZxingReader reader;
    return reader;
}

}  // namespace diduzozoz::verify
