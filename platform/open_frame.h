#pragma once
// The frame of the open counting and endurance windows: the same window, input box, buttons, last
// number, mark, message line and header labels, in the same faces. The header and message line
// stand in different places on each screen; a concrete window gives those places, then adds its
// own time rows and best-result block with the helpers here and calls Open.

#include <QPointF>
#include <QString>

#include "platform/challenge_window.h"

class QLabel;

namespace numora::platform {

class NumberBox;

// Where a label drawn by DrawAtDesignBaseline starts `text`: the left end of its baseline. The
// line sits where the design's faces put it, with a CJK character's em square at the top of the
// label; the installed CJK faces have a far taller ascent, which would push large digits out of
// the bottom of labels sized for the originals. The line moves only as far as the ink of the
// text and of a CJK character needs to stay inside the label; where the label is too small for
// that, the text is centred.
QPointF TextOrigin(const QLabel& label, const QString& text);

// Has the label draw its text at TextOrigin from now on, on one line and not clipped to a line
// box taller than the label.
void DrawAtDesignBaseline(QLabel* label);

// Narrows a widget's font, if need be, so that `sample` fits in `width` pixels: the installed
// faces set digits wider than the design's.
void FitTextWidth(QWidget* widget, const QString& sample, int width);

// Where the header and the message line of a screen stand.
struct HeaderLayout {
  TwipRect Title;    // Label7
  TwipRect Level;    // Label3
  TwipRect Name;     // Label8
  bool NameOnWhite;  // the name on white in a frame
  TwipRect School;   // Label12
  TwipRect Message;  // Label1
  TwipRect Rule;     // Label19
  double RulePoints;
};

class OpenFrame : public ChallengeWindow {
  Q_OBJECT

 protected:
  // Builds the shared controls, binds them to the engine's controls and sets the tab order.
  OpenFrame(ChallengeEngine& engine, const HeaderLayout& header, QWidget* parent);

  // A field of a large time row: SimHei 60 pt bold, right-aligned, default colour.
  QLabel* AddTimeField(const char* name, const QString& text, const TwipRect& rect);
  // The ":" or "." between two fields of a time row: SimSun 60 pt bold.
  QLabel* AddTimeSeparator(const char* name, const QString& text, const TwipRect& rect);

  // A label of the best-result block: SimSun in dark blue.
  struct BestStyle {
    double Points;
    int Weight = 400;
    Qt::Alignment Align = Qt::AlignLeft;
    bool OnWhite = false;
    bool Framed = false;
  };
  QLabel* AddBestLabel(const char* name, const QString& text, const TwipRect& rect,
                       const BestStyle& style);

  // Any other label, drawn at the design's baseline.
  QLabel* AddDesignLabel(const char* name, const QString& text, const TwipRect& rect,
                         const LabelStyle& style);
};

}  // namespace numora::platform
