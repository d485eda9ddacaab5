#include "symbology/Skeleton.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/BoundedCopy.h"
#include "base/Strings.h"
#include "render/CaptionFont.h"
#include "render/DisplayText.h"

namespace diduzozoz {

int CharIndexIn(const char* set, char c) {
    if (c == 0) return -1;
    const char* p = std::strchr(set, c);
    return p ? static_cast<int>(p - set) : -1;
}

std::string MadeStatus(std::string_view data, InternalCodeNames names) {
    return FormatText(str::kStatusMade, DisplayText(data, names).c_str());
}

void DrawModule(CreateContext& job, int colour, int x, int yTop) {
    const int unit = job.m_nLineUnit;
    const int top = job.m_nMarginY;
    const int bottom = job.m_nMarginY + job.m_nBarHeight;
    job.m_canvas.DrawLine(kWhite, unit, x, yTop, x, top);
    job.m_canvas.DrawLine(colour, unit, x, top, x, bottom);
    job.m_canvas.DrawLine(kWhite, unit, x, bottom, x, job.m_nBarHeight + 2 * job.m_nMarginY);
}

void DrawCaption(CreateContext& job, int x, InternalCodeNames names) {
    int y = 0;
    if (job.m_nTextPosition == kTextBelow) {
        y = job.m_nMarginY + job.m_nBarHeight;
    } else if (job.m_nTextPosition == kTextAbove) {
        y = job.m_nMarginY - 18;
    } else {
        return;
    }
    job.m_canvas.DrawText(x + 20, y, TextView(job.m_szDataText), names);
}

namespace {

// The caption's rows: rowLength characters each, or the whole text.
std::vector<std::string_view> CaptionRows(std::string_view text, int rowLength) {
    std::vector<std::string_view> rows;
    if (rowLength <= 0) return {text};
    for (std::size_t at = 0; at < text.size(); at += static_cast<std::size_t>(rowLength)) {
        rows.push_back(text.substr(at, static_cast<std::size_t>(rowLength)));
    }
    return rows;
}

int RowWidth(std::string_view row, InternalCodeNames names) {
    const std::string shown = DisplayText(row, names);
    int width = 0;
    for (std::size_t i = 0; i < shown.size();) width += CaptionGlyphFor(DecodeUtf8(shown, i)).width;
    return width;
}

}  // namespace

int CaptionWidth(std::string_view text, InternalCodeNames names, int rowLength) {
    int width = 0;
    for (std::string_view row : CaptionRows(text, rowLength)) {
        width = std::max(width, RowWidth(row, names));
    }
    return width;
}

SkeletonRenderer::SkeletonRenderer(CreateContext& job, InternalCodeNames names, int leftPad)
    : m_job(job), m_names(names) {
    const int h = job.TotalHeight();
    m_x = 2;
    while (m_x - 2 < job.m_nMarginX + leftPad) {
        job.m_canvas.DrawLine(kWhite, 1, m_x, kYTop, m_x, h);
        ++m_x;
    }
    m_textX = m_x - 4;
    m_x0 = m_x;
    job.m_modules.clear();
}

void SkeletonRenderer::DrawCollected() {
    const int top = m_job.m_nMarginY;
    const int bottom = m_job.m_nMarginY + m_job.m_nBarHeight;
    m_job.m_canvas.DrawColumns(m_job.m_modules.data(), static_cast<int>(m_job.m_modules.size()),
                               m_x0, m_job.m_nLineUnit, kYTop, top, bottom,
                               m_job.m_nBarHeight + 2 * m_job.m_nMarginY);
    m_job.m_modules.clear();
}

void SkeletonRenderer::Module(int colour) {
    m_job.m_modules.push_back(colour == kBlack ? 1 : 0);
    m_x += m_job.m_nLineUnit;
}

void SkeletonRenderer::Modules(const char* pattern) {
    const std::size_t n = std::strlen(pattern);
    std::vector<std::uint8_t>& modules = m_job.m_modules;
    const std::size_t at = modules.size();
    modules.resize(at + n);
    for (std::size_t i = 0; i < n; ++i)
        modules[at + i] = ModuleColour(pattern[i]) == kBlack ? 1 : 0;
    m_x += static_cast<int>(n) * m_job.m_nLineUnit;
}

bool SkeletonRenderer::Slot(int slot) {
    const char* pattern = m_job.m_patternTable.Slot(slot);
    if (!pattern || !*pattern) return false;
    Modules(pattern);
    return true;
}

bool SkeletonRenderer::Characters(std::string_view text, int (*lookup)(char)) {
    for (char c : text) {
        if (!Slot(lookup(c))) {
            Stop();
            return false;
        }
    }
    return true;
}

void SkeletonRenderer::Complete(Finish how) {
    const int unit = m_job.m_nLineUnit;
    int h = m_job.TotalHeight();
    DrawCollected();
    const int xEnd = m_x - unit;
    int x = how.marginAfterLast ? xEnd + unit : xEnd;
    for (int i = 0; i < m_job.m_nMarginX + how.rightPad; ++i, ++x) {
        m_job.m_canvas.DrawLine(kWhite, 1, x, kYTop, x, h);
    }
    const int w = x;
    if (how.centred) {
        h = std::max(h, DrawCentredCaption(how.rowLength));
    } else {
        DrawCaption(m_job, m_textX - how.captionDx, m_names);
    }
    const int top = m_job.m_nMarginY;
    const int bottom = m_job.m_nMarginY + m_job.m_nBarHeight;
    m_job.m_canvas.DrawLine(kWhite, 2, m_textX, top, xEnd, top);
    m_job.m_canvas.DrawLine(kWhite, 2, m_textX, bottom, xEnd, bottom);
    m_job.RequestRepaint();
    m_job.Export(w, h);
}

int SkeletonRenderer::DrawCentredCaption(int rowLength) {
    const std::vector<std::string_view> rows = CaptionRows(TextView(m_job.m_szDataText), rowLength);
    const int position = m_job.m_nTextPosition;
    if (position != kTextBelow && position != kTextAbove) return 0;
    // Rows go under the bars, as slips print them; a single row goes where the user put it.
    int y = position == kTextAbove && rows.size() == 1 ? m_job.m_nMarginY - 18
                                                       : m_job.m_nMarginY + m_job.m_nBarHeight;
    const int bars = m_x - m_x0;
    for (std::string_view row : rows) {
        m_job.m_canvas.DrawText(m_x0 + (bars - RowWidth(row, m_names)) / 2, y, row, m_names);
        y += kCaptionCellHeight;
    }
    return position == 2 && rows.size() == 1 ? 0 : y;
}

void SkeletonRenderer::Stop() {
    DrawCollected();
    m_job.SetStatus(FormatText(str::kStatusIncomplete,
                               DisplayText(TextView(m_job.m_szDataText), m_names).c_str()));
    m_job.RequestRepaint();
}

void RenderFramed(CreateContext& job, const Framing& how) {
    std::string data(how.start);
    data += TextView(job.m_szCode);
    data += how.stop;
    job.SetDataText(data);
    job.SetStatus(
        MadeStatus(how.barsOnlyFrame ? TextView(job.m_szCode) : TextView(job.m_szDataText)));
    how.buildTable(job.m_patternTable);

    SkeletonRenderer r(job);
    if (!r.Characters(TextView(job.m_szDataText), how.lookup)) return;
    if (const std::size_t len = TextLength(job.m_szDataText); how.barsOnlyFrame && len >= 2) {
        job.m_szDataText[0] = ' ';
        job.m_szDataText[len - 1] = ' ';
    }
    r.Complete();
}

}  // namespace diduzozoz
