#include "platform/open_frame.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <cmath>

#include "platform/number_box.h"

namespace numora::platform {

namespace {

// The installed CJK faces set the top of a character's em square this far above the baseline.
constexpr double kEmSquareTop = 0.88;

// The controls that stand in the same place on every screen of the frame.
constexpr TwipRect kEntryBox{4800, 4800, 8055, 4035};
constexpr TwipRect kPlayAgain{13080, 4800, 1984, 597};
constexpr TwipRect kStart{13080, 5760, 1984, 597};
constexpr TwipRect kLastNumber{240, 6000, 4455, 1965};
constexpr TwipRect kMark{13320, 6840, 1695, 1695};
constexpr TwipRect kReturn{240, 8880, 1984, 597};

// The mark is element 10 of a control array with one element.
constexpr int kMarkIndex = 10;

// The widest number the last-number label and the input box must show whole.
const QString kWidestNumber = QStringLiteral("8888");

bool IsCjkFace(const QFont& font) {
  const QString family = QFontInfo(font).family();
  return family == QLatin1String(InstalledFamily(Face::SimHei)) ||
         family == QLatin1String(InstalledFamily(Face::SimSun));
}

// Paints a label in place of its own painting: the frame, if it has one, and the text at
// TextOrigin. The background is filled before this runs.
class DesignBaselinePainter final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    auto* label = static_cast<QLabel*>(watched);
    QPainter painter(label);
    painter.setPen(label->palette().color(label->foregroundRole()));
    if (label->frameShape() != QFrame::NoFrame) {
      painter.drawRect(label->rect().adjusted(0, 0, -1, -1));
    }
    const QString text = label->text();
    if (!text.isEmpty()) {
      painter.setFont(label->font());
      painter.drawText(TextOrigin(*label, text), text);
    }
    return true;
  }
};

// Scales a label's font down, if need be, until the ink of each sample fits inside the label.
void ShrinkToFit(QLabel* label, const QStringList& samples) {
  QFont font = label->font();
  double scale = 1.0;
  const QFontMetricsF metrics(font);
  for (const QString& sample : samples) {
    const QRectF ink = metrics.tightBoundingRect(sample);
    scale = std::min({scale, label->width() / ink.width(), label->height() / ink.height()});
  }
  if (scale >= 1.0) return;
  font.setPointSizeF(std::floor(font.pointSizeF() * scale * 4) / 4);
  label->setFont(font);
}

}  // namespace

QPointF TextOrigin(const QLabel& label, const QString& text) {
  const QFont& font = label.font();
  const QFontMetricsF metrics(font);
  const QRect area = label.contentsRect();  // inside the frame, if any
  const double advance = metrics.horizontalAdvance(text);
  double left = area.left();
  if (label.alignment() & Qt::AlignRight) left = area.left() + area.width() - advance;
  if (label.alignment() & Qt::AlignHCenter) left = area.left() + (area.width() - advance) / 2;

  const QRectF own = metrics.tightBoundingRect(text);
  // Ink that reaches past the advance (a wide character at the right) moves in where it can.
  if (own.width() <= area.width()) {
    left = std::clamp(left, area.left() - own.left(), area.left() + area.width() - own.right());
  }

  const double top = area.top();
  const double bottom = area.top() + area.height();
  // A pixel of room above the em square keeps the characters that reach a little past it whole.
  double baseline =
      top + (IsCjkFace(font) ? kEmSquareTop * QFontInfo(font).pixelSize() + 1 : metrics.ascent());
  const QRectF ink = own.united(metrics.tightBoundingRect(QStringLiteral("国")));
  if (ink.height() <= bottom - top) {
    baseline = std::clamp(baseline, top - ink.top(), bottom - ink.bottom());
  } else {
    baseline = (top + bottom - own.height()) / 2 - own.top();
  }
  return {left, std::round(baseline)};
}

void DrawAtDesignBaseline(QLabel* label) {
  label->installEventFilter(new DesignBaselinePainter(label));
  label->update();
}

void FitTextWidth(QWidget* widget, const QString& sample, int width) {
  QFont font = widget->font();
  const double needed = QFontMetricsF(font).horizontalAdvance(sample);
  if (needed <= width) return;
  font.setStretch(static_cast<int>(std::floor(100.0 * width / needed)));
  widget->setFont(font);
}

