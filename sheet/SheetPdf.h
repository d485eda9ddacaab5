// The sheets as one PDF, written as it goes: a page of the layout's size per sheet, each
// barcode as one filled rectangle per run of black pixels (captions included) in whole
// printer dots, so that a rasterisation at the printer's resolution gives every label's
// pixels back exactly. Pages are handed to the sink as they are finished; memory stays the
// same for any number of sheets.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "render/ExportImage.h"
#include "sheet/Layout.h"

namespace diduzozoz::sheet {

// Where a run of labels goes, sheet by sheet: a PDF, a preview, a printer.
class SheetTarget {
  public:
    virtual ~SheetTarget() = default;
    // The next sheet (from 0); sheets come in order, each ended before the next begins.
    virtual void BeginSheet(std::int64_t sheet) = 0;
    // A barcode's black pixels at its place on the current sheet, in printer dots.
    virtual void Draw(const PlacedBarcode& placed, const ExportImage& image) = 0;
    virtual void EndSheet() = 0;
};

// The dots a placed barcode's black pixels cover, one rectangle per run of black pixels.
std::vector<DotRect> PlacedRectangles(const PlacedBarcode& placed, const ExportImage& image);

class SheetPdf : public SheetTarget {
  public:
    // Takes the next bytes of the file; false when they could not be written.
    using Sink = std::function<bool(std::string_view bytes)>;

    SheetPdf(const Layout& layout, int printerDpi, Sink sink);

    void BeginSheet(std::int64_t sheet) override;
    void Draw(const PlacedBarcode& placed, const ExportImage& image) override;
    void EndSheet() override;
    // The page tree and the cross-reference table; false when the sink failed at any point.
    bool Finish();

    std::int64_t Sheets() const { return m_sheets; }

  private:
    void Put(std::string_view bytes);
    void Object(int number, std::string_view body);

    Sink m_sink;
    bool m_ok = true;
    std::uint64_t m_written = 0;
    std::vector<std::uint64_t> m_offsets;  // of object n at n - 1
    std::int64_t m_sheets = 0;
    std::string m_mediaBox;
    std::string m_matrix;
    std::string m_content;  // the current sheet's drawing
    std::string m_deflated;
};

}  // namespace diduzozoz::sheet
