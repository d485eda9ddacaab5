// The drawing steps shared by the module-based code types (all but the postal barcode):
// left margin, modules, right margin, caption, trim lines, repaint and export.
#pragma once

#include <string_view>

#include "render/DisplayText.h"
#include "symbology/Context.h"

namespace diduzozoz {

// The position of c in a character set (distinct bytes, NUL-terminated), or -1; NUL is in no
// set. A code type's character lookup.
int CharIndexIn(const char* set, char c);

// Three vertical lines of pen width m_nLineUnit at x: white above the bars, the module's
// colour over the bar rows, white below.
void DrawModule(CreateContext& job, int colour, int x, int yTop);
// m_szDataText below (position 1) or above (position 2) the bars, from x + 20; else nothing.
void DrawCaption(CreateContext& job, int x, InternalCodeNames names = nullptr);

// Width in pixels of text in the caption font, cut into rows of rowLength characters (0: one
// row): the widest row.
int CaptionWidth(std::string_view text, InternalCodeNames names, int rowLength = 0);

// The status line of a completed drawing, naming the data as shown.
std::string MadeStatus(std::string_view data, InternalCodeNames names = nullptr);

class SkeletonRenderer {
  public:
    static constexpr int kYTop = 2;

    // Draws the left margin; x() is then the first module's column. names: how the status
    // and the caption show the type's internal codes. leftPad: white added to the left margin
    // for a caption wider than the bars (see Finish::centred).
    explicit SkeletonRenderer(CreateContext& job, InternalCodeNames names = nullptr,
                              int leftPad = 0);

    int x() const { return m_x; }
    int textX() const { return m_textX; }

    // One module at x(), then x() moves on by one module.
    void Module(int colour);
    // Every module of a pattern.
    void Modules(const char* pattern);
    // Every module of a PatternTable slot; false, drawing nothing, for a slot without a
    // pattern (lookup -1), after which the renderer must call Stop().
    bool Slot(int slot);
    // Every character of text through its slot by lookup; false after Stop() at the first
    // character without a pattern.
    bool Characters(std::string_view text, int (*lookup)(char));

    struct Finish {
        int captionDx = 0;             // JAN sets its caption 15 pixels further left
        bool marginAfterLast = false;  // CODE128: its last module is a bar and stays whole
        // CODE128's automatic and GS1 forms: the caption centred on the bars, and the drawing
        // as high as the caption needs below them. rowLength > 0 cuts it into rows of that
        // many characters, all below the bars. A caption wider than the bars reaches as far
        // into the margins as leftPad and rightPad added to them.
        bool centred = false;
        int rowLength = 0;
        int rightPad = 0;
    };
    // Right margin, caption, trim lines, repaint request and export. The last module drawn
    // is at xEnd = x() - m_nLineUnit.
    void Complete(Finish how);
    void Complete() { Complete(Finish{}); }
    // The drawing cannot be finished: what is drawn stays, nothing is exported, and the
    // status line says that no barcode was made.
    void Stop();

  private:
    // Modules are collected and drawn together in Complete() or Stop(): the same pixels as
    // drawing each on its own, row by row instead of column by column.
    void DrawCollected();
    // Finish::centred: the caption's rows centred on the bars; the lowest row's bottom, or 0.
    int DrawCentredCaption(int rowLength);

    CreateContext& m_job;
    InternalCodeNames m_names;
    int m_x0 = 2;
    int m_x = 2;
    int m_textX = -2;
};

// The framed types (NW-7, CODE39, ITF) draw alike: the code between its start and stop
// characters becomes the data text, the status names it, the type's pattern table is filled,
// every character is drawn through its lookup and the drawing completed.
struct Framing {
    std::string_view start;
    std::string_view stop;
    void (*buildTable)(PatternTable&);
    int (*lookup)(char);
    // ITF's start and stop are bars only: its status names the code alone, and its caption
    // shows blanks where they stand.
    bool barsOnlyFrame = false;
};
void RenderFramed(CreateContext& job, const Framing& how);

}  // namespace diduzozoz
