#pragma once
// A label drawn the way the screen was designed: lines as tall as the font's em square, so
// that text set in the CJK faces fits the label heights of the layout (the installed CJK faces
// ask for much taller lines than the faces the layout was made with). A label can also act as a
// button: it then reports a click when the left button is released over it.

#include <QLabel>

namespace numora {

class DesignLabel : public QLabel {
  Q_OBJECT

 public:
  // How tall a line is: the em square (CJK faces) or the font's own line height.
  enum class Lines { EmSquare, FontHeight };

  DesignLabel(const QString& text, QWidget* parent, Lines lines = Lines::EmSquare);

  // A single black line around the label.
  void SetBorder(bool border);
  // Makes the label a button with its own mouse pointer.
  void MakeClickable(const QCursor& cursor);

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  Lines lines_;
  bool border_ = false;
  bool clickable_ = false;
  bool pressed_ = false;
};

}  // namespace numora
