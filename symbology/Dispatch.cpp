#include "symbology/Dispatch.h"

#include <cstring>
#include <iterator>

#include "base/Strings.h"
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

// In the order of the form values (BarcodeSettings.h).
constexpr FormEntry kJanForms[] = {{"jan13", str::kFormJan13}, {"jan8", str::kFormJan8}};
constexpr FormEntry kItfForms[] = {{"plain", str::kFormItfPlain},
                                   {"interleaved", str::kFormItfInterleaved},
                                   {"itf14", str::kFormItf14}};
constexpr FormEntry kCode128Forms[] = {{"fixed", str::kFormCode128Fixed},
                                       {"auto", str::kFormCode128Auto},
                                       {"gs1", str::kFormCode128Gs1}};
constexpr FormEntry kPostalForms[] = {{"digits", str::kFormPostalDigits},
                                      {"address-number", str::kFormPostalAddressNumber},
                                      {"address", str::kFormPostalAddress}};
static_assert(std::size(kJanForms) == kJanForm8 + 1);
static_assert(std::size(kItfForms) == kItfForm14 + 1);
static_assert(std::size(kCode128Forms) == kCode128FormGs1 + 1);
static_assert(std::size(kPostalForms) == kPostalFormAddress + 1);

template <std::size_t N>
constexpr int Count(const FormEntry (&)[N]) {
    return static_cast<int>(N);
}

constexpr SymbologyEntry kSymbologies[kSymbologyCount] = {
    {"none", nullptr, NoChecks, nullptr, nullptr},
    {"nw7", &BarcodeSettings::m_nCdNW7, CheckNw7Content, Nw7CheckDigit, RenderNw7},
    {"code39", &BarcodeSettings::m_nCdCode39, CheckCode39Content, Code39CheckDigit, RenderCode39},
    {"jan", &BarcodeSettings::m_nCdJan, CheckJanContent, JanCheckDigit, RenderJan, nullptr,
     &BarcodeSettings::m_nJanForm, kJanForms, Count(kJanForms)},
    {"itf", &BarcodeSettings::m_nCdItf, CheckItfContent, ItfCheckDigit, RenderItf, nullptr,
     &BarcodeSettings::m_nItfForm, kItfForms, Count(kItfForms)},
    {"code128", &BarcodeSettings::m_nCdCode128, CheckCode128Content, Code128CheckDigit,
     RenderCode128, nullptr, &BarcodeSettings::m_nCode128Form, kCode128Forms, Count(kCode128Forms)},
    {"postal", &BarcodeSettings::m_nCdPostal, CheckPostalContent, PostalCheckDigit, RenderPostal,
     PostalModulePixels, &BarcodeSettings::m_nPostalForm, kPostalForms, Count(kPostalForms)},
};

}  // namespace

int* BarcodeSettings::OptionWord(int symbology) {
    const SymbologyEntry* entry = SymbologyAt(symbology);
    return entry && entry->optionWord ? &(this->*(entry->optionWord)) : nullptr;
}

int* BarcodeSettings::FormOf(int symbology) {
    const SymbologyEntry* entry = SymbologyAt(symbology);
    return entry && entry->form ? &(this->*(entry->form)) : nullptr;
}

int BarcodeSettings::FormValue(int symbology) const {
    const SymbologyEntry* entry = SymbologyAt(symbology);
    return entry && entry->form ? this->*(entry->form) : 0;
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

int FormByCliName(int symbology, const char* name) {
    const SymbologyEntry* entry = SymbologyAt(symbology);
    if (!entry) return -1;
    for (int i = 0; i < entry->formCount; ++i) {
        if (std::strcmp(entry->forms[i].cliName, name) == 0) return i;
    }
    return -1;
}

}  // namespace diduzozoz
