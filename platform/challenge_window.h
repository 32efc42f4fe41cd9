#pragma once
// The frame the three challenge windows share: a fixed 15240 x 10950 twip client area, controls
// placed in twips and named as in the design, the 7 ms tick, the buttons and key filter wired to
// the engine, and the return to the start screen. A concrete window only lays out its controls
// and binds the ones its engine writes.

#include <QDialog>
#include <QString>
#include <array>
#include <initializer_list>
#include <string>

#include "platform/layout.h"
#include "rules/challenge.h"

class QLabel;
class QPushButton;
class QTimer;

namespace numora::platform {

class DesignLabel;
class NumberBox;

class ChallengeWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr TwipRect kClientArea{0, 0, 15240, 10950};
  static constexpr int kTickMs = 7;

  ~ChallengeWindow() override;

  // The load event: sets the caption, then hands the pupil's data to the engine's Load.
  void Open(const Pupil& pupil, const QString& caption);

  QTimer* tickTimer() const { return timer_; }

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
  QLabel* AddPicture(const char* name, const QPixmap& picture, const TwipRect& rect);

  // The widget the engine writes for a control.
  void Bind(Ctl control, QWidget* widget);
  // The focus chain, first to last.
  void SetTabOrder(std::initializer_list<QWidget*> chain);

  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 public slots:
  // Closing the window by its title bar leaves the same way as the return button.
  void reject() override;

 private slots:
  void ReturnToStart();

 private:
  class View;

  ChallengeEngine& engine_;
  QTimer* timer_;
  View* view_;
};

}  // namespace numora::platform
