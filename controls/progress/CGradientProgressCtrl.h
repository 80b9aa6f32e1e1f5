// A progress bar drawn with a multi-colour gradient (or a brush), percent or
// position text in two colours, optional vertical and reversed direction and
// a snake mode that runs a bar of fixed length back and forth.
#pragma once

#include <vector>

#include "Framework.h"

// Style bits read by the bar beyond PBS_VERTICAL.
constexpr DWORD PBS_PERCENT_TEXT = 0x0100;
constexpr DWORD PBS_POSITION_TEXT = 0x0200;
constexpr DWORD PBS_TEXT_TIED = 0x1000;
constexpr DWORD PBS_GRADIENT_ON_BAR = 0x2000;
constexpr DWORD PBS_REVERSED = 0x4000;
constexpr DWORD PBS_SNAKE = 0x8000;

struct GradientDrawInfo {
  CDC* dc = nullptr;
  DWORD style = 0;
  CRect client;  // inside the borders
  int position = 0;
  int lower = 0;
  int upper = 0;
};

class CGradientProgressCtrl : public CProgressCtrl {
 public:
  CGradientProgressCtrl();

  void SetTextFormat(LPCTSTR format, DWORD textStyle);

  // Set directly by the creator.
  std::vector<COLORREF> m_colors;
  CBrush* m_pBarBrush = nullptr;
  COLORREF m_clrBackground;
  CBrush* m_pBackgroundBrush = nullptr;
  COLORREF m_clrTextOnBar;
  COLORREF m_clrTextOnBackground;
  int m_nTail = 0;
  int m_nSnakeLength = 40;
  int m_nStep = 10;
  CRect m_rcBorders{0, 0, 0, 0};

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  virtual void DrawMultiGradient(const GradientDrawInfo& info, const CRect& gradient, const CRect& clip);
  virtual void DrawGradient(const GradientDrawInfo& info, const CRect& segment, const CRect& clip, COLORREF from,
                            COLORREF to);
  virtual void DrawBarText(const GradientDrawInfo& info, const CRect& whole, const CRect& bar);
  virtual void DrawClippedText(const GradientDrawInfo& info, const CRect& part, const CString& text,
                               const CPoint& windowOrigin);
  virtual BOOL SetSnakePos(LRESULT& result, int value, BOOL relative);

  // A bar range (left = start, right = end, in pixels along the bar) as a
  // client rectangle.
  CRect BarToClient(const GradientDrawInfo& info, const CRect& range) const;

 private:
  void Paint();
};
