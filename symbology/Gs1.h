// GS1 data for GS1-128: the table of Application Identifiers (AI) in common use in Japan, the
// code text as users type it ("(01)04912345678904(10)ABC123", or with square brackets), the
// check digits inside the data, the convenience-store payment code (AI 91 and 42 digits), and
// the element string as a reader reports it (AIs and data, GS after a field of variable length
// that is not the last).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace diduzozoz {

inline constexpr char kGs1Separator = '\x1D';  // GS: FNC1 between fields as readers report it
inline constexpr int kGs1MaxCharacters = 48;   // AI digits, data and separating FNC1s
inline constexpr std::size_t kGs1PaymentDigits = 44;  // "91" and 42 digits

struct Gs1Element {
    std::string ai;
    std::string data;
    // Where each data character stands in the typed text; npos for an appended check digit.
    std::vector<std::size_t> typedAt;
    std::size_t aiAt = 0;  // the AI's first digit in the typed text
};

struct Gs1Data {
    std::vector<Gs1Element> elements;
    // One AI (91) of 42 digits whose last is the modulus 10 check digit over the 43 before it.
    bool paymentCode = false;
};

// Reads GS1 data as typed: each AI in parentheses (or all in square brackets) followed by its
// data, "\(" and "\)" standing for parentheses in the data, and checks it against the AI table.
// A field one digit short of its check digit (and the payment code's 41 digits) gets the digit
// appended when appendCheckDigits is on; a wrong check digit is refused either way. On a
// refusal the result is empty and error holds the message, which names the AI at fault.
std::optional<Gs1Data> ParseGs1(std::string_view typed, bool appendCheckDigits, std::string& error);

// The element string as readers report it: AIs and data, GS after each variable-length field
// that is not the last.
std::string Gs1ElementString(const Gs1Data& data);
// As GS1 prints it under the bars: every AI in parentheses before its data.
std::string Gs1Readable(const Gs1Data& data);
// Whether FNC1 must follow the AI's field when another comes after it: every AI whose length is
// not predefined by its first two digits.
bool Gs1NeedsSeparator(std::string_view ai);

// Checks an element string as a reader reports it against the AI table and the check digits;
// the data on success, else nothing and why not in error.
std::optional<Gs1Data> CheckGs1ElementString(std::string_view elements, std::string& error);

// Modulus 10 check digit of GS1, weight 3 on the rightmost digit: '0'..'9', or 0 when a
// character is no digit.
char Gs1CheckDigit(std::string_view digits);

// Where a serial run counts in GS1 data as typed: the payment code's free field, else the last
// run of digits in the data of the last field that has one, before that field's check digit.
// A check digit that was typed is worked out anew for every code from the digits it covers.
// length 0 when the data holds no digit; nothing when typed is no GS1 data.
struct Gs1SerialDigits {
    std::size_t at = 0;
    std::size_t length = 0;
    std::size_t checkAt = std::string_view::npos;  // the typed check digit, or npos
    std::size_t coveredFrom = 0;  // the digits from here up to checkAt are what it covers
};
std::optional<Gs1SerialDigits> Gs1SerialCounting(std::string_view typed);

}  // namespace diduzozoz
