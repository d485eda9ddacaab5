// PDF written by hand, as render/PdfEncoder.cpp writes one barcode: content streams of
// rectangles (deflated: a sheet of captioned barcodes is thousands of them), each filled on
// its own (poppler places a lone rectangle's edges on
// the pixel grid, but widens those of a path of many). Objects 1 and 2 (catalog and page
// tree) are written last, once the number of pages is known; page k is object 3 + 2k and its
// content 4 + 2k.
#include "sheet/SheetPdf.h"

#include <zlib.h>

#include <cstdio>

namespace diduzozoz::sheet {

SheetPdf::SheetPdf(const Layout& layout, int printerDpi, Sink sink) : m_sink(std::move(sink)) {
    constexpr std::int64_t kPointsPerInch = 72;
    constexpr std::int64_t kInch = 25400;  // micrometres
    const std::string height = DecimalText(layout.pageHeight * kPointsPerInch, kInch, 6);
    m_mediaBox =
        "[0 0 " + DecimalText(layout.pageWidth * kPointsPerInch, kInch, 6) + " " + height + "]";
    // Dots from the page's top-left corner, y downwards: the dots a printer or a
    // rasteriser counts, so no position depends on rounding the page height.
    const std::string scale = DecimalText(kPointsPerInch, printerDpi, 8);
    m_matrix = scale + " 0 0 -" + scale + " 0 " + height + " cm\n0 g\n";
    Put("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    m_offsets.resize(2);
}

void SheetPdf::Put(std::string_view bytes) {
    if (m_ok && !m_sink(bytes)) m_ok = false;
    m_written += bytes.size();
}

void SheetPdf::Object(int number, std::string_view body) {
    if (static_cast<std::size_t>(number) > m_offsets.size()) m_offsets.resize(number);
    m_offsets[number - 1] = m_written;
    Put(std::to_string(number) + " 0 obj\n");
    Put(body);
    Put("\nendobj\n");
}

void SheetPdf::BeginSheet(std::int64_t) {
    m_content = m_matrix;
}

std::vector<DotRect> PlacedRectangles(const PlacedBarcode& placed, const ExportImage& image) {
    const std::int64_t d = placed.dotsPerPixel;
    std::vector<DotRect> out;
    for (const PixelRect& r : BlackRectangles(image)) {
        out.push_back({placed.x + r.x * d, placed.y + r.y * d, r.width * d, r.height * d});
    }
    return out;
}

void SheetPdf::Draw(const PlacedBarcode& placed, const ExportImage& image) {
    char line[96];
    for (const DotRect& r : PlacedRectangles(placed, image)) {
        const int n =
            std::snprintf(line, sizeof line, "%lld %lld %lld %lld re f\n",
                          static_cast<long long>(r.x), static_cast<long long>(r.y),
                          static_cast<long long>(r.width), static_cast<long long>(r.height));
        m_content.append(line, static_cast<std::size_t>(n));
    }
}

void SheetPdf::EndSheet() {
    const int page = static_cast<int>(3 + 2 * m_sheets);
    Object(page, "<< /Type /Page /Parent 2 0 R /MediaBox " + m_mediaBox +
                     " /Resources << >> /Contents " + std::to_string(page + 1) + " 0 R >>");
    uLongf size = compressBound(static_cast<uLong>(m_content.size()));
    m_deflated.resize(size);
    const bool deflated = compress2(reinterpret_cast<Bytef*>(m_deflated.data()), &size,
                                    reinterpret_cast<const Bytef*>(m_content.data()),
                                    static_cast<uLong>(m_content.size()), Z_BEST_SPEED) == Z_OK;
    if (deflated) {
        m_deflated.resize(size);
        Object(page + 1, "<< /Length " + std::to_string(size) +
                             " /Filter /FlateDecode >>\nstream\n" + m_deflated + "\nendstream");
    } else {
        Object(page + 1, "<< /Length " + std::to_string(m_content.size()) + " >>\nstream\n" +
                             m_content + "endstream");
    }
    ++m_sheets;
    m_content.clear();
}

bool SheetPdf::Finish() {
    Object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    std::string kids;
    for (std::int64_t k = 0; k < m_sheets; ++k) {
        if (k) kids += ' ';
        kids += std::to_string(3 + 2 * k) + " 0 R";
    }
    Object(2, "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(m_sheets) + " >>");
    const std::uint64_t xref = m_written;
    std::string tail =
        "xref\n0 " + std::to_string(m_offsets.size() + 1) + "\n0000000000 65535 f \n";
    for (std::uint64_t offset : m_offsets) {
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010llu 00000 n \n",
                      static_cast<unsigned long long>(offset));
        tail += entry;
    }
    tail += "trailer\n<< /Size " + std::to_string(m_offsets.size() + 1) +
            " /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    Put(tail);
    return m_ok;
}

}  // namespace diduzozoz::sheet
