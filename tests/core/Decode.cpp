#define ZX_USE_UTF8 1  // text() as UTF-8
#include "core/Decode.h"

#include <ZXing/DecodeHints.h>
#include <ZXing/ReadBarcode.h>

#include <vector>

namespace diduzozoz::test {

Decoded DecodeImage(const ExportImage& image, ZXing::BarcodeFormat format) {
    // Luminance: black 0, white 255.
    std::vector<std::uint8_t> lum(image.pixels.size());
    for (std::size_t i = 0; i < lum.size(); ++i) lum[i] = image.pixels[i] ? 0 : 255;
    ZXing::ImageView view(lum.data(), image.width, image.height, ZXing::ImageFormat::Lum);
    ZXing::DecodeHints hints;
    hints.setFormats(format);
    hints.setTryHarder(true);
    hints.setReturnCodabarStartEnd(true);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    Decoded out;
    out.valid = result.isValid();
    out.text = result.text();
    out.format = ZXing::ToString(result.format());
    return out;
}

}  // namespace diduzozoz::test