OpenFrame::OpenFrame(ChallengeEngine& engine, const HeaderLayout& header, QWidget* parent)
    : ChallengeWindow(engine, parent) {
  const Qt::Alignment centred = Qt::AlignHCenter;
  const Qt::Alignment right = Qt::AlignRight;

  QLabel* title = AddDesignLabel("Label7", QStringLiteral("Digora"), header.Title,
                                 {MakeFont(Face::SimHei, 48, 700), kRed, centred});
  // The installed face gives the title a deeper descender than the design's label height holds.
  ShrinkToFit(title, {title->text()});
  QLabel* name =
      AddDesignLabel("Label8", QStringLiteral("小明"), header.Name,
                     {MakeFont(Face::SimHei, 36, 700), kDarkBlue, centred,
                      header.NameOnWhite ? QColor(Qt::white) : QColor(), header.NameOnWhite});
  // The level digit is far larger than its label and starts above the window: its top is cut.
  QLabel* level = AddLabel("Label3", QStringLiteral("9"), header.Level,
                           {MakeFont(Face::ArialBlack, 200.25, 900), kRed});
  QLabel* school = AddDesignLabel("Label12", QStringLiteral("Tessaly学校小学部"), header.School,
                                  {MakeFont(Face::SimSun, 26.25), kDarkBlue, centred});
  QLabel* message = AddDesignLabel("Label1", QStringLiteral("Label1"), header.Message,
                                   {MakeFont(Face::SimHei, 24, 700), kRed, centred});
  NumberBox* entry = AddNumberBox("Text1", QStringLiteral("3789"), kEntryBox,
                                  MakeFont(Face::SimHei, 200.25, 700), kRed, Qt::AlignRight);
  // The box sets its text inside its frame and a small margin on each side.
  const int boxInset = 2 * (style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2);
  FitTextWidth(entry, kWidestNumber, entry->width() - boxInset);
  const QFont buttonFont = MakeFont(Face::SimSun, 21.75, 700);
  QPushButton* again = AddButton("Command3", QStringLiteral("再玩一次"), kPlayAgain, buttonFont);
  QPushButton* start = AddButton("Command1", QStringLiteral("开 始"), kStart, buttonFont);
  QLabel* last = AddDesignLabel("Label4", QStringLiteral("2789"), kLastNumber,
                                {MakeFont(Face::SimHei, 99.75, 700), kBlue, right});
  FitTextWidth(last, kWidestNumber, last->width());
  QLabel* mark = AddDesignLabel("Label9", QStringLiteral("√"), kMark,
                                {MakeFont(Face::SimHei, 99.75, 700), kRed, right});
  mark->setProperty("index", kMarkIndex);
  // The installed face draws both marks larger than the design's; they must show whole.
  ShrinkToFit(mark, {QStringLiteral("√"), QStringLiteral("×")});
  QPushButton* back = AddButton("Command2", QStringLiteral("返 回"), kReturn, buttonFont);
  QLabel* rule =
      AddDesignLabel("Label19", QStringLiteral("123.45"), header.Rule,
                     {MakeFont(Face::SimHei, header.RulePoints, 700), kDarkBlue, centred});

  Bind(Ctl::Label1, message);
  Bind(Ctl::Label3, level);
  Bind(Ctl::Label4, last);
  Bind(Ctl::Label8, name);
  Bind(Ctl::Label12, school);
  Bind(Ctl::Label19, rule);
  Bind(Ctl::Mark, mark);
  Bind(Ctl::Text1, entry);
  Bind(Ctl::Command1, start);
  Bind(Ctl::Command3, again);
  // Start disables the focused start button; the focus then passes on to the input box.
  SetTabOrder({start, entry, again, back});
}

QLabel* OpenFrame::AddTimeField(const char* name, const QString& text, const TwipRect& rect) {
  return AddDesignLabel(name, text, rect,
                        {MakeFont(Face::SimHei, 60, 700), QColor(), Qt::AlignRight});
}

QLabel* OpenFrame::AddTimeSeparator(const char* name, const QString& text, const TwipRect& rect) {
  return AddDesignLabel(name, text, rect, {MakeFont(Face::SimSun, 60, 700)});
}

QLabel* OpenFrame::AddBestLabel(const char* name, const QString& text, const TwipRect& rect,
                                const BestStyle& style) {
  return AddDesignLabel(name, text, rect,
                        {MakeFont(Face::SimSun, style.Points, style.Weight), kDarkBlue, style.Align,
                         style.OnWhite ? QColor(Qt::white) : QColor(), style.Framed});
}

QLabel* OpenFrame::AddDesignLabel(const char* name, const QString& text, const TwipRect& rect,
                                  const LabelStyle& style) {
  QLabel* label = AddLabel(name, text, rect, style);
  DrawAtDesignBaseline(label);
  return label;
}

}  // namespace numora::platform
