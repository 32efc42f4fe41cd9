#include "platform/open_frame.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "platform/design_label.h"
#include "platform/number_box.h"

namespace numora::platform {

namespace {

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

}  // namespace

OpenFrame::OpenFrame(ChallengeEngine& engine, const HeaderLayout& header, QWidget* parent)
    : ChallengeWindow(engine, parent) {
  const Qt::Alignment centred = Qt::AlignHCenter;
  const Qt::Alignment right = Qt::AlignRight;

  QLabel* title = AddLabel("Label7", QStringLiteral("Digora"), header.Title,
                           {Face::SimHei, 48, 700, kRed, centred});
  // The installed face gives the title a deeper descender than the design's label height holds.
  ShrinkToFit(title, {title->text()});
  QLabel* name = AddLabel("Label8", QStringLiteral("小明"), header.Name,
                          {Face::SimHei, 36, 700, kDarkBlue, centred,
                           header.NameOnWhite ? QColor(Qt::white) : QColor(), header.NameOnWhite});
  // The level digit is far taller than its label, which starts above the window.
  QLabel* level =
      AddLabel("Label3", QStringLiteral("9"), header.Level, {Face::ArialBlack, 200.25, 900, kRed});
  QLabel* school = AddLabel("Label12", QStringLiteral("Tessaly学校小学部"), header.School,
                            {Face::SimSun, 26.25, 400, kDarkBlue, centred});
  QLabel* message = AddLabel("Label1", QStringLiteral("Label1"), header.Message,
                             {Face::SimHei, 24, 700, kRed, centred});
  NumberBox* entry = AddNumberBox("Text1", QStringLiteral("3789"), kEntryBox,
                                  MakeFont(Face::SimHei, 200.25, 700), kRed, Qt::AlignRight);
  // The box sets its text inside its frame and a small margin on each side.
  const int boxInset = 2 * (style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2);
  FitTextWidth(entry, kWidestNumber, entry->width() - boxInset);
  const QFont buttonFont = MakeFont(Face::SimSun, 21.75, 700);
  QPushButton* again = AddButton("Command3", QStringLiteral("再玩一次"), kPlayAgain, buttonFont);
  QPushButton* start = AddButton("Command1", QStringLiteral("开 始"), kStart, buttonFont);
  QLabel* last = AddLabel("Label4", QStringLiteral("2789"), kLastNumber,
                          {Face::SimHei, 99.75, 700, kBlue, right});
  FitTextWidth(last, kWidestNumber, last->width());
  QLabel* mark =
      AddLabel("Label9", QStringLiteral("√"), kMark, {Face::SimHei, 99.75, 700, kRed, right});
  mark->setProperty("index", kMarkIndex);
  // The installed face draws both marks larger than the design's; they must show whole.
  ShrinkToFit(mark, {QStringLiteral("√"), QStringLiteral("×")});
  QPushButton* back = AddButton("Command2", QStringLiteral("返 回"), kReturn, buttonFont);
  QLabel* rule = AddLabel("Label19", QStringLiteral("123.45"), header.Rule,
                          {Face::SimHei, header.RulePoints, 700, kDarkBlue, centred});

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
  return AddLabel(name, text, rect, {Face::SimHei, 60, 700, QColor(), Qt::AlignRight});
}

QLabel* OpenFrame::AddTimeSeparator(const char* name, const QString& text, const TwipRect& rect) {
  return AddLabel(name, text, rect, {Face::SimSun, 60, 700});
}

QLabel* OpenFrame::AddBestLabel(const char* name, const QString& text, const TwipRect& rect,
                                const BestStyle& style) {
  return AddLabel(name, text, rect,
                  {Face::SimSun, style.Points, style.Weight, kDarkBlue, style.Align,
                   style.OnWhite ? QColor(Qt::white) : QColor(), style.Framed});
}

}  // namespace numora::platform
