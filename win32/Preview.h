// The preview frame 1039 of the Windows dialog: the job's canvas painted into it pixel for
// pixel, at the whole-number scale nearest below the screen's (never smoothed), inside its
// black frame; the read-back verdict where PlaceVerdict() puts it.
#pragma once

#include <windows.h>

#include <string>

#include "dialog/Controls.h"

namespace diduzozoz {
class BarCanvas;
}

namespace diduzozoz::win {

class CPreview {
  public:
    CPreview(const BarCanvas& canvas) : m_canvas(canvas) {}
    ~CPreview();
    CPreview(const CPreview&) = delete;
    CPreview& operator=(const CPreview&) = delete;

    // Takes over the painting of the frame control.
    void Attach(HWND frame);
    void SetVerdict(const std::wstring& text, VerdictTone tone, int w, int h);
    // What screen readers read as the frame's text (its name); a frame draws no text.
    void SetDescription(const std::wstring& text) { m_description = text; }
    void Repaint();
    // Screen pixels per canvas pixel.
    int Scale() const;

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc, const RECT& client);
    void PaintCanvas(HDC dc, const RECT& area, int scale);
    void PaintVerdict(HDC dc, const RECT& area, int scale);

    const BarCanvas& m_canvas;
    HWND m_frame = nullptr;
    WNDPROC m_oldProc = nullptr;
    std::wstring m_verdict;
    std::wstring m_description;
    VerdictTone m_tone = VerdictTone::kNeutral;
    int m_drawnW = 0, m_drawnH = 0;
};

}  // namespace diduzozoz::win
