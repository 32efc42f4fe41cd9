// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame the three challenge windows share: a 15240 x 10950 twip client area, controls placed
// in twips and named as in the design, the 7 ms tick, the buttons and key filter wired to the
// engine, and the return to the start screen. A concrete window only lays out its controls and
// binds the ones its engine writes.
//
// The window keeps its design size unless it is maximised (a classroom projector): then the whole
// layout, fonts included, scales by one factor and stands centred. Scaling happens when the size
// changes, never on a tick.

#include <QDialog>
#include <QElapsedTimer>
#include <QFont>
#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QString>
#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/layout.h"
#include "rules/challenge.h"

class QLabel;
class QPushButton;
class QTimer;

namespace numora::platform {

class DesignLabel;
class NumberBox;

// Where the header and the message line of a screen stand: the same labels in the same faces on
// every challenge screen.
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

// Where the three buttons stand.
struct ButtonLayout {
  TwipRect PlayAgain;  // Command3
  TwipRect Start;      // Command1
  TwipRect Return;     // Command2
};

// Where the two large time rows stand: minutes, seconds and hundredths above, seconds and
// hundredths below.
struct TimeRowsLayout {
  TwipRect Minutes;          // Label15
  TwipRect Colon;            // Label17
  TwipRect Seconds;          // Label14
  TwipRect Point;            // Label16
  TwipRect Hundredths;       // Label13
  TwipRect LowerSeconds;     // Label2
  TwipRect LowerPoint;       // Label10
  TwipRect LowerHundredths;  // Label11
  // What the seconds fields show before the engine writes them.
  const char* SecondsText = "00";
  const char* LowerSecondsText = "00";
};

class ChallengeWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr TwipRect kClientArea{0, 0, 15240, 10950};
  static constexpr int kTickMs = 7;
  // While a run ticks, the window repaints at most once in this time: about a display's frame.
  static constexpr int kFrameMs = 16;

  ~ChallengeWindow() override;

  // The load event: sets the caption, then hands the pupil's data to the engine's Load.
  void Open(const Pupil& pupil, const QString& caption);

  QTimer* tickTimer() const { return timer_; }
  // The factor the layout is scaled by: 1 at the design size.
  double scale() const { return scale_; }

 protected:
  ChallengeWindow(ChallengeEngine& engine, QWidget* parent);

  // A label in one of the design's faces, its text set as designed (see DesignLabel).
  struct LabelStyle {
    Face face;
    double points;
    int weight = 400;
    QColor text = QColor();  // invalid: the default text colour
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
    QColor background = QColor();  // invalid: transparent
    bool framed = false;           // a frame in the text colour
  };
  DesignLabel* AddLabel(const char* name, const QString& text, const TwipRect& rect,
                        const LabelStyle& style);
  QPushButton* AddButton(const char* name, const QString& text, const TwipRect& rect,
                         const QFont& font);
  NumberBox* AddNumberBox(const char* name, const QString& text, const TwipRect& rect,
                          const QFont& font, const QColor& color, Qt::Alignment align);
  // A picture drawn by `draw` at the side it is shown at, in device pixels, so that it stays sharp
  // when the window scales and on high-density screens.
  using DrawPicture = QPixmap (*)(int side);
  QLabel* AddPicture(const char* name, DrawPicture draw, const TwipRect& rect);

  // The controls every challenge screen has, each bound to the engine's control of its name.
  // The title, level, name, school, message and rule labels.
  void AddHeader(const HeaderLayout& layout);
  // Play again, Start and Return.
  struct Buttons {
    QPushButton* PlayAgain;
    QPushButton* Start;
    QPushButton* Return;
  };
  Buttons AddButtons(const ButtonLayout& layout);
  // The input box Text1: red digits, right-aligned, SimHei bold.
  NumberBox* AddEntry(const TwipRect& rect, double points);
  // The last accepted number Label4: blue, right-aligned, SimHei bold.
  DesignLabel* AddLastNumber(const TwipRect& rect, double points);
  // The mark Label9, element 10 of a control array: a red tick or cross.
  DesignLabel* AddMark(const TwipRect& rect);

  // The two time rows: fields in SimHei 60 pt bold, right-aligned, in the default colour, with
  // ":" and "." between them in SimSun 60 pt bold. Every field and the colon are bound.
  struct TimeRows {
    DesignLabel* Minutes;
    DesignLabel* Seconds;
    DesignLabel* Hundredths;
    DesignLabel* LowerSeconds;
    DesignLabel* LowerHundredths;
  };
  TimeRows AddTimeRows(const TimeRowsLayout& layout);
  // A label of the best-result block: SimSun in dark blue.
  struct BestStyle {
    double Points;
    int Weight = 400;
    Qt::Alignment Align = Qt::AlignLeft;
    bool OnWhite = false;
    bool Framed = false;
  };
  DesignLabel* AddBestLabel(const char* name, const QString& text, const TwipRect& rect,
                            const BestStyle& style);

  // The widget the engine writes for a control.
  void Bind(Ctl control, QWidget* widget);
  // The focus chain, first to last.
  void SetTabOrder(std::initializer_list<QWidget*> chain);

  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 public slots:
  // Closing the window by its title bar leaves the same way as the return button.
  void reject() override;

 private slots:
  void ReturnToStart();

 private:
  class View;
  // A control as laid out at the design size.
  struct Designed {
    QPointer<QWidget> widget;
    QRect rect;
    QFont font;
  };
  struct Picture {
    QLabel* label;
    DrawPicture draw;
  };

  // How long a resize of a normal window may wait for the window manager's word of a maximise.
  static constexpr int kSettleMs = 100;

  // Restarts a running Timer1 now, with a tick.
  void Realign();
  bool Enlarged() const;
  // Puts the design size back on a window that is not maximised.
  void KeepDesignSize();
  // Lays the controls out for the present size and state of the window.
  void Relayout();
  void DrawPictures();

  ChallengeEngine& engine_;
  QTimer* timer_;
  View* view_;
  // The repaint held back until the next frame, and when the last frame was painted.
  QTimer* frame_;
  QElapsedTimer lastFrame_;
  bool realignPending_ = false;
  std::vector<Designed> designed_;
  std::vector<Picture> pictures_;
  double scale_ = 1.0;
  QPointF offset_;
};

}  // namespace numora::platform
