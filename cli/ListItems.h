// The items of --batch, each with its reference number: from --batch-refs line by line, or
// --ref beyond its end. In the postal address forms the lists hold addresses, decoded as the
// dialog decodes them, and a --batch line "POSTCODE<TAB>ADDRESS" (or with a comma) gives both.
#pragma once

#include <memory>
#include <string>

#include "cli/CliOptions.h"
#include "lists/CodeList.h"

namespace diduzozoz::cli {

class ListItems {
  public:
    explicit ListItems(const CliOptions& options);

    // Opens the lists; false with what could not be read.
    bool Open(std::string& error);
    // The next item, or false when the code list has no more. An item whose code or
    // reference does not fit its member once decoded is skipped like an over-long line.
    bool Next(std::string& code, std::string& ref);

  private:
    bool NextRef(std::string& ref);

    const CliOptions& m_options;
    const bool m_address;  // the postal address forms
    std::unique_ptr<CodeListReader> m_codes;
    std::unique_ptr<CodeListReader> m_refs;
    bool m_refsEnded = true;
    std::string m_line;
};

}  // namespace diduzozoz::cli
