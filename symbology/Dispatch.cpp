#include "symbology/Dispatch.h"

#include <cstring>

#include "symbology/Code128.h"
#include "symbology/Code39.h"
#include "symbology/Itf.h"
#include "symbology/Jan.h"
#include "symbology/Nw7.h"
#include "symbology/Postal.h"

namespace diduzozoz {
namespace {

CheckOutcome NoChecks(CreateContext&) {
    return CheckOutcome::kPassed;
}

constexpr SymbologyEntry kSymbologies[kSymbologyCount] = {
    {"none", nullptr, NoChecks, nullptr, nullptr},
    {"nw7", &BarcodeSettings::m_nCdNW7, CheckNw7Content, Nw7CheckDigit, RenderNw7},
    {"code39", &BarcodeSettings::m_nCdCode39, CheckCode39Content, Code39CheckDigit, RenderCode39},
    {"jan", &BarcodeSettings::m_nCdJan, CheckJanContent, JanCheckDigit, RenderJan},
    {"itf", &BarcodeSettings::m_nCdItf, CheckItfContent, ItfCheckDigit, RenderItf},
    {"code128", &BarcodeSettings::m_nCdCode128, CheckCode128Content, Code128CheckDigit,
     RenderCode128},
    {"postal", &BarcodeSettings::m_nCdPostal, CheckPostalContent, PostalCheckDigit, RenderPostal,
     PostalModulePixels},
};

}  // namespace

int* BarcodeSettings::OptionWord(int symbology) {
    const SymbologyEntry* entry = SymbologyAt(symbology);
    return entry && entry->optionWord ? &(this->*(entry->optionWord)) : nullptr;
}

const SymbologyEntry* SymbologyAt(int symbology) {
    return symbology >= 0 && symbology < kSymbologyCount ? &kSymbologies[symbology] : nullptr;
}

int SymbologyByCliName(const char* name) {
    for (int i = 0; i < kSymbologyCount; ++i) {
        if (std::strcmp(kSymbologies[i].cliName, name) == 0) return i;
    }
    return -1;
}

}  // namespace diduzozoz
