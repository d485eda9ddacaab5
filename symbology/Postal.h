// The Japanese postal customer barcode: four bar kinds, 21 symbols, modulus 19 check value
// and the renderer with its fixed geometry.
#pragma once

#include "job/BarcodeJob.h"

namespace diduzozoz {

enum class PostalBarKind { LongBar, AscenderBar, DescenderBar, TimingBar };

void PostalCheckDigit(BarcodeJob& job);
void CheckMod19(BarcodeJob& job);
int DrawPostalBar(BarcodeJob& job, int upper, int middle, int lower, int x, int y);
void RenderPostal(BarcodeJob& job);

}  // namespace diduzozoz
