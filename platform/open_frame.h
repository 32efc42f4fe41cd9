#pragma once
// The frame of the open counting and endurance windows: the same window, input box, buttons, last
// number, mark, message line and header labels, in the same faces. The header and message line
// stand in different places on each screen; a concrete window gives those places, then adds its
// own time rows and best-result block with the helpers here and calls Open.

#include <QString>

#include "platform/challenge_window.h"

class QLabel;

namespace numora::platform {

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
};

}  // namespace numora::platform
