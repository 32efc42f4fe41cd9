// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/challenge_window.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "platform/art.h"
#include "platform/design_label.h"
#include "platform/number_box.h"

namespace numora::platform {

// Writes the engine's output to the widgets. Texts are compared with what was written last, so
// a tick that changes nothing touches no widget.
class ChallengeWindow::View final : public ChallengeView {
 public:
  explicit View(ChallengeWindow& window) : window_(window) {}

  void Bind(Ctl c, QWidget* widget) {
    widgets_[Index(c)] = widget;
    if (auto* label = qobject_cast<QLabel*>(widget)) texts_[Index(c)] = label->text().toStdString();
  }

  void SetText(Ctl c, std::string_view text) override {
    if (c == Ctl::Caption) {
      window_.setWindowTitle(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
      return;
    }
    QWidget* widget = widgets_[Index(c)];
    if (auto* box = qobject_cast<QLineEdit*>(widget)) {
      box->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
      return;
    }
    std::string& last = texts_[Index(c)];
    if (last == text) return;
    last.assign(text);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      label->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
  }

  std::string_view Text(Ctl c) override {
    if (c == Ctl::Caption) {
      scratch_ = window_.windowTitle().toStdString();
      return scratch_;
    }
    if (auto* box = qobject_cast<QLineEdit*>(widgets_[Index(c)])) {
      scratch_ = box->text().toStdString();
      return scratch_;
    }
    return texts_[Index(c)];
  }

  void SetEnabled(Ctl c, bool enabled) override {
    if (QWidget* widget = widgets_[Index(c)]) widget->setEnabled(enabled);
  }
  void SetVisible(Ctl c, bool visible) override {
    if (QWidget* widget = widgets_[Index(c)]) widget->setVisible(visible);
  }
  void Focus(Ctl c) override {
    if (QWidget* widget = widgets_[Index(c)]) widget->setFocus(Qt::OtherFocusReason);
  }
  void SetTicking(bool ticking) override {
    QTimer* timer = window_.timer_;
    if (!ticking) {
      timer->stop();
    } else if (!timer->isActive()) {
      timer->start();
    } else if (!window_.realignPending_) {
      // Asked again while running: a key of level 9 starts its 2-second pause afresh. The beat
      // moves to the key, with a tick at once, so that the ticks fall whole ticks after it and
      // the pause ends at the first of them past the limit. A restart alone would stretch the
      // interval the key falls in; the tick comes when the key has been handled, not inside it.
      window_.realignPending_ = true;
      QMetaObject::invokeMethod(
          &window_, [w = &window_] { w->Realign(); }, Qt::QueuedConnection);
    }
  }

 private:
  static std::size_t Index(Ctl c) { return static_cast<std::size_t>(c); }

  ChallengeWindow& window_;
  std::array<QWidget*, kCtlCount> widgets_{};
  std::array<std::string, kCtlCount> texts_{};
  std::string scratch_;
};

ChallengeWindow::ChallengeWindow(ChallengeEngine& engine, QWidget* parent)
    : QDialog(parent),
      engine_(engine),
      timer_(new QTimer(this)),
      view_(new View(*this)),
      frame_(new QTimer(this)) {
  // A normal window has the design size; only maximising makes it larger.
  setWindowFlag(Qt::WindowMaximizeButtonHint, true);
  setMinimumSize(ToPixels(kClientArea).size());
  resize(ToPixels(kClientArea).size());
  setWindowIcon(WindowIcon());
  setModal(true);
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setTimerType(Qt::PreciseTimer);
  timer_->setInterval(kTickMs);
  connect(timer_, &QTimer::timeout, this, [this] { engine_.Tick(); });
  frame_->setSingleShot(true);
  frame_->setTimerType(Qt::PreciseTimer);
  connect(frame_, &QTimer::timeout, this, [this] {
    QCoreApplication::postEvent(this, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
  });
}

void ChallengeWindow::Realign() {
  realignPending_ = false;
  if (!timer_->isActive()) return;
  timer_->start();
  engine_.Tick();
}

bool ChallengeWindow::event(QEvent* event) {
  // While a run ticks, the labels change every 7 ms, faster than a display shows frames: the
  // window repaints at most once a frame, the texts of the ticks between go straight to the
  // next one. Exposing the window paints it at once, as ever.
  if (event->type() == QEvent::UpdateRequest && timer_->isActive()) {
    if (lastFrame_.isValid() && lastFrame_.elapsed() < kFrameMs) {
      if (!frame_->isActive()) frame_->start(kFrameMs - static_cast<int>(lastFrame_.elapsed()));
      return true;
    }
    lastFrame_.start();
  }
  return QDialog::event(event);
}

ChallengeWindow::~ChallengeWindow() {
  timer_->stop();
  engine_.Detach();
  delete view_;
}

void ChallengeWindow::Open(const Pupil& pupil, const QString& caption) {
  if (auto* start = findChild<QPushButton*>(QStringLiteral("Command1"))) {
    connect(start, &QPushButton::clicked, this, [this] { engine_.Start(); });
  }
  if (auto* again = findChild<QPushButton*>(QStringLiteral("Command3"))) {
    connect(again, &QPushButton::clicked, this, [this] { engine_.PlayAgain(); });
  }
  if (auto* back = findChild<QPushButton*>(QStringLiteral("Command2"))) {
    connect(back, &QPushButton::clicked, this, &ChallengeWindow::ReturnToStart);
  }
  if (auto* box = findChild<NumberBox*>(QStringLiteral("Text1"))) {
    box->SetKeyFilter([this](int code) { return engine_.KeyPress(code); });
  }
  setWindowTitle(caption);
  engine_.Load(*view_, pupil);
}

DesignLabel* ChallengeWindow::AddLabel(const char* name, const QString& text, const TwipRect& rect,
                                       const LabelStyle& style) {
  auto* label = new DesignLabel(text, style.face, this);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(MakeFont(style.face, style.points, style.weight));
  label->setAlignment(style.align);
  label->setWordWrap(false);
  const QColor color = style.text.isValid() ? style.text : palette().color(QPalette::WindowText);
  if (style.text.isValid() || style.background.isValid()) SetColors(label, color, style.background);
  if (style.framed) label->SetFrameColor(color);
  Place(label, rect);
  // A label of a fixed size asks for no layout pass when its text changes, as on every tick.
  label->setFixedSize(label->size());
  return label;
}

QPushButton* ChallengeWindow::AddButton(const char* name, const QString& text, const TwipRect& rect,
                                        const QFont& font) {
  auto* button = new QPushButton(text, this);
  button->setObjectName(QString::fromLatin1(name));
  button->setFont(font);
  button->setAutoDefault(false);
  button->setDefault(false);
  Place(button, rect);
  return button;
}

NumberBox* ChallengeWindow::AddNumberBox(const char* name, const QString& text,
                                         const TwipRect& rect, const QFont& font,
                                         const QColor& color, Qt::Alignment align) {
  auto* box = new NumberBox(this);
  box->setObjectName(QString::fromLatin1(name));
  box->setText(text);
  box->setFont(font);
  box->setAlignment(align);
  SetColors(box, color);
  Place(box, rect);
  return box;
}

QLabel* ChallengeWindow::AddPicture(const char* name, DrawPicture draw, const TwipRect& rect) {
  auto* label = new QLabel(this);
  label->setObjectName(QString::fromLatin1(name));
  label->setScaledContents(true);
  Place(label, rect);
  pictures_.push_back({label, draw});
  DrawPictures();
  return label;
}

void ChallengeWindow::AddHeader(const HeaderLayout& layout) {
  const Qt::Alignment centred = Qt::AlignHCenter;
  DesignLabel* title = AddLabel("Label7", QStringLiteral("Digora"), layout.Title,
                                {Face::SimHei, 48, 700, kRed, centred});
  // The installed face gives the title a deeper descender than the design's label height holds.
  ShrinkToFit(title, {title->text()});
  const QColor nameBackground = layout.NameOnWhite ? QColor(Qt::white) : QColor();
  DesignLabel* name =
      AddLabel("Label8", QStringLiteral("小明"), layout.Name,
               {Face::SimHei, 36, 700, kDarkBlue, centred, nameBackground, layout.NameOnWhite});
  // The level digit is far taller than its label, which starts above the window.
  DesignLabel* level =
      AddLabel("Label3", QStringLiteral("9"), layout.Level, {Face::ArialBlack, 200.25, 900, kRed});
  DesignLabel* school = AddLabel("Label12", QStringLiteral("Tessaly学校小学部"), layout.School,
                                 {Face::SimSun, 26.25, 400, kDarkBlue, centred});
  DesignLabel* message = AddLabel("Label1", QStringLiteral("Label1"), layout.Message,
                                  {Face::SimHei, 24, 700, kRed, centred});
  DesignLabel* rule = AddLabel("Label19", QStringLiteral("123.45"), layout.Rule,
                               {Face::SimHei, layout.RulePoints, 700, kDarkBlue, centred});
  Bind(Ctl::Label1, message);
  Bind(Ctl::Label3, level);
  Bind(Ctl::Label8, name);
  Bind(Ctl::Label12, school);
  Bind(Ctl::Label19, rule);
}

ChallengeWindow::Buttons ChallengeWindow::AddButtons(const ButtonLayout& layout) {
  const QFont font = MakeFont(Face::SimSun, 21.75, 700);
  const Buttons buttons{AddButton("Command3", QStringLiteral("再玩一次"), layout.PlayAgain, font),
                        AddButton("Command1", QStringLiteral("开 始"), layout.Start, font),
                        AddButton("Command2", QStringLiteral("返 回"), layout.Return, font)};
  Bind(Ctl::Command1, buttons.Start);
  Bind(Ctl::Command3, buttons.PlayAgain);
  return buttons;
}

NumberBox* ChallengeWindow::AddEntry(const TwipRect& rect, double points) {
  NumberBox* box = AddNumberBox("Text1", QString(), rect, MakeFont(Face::SimHei, points, 700), kRed,
                                Qt::AlignRight);
  Bind(Ctl::Text1, box);
  return box;
}

DesignLabel* ChallengeWindow::AddLastNumber(const TwipRect& rect, double points) {
  DesignLabel* last =
      AddLabel("Label4", QString(), rect, {Face::SimHei, points, 700, kBlue, Qt::AlignRight});
  Bind(Ctl::Label4, last);
  return last;
}

DesignLabel* ChallengeWindow::AddMark(const TwipRect& rect) {
  DesignLabel* mark = AddLabel("Label9", QStringLiteral("√"), rect,
                               {Face::SimHei, 99.75, 700, kRed, Qt::AlignRight});
  mark->setProperty("index", 10);
  // The installed face draws both marks larger than the design's; they must show whole.
  ShrinkToFit(mark, {QStringLiteral("√"), QStringLiteral("×")});
  Bind(Ctl::Mark, mark);
  return mark;
}

ChallengeWindow::TimeRows ChallengeWindow::AddTimeRows(const TimeRowsLayout& layout) {
  const auto field = [this](const char* name, const char* text, const TwipRect& rect) {
    return AddLabel(name, QString::fromLatin1(text), rect,
                    {Face::SimHei, 60, 700, QColor(), Qt::AlignRight});
  };
  const auto separator = [this](const char* name, const char* text, const TwipRect& rect) {
    return AddLabel(name, QString::fromLatin1(text), rect, {Face::SimSun, 60, 700});
  };
  TimeRows rows{};
  rows.Minutes = field("Label15", "7", layout.Minutes);
  DesignLabel* colon = separator("Label17", ":", layout.Colon);
  rows.Seconds = field("Label14", layout.SecondsText, layout.Seconds);
  separator("Label16", ".", layout.Point);
  rows.Hundredths = field("Label13", "00", layout.Hundredths);
  rows.LowerSeconds = field("Label2", layout.LowerSecondsText, layout.LowerSeconds);
  separator("Label10", ".", layout.LowerPoint);
  rows.LowerHundredths = field("Label11", "00", layout.LowerHundredths);
  Bind(Ctl::Label15, rows.Minutes);
  Bind(Ctl::Label17, colon);
  Bind(Ctl::Label14, rows.Seconds);
  Bind(Ctl::Label13, rows.Hundredths);
  Bind(Ctl::Label2, rows.LowerSeconds);
  Bind(Ctl::Label11, rows.LowerHundredths);
  return rows;
}

DesignLabel* ChallengeWindow::AddBestLabel(const char* name, const QString& text,
                                           const TwipRect& rect, const BestStyle& style) {
  return AddLabel(name, text, rect,
                  {Face::SimSun, style.Points, style.Weight, kDarkBlue, style.Align,
                   style.OnWhite ? QColor(Qt::white) : QColor(), style.Framed});
}

void ChallengeWindow::Bind(Ctl control, QWidget* widget) {
  view_->Bind(control, widget);
}

void ChallengeWindow::SetTabOrder(std::initializer_list<QWidget*> chain) {
  QWidget* previous = nullptr;
  for (QWidget* widget : chain) {
    if (previous) setTabOrder(previous, widget);
    previous = widget;
  }
}

void ChallengeWindow::keyPressEvent(QKeyEvent* event) {
  // Escape is a key like any other here; it never closes the window.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void ChallengeWindow::showEvent(QShowEvent* event) {
  const QScreen* screen = this->screen();
  if (screen && !Enlarged()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  QDialog::showEvent(event);
}

void ChallengeWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  KeepDesignSize();
  Relayout();
}

void ChallengeWindow::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange) return;
  KeepDesignSize();
  Relayout();
}

void ChallengeWindow::KeepDesignSize() {
  if (Enlarged() || size() == ToPixels(kClientArea).size()) return;
  // Dragging an edge does not resize the window. The window manager may tell of a maximise
  // just after the new size, so the design size is put back a moment later, if still wanted.
  QTimer::singleShot(kSettleMs, this, [this] {
    if (!Enlarged()) resize(ToPixels(kClientArea).size());
  });
}

bool ChallengeWindow::Enlarged() const {
  return windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
}

void ChallengeWindow::Relayout() {
  const QSize design = ToPixels(kClientArea).size();
  double factor = 1.0;
  QPointF offset;
  if (Enlarged()) {
    factor = std::min(static_cast<double>(width()) / design.width(),
                      static_cast<double>(height()) / design.height());
    offset =
        QPointF((width() - design.width() * factor) / 2, (height() - design.height() * factor) / 2);
  }
  if (factor == scale_ && offset == offset_) return;
  if (designed_.empty()) {
    // Until now every control stands where it was laid out.
    for (QWidget* widget : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (!widget->isWindow()) designed_.push_back({widget, widget->geometry(), widget->font()});
    }
  }
  scale_ = factor;
  offset_ = offset;
  const bool asDesigned = factor == 1.0 && offset.isNull();
  for (const Designed& control : designed_) {
    if (!control.widget) continue;
    QWidget* widget = control.widget;
    const bool fixed = widget->minimumSize() == widget->maximumSize();
    if (asDesigned) {
      if (fixed) widget->setFixedSize(control.rect.size());
      widget->setGeometry(control.rect);
      widget->setFont(control.font);
      continue;
    }
    // Edges scale, so that controls that touch at the design size touch when scaled.
    const auto x = [&](int at) { return qRound(offset.x() + at * factor); };
    const auto y = [&](int at) { return qRound(offset.y() + at * factor); };
    const QRect& r = control.rect;
    const QRect scaled(QPoint(x(r.left()), y(r.top())),
                       QPoint(x(r.left() + r.width()) - 1, y(r.top() + r.height()) - 1));
    if (fixed) widget->setFixedSize(scaled.size());
    widget->setGeometry(scaled);
    QFont font = control.font;
    if (font.pointSizeF() > 0) {
      font.setPointSizeF(font.pointSizeF() * factor);
    } else {
      font.setPixelSize(qRound(font.pixelSize() * factor));
    }
    widget->setFont(font);
  }
  DrawPictures();
}

void ChallengeWindow::DrawPictures() {
  const double ratio = devicePixelRatioF();
  for (const Picture& picture : pictures_) {
    QPixmap pixmap = picture.draw(qRound(picture.label->width() * ratio));
    pixmap.setDevicePixelRatio(ratio);
    picture.label->setPixmap(pixmap);
  }
}

void ChallengeWindow::reject() {
  ReturnToStart();
}

void ChallengeWindow::ReturnToStart() {
  timer_->stop();
  engine_.Detach();
  done(QDialog::Accepted);
}

}  // namespace numora::platform
