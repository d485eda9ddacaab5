// Reads an exported image back with ZXing-C++, an independent barcode reader.
#pragma once

#include <ZXing/BarcodeFormat.h>

#include <string>

#include "render/ExportImage.h"

namespace diduzozoz::test {

struct Decoded {
    bool valid = false;
    std::string text;  // UTF-8
    std::string format;
};

// Codabar results keep their start and stop letters.
Decoded DecodeImage(const ExportImage& image, ZXing::BarcodeFormat format);

}  // namespace diduzozoz::test
