// The drawing steps shared by the module-based code types (all but the postal barcode):
// left margin, modules, right margin, caption, trim lines, repaint and export.
#pragma once

#include "job/BarcodeJob.h"

namespace diduzozoz {

// Three vertical lines of pen width m_nLineUnit at x: white above the bars, the module's
// colour over the bar rows, white below.
void DrawModule(BarcodeJob& job, int colour, int x, int yTop);
// m_szDataText below (position 1) or above (position 2) the bars, from x + 20; else nothing.
void DrawCaption(BarcodeJob& job, int x);

class SkeletonRenderer {
  public:
    static constexpr int kYTop = 2;

    // Draws the left margin; x() is then the first module's column.
    explicit SkeletonRenderer(BarcodeJob& job);

    int x() const { return m_x; }
    int textX() const { return m_textX; }

    // One module at x(), then x() moves on by one module.
    void Module(int colour);
    // Every module of a pattern.
    void Modules(const char* pattern);
    // Every module of a PatternTable slot; false, drawing nothing, for a slot without a
    // pattern (lookup -1), after which the renderer must call Stop().
    bool Slot(int slot);

    struct Finish {
        int captionDx = 0;             // JAN sets its caption 15 pixels further left
        bool marginAfterLast = false;  // CODE128: its last module is a bar and stays whole
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

    BarcodeJob& m_job;
    int m_x0 = 2;
    int m_x = 2;
    int m_textX = -2;
};

}  // namespace diduzozoz
