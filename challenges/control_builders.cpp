// SPDX-License-Identifier: GPL-3.0-or-later
#include "challenges/control_builders.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "platform/buttons.h"
#include "platform/design_label.h"
#include "platform/number_box.h"

namespace numora {

using namespace platform;

const std::array<RoleControl, 17> kFrameRoles = {{
    {Role::Message, "Label1"},
    {Role::Level, "Label3"},
    {Role::Name, "Label8"},
    {Role::School, "Label12"},
    {Role::Rule, "Label19"},
    {Role::Minutes, "Label15"},
    {Role::Colon, "Label17"},
    {Role::Seconds, "Label14"},
    {Role::Hundredths, "Label13"},
    {Role::LowerSeconds, "Label2"},
    {Role::LowerHundredths, "Label11"},
    {Role::LastNumber, "Label4"},
    {Role::Mark, "Label9"},
    {Role::Entry, "Text1"},
    {Role::Start, "Command1"},
    {Role::PlayAgain, "Command3"},
    {Role::Return, "Command2"},
}};

namespace {

// A picture that can draw itself again at the size it is shown at.
class PictureLabel final : public QLabel {
 public:
  PictureLabel(DrawPicture draw, QWidget* parent) : QLabel(parent), draw_(draw) {
    setScaledContents(true);
  }
  void Draw() {
    const double ratio = devicePixelRatioF();
    QPixmap pixmap = draw_(qRound(width() * ratio));
    pixmap.setDevicePixelRatio(ratio);
    setPixmap(pixmap);
  }

 private:
  DrawPicture draw_;
};

}  // namespace

void DrawPictures(QWidget& window) {
  for (QLabel* label : window.findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (auto* picture = dynamic_cast<PictureLabel*>(label)) picture->Draw();
  }
}

DesignLabel* AddLabel(QWidget& window, const char* name, const QString& text, const TwipRect& rect,
                      const LabelStyle& style) {
  auto* label = new DesignLabel(text, style.Typeface, &window);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(MakeFont(style.Typeface, style.Points, style.Weight));
  label->setAlignment(style.Align);
  label->setWordWrap(false);
  const QColor color =
      style.Text.isValid() ? style.Text : window.palette().color(QPalette::WindowText);
  if (style.Text.isValid() || style.Background.isValid()) SetColors(label, color, style.Background);
  if (style.Framed) label->SetFrameColor(color);
  Place(label, rect);
  // A label of a fixed size asks for no layout pass when its text changes, as on every tick.
  label->setFixedSize(label->size());
  return label;
}

QLabel* AddPicture(QWidget& window, const char* name, DrawPicture draw, const TwipRect& rect) {
  auto* label = new PictureLabel(draw, &window);
  label->setObjectName(QString::fromLatin1(name));
  Place(label, rect);
  label->Draw();
  return label;
}

void AddHeader(QWidget& window, const HeaderLayout& layout) {
  const Qt::Alignment centred = Qt::AlignHCenter;
  DesignLabel* title = AddLabel(window, "Label7", QStringLiteral("Digora"), layout.Title,
                                {Face::SimHei, 48, 700, kRed, centred});
  // The installed face gives the title a deeper descender than the design's label height holds.
  ShrinkToFit(title, {title->text()});
  const QColor nameBackground = layout.NameOnWhite ? QColor(Qt::white) : QColor();
  AddLabel(window, "Label8", QStringLiteral("小明"), layout.Name,
           {Face::SimHei, 36, 700, kDarkBlue, centred, nameBackground, layout.NameOnWhite});
  // The level digit is far taller than its label, which starts above the window.
  AddLabel(window, "Label3", QStringLiteral("9"), layout.Level,
           {Face::ArialBlack, 200.25, 900, kRed});
  AddLabel(window, "Label12", QStringLiteral("Tessaly学校小学部"), layout.School,
           {Face::SimSun, 26.25, 400, kDarkBlue, centred});
  AddLabel(window, "Label1", QStringLiteral("Label1"), layout.Message,
           {Face::SimHei, 24, 700, kRed, centred});
  AddLabel(window, "Label19", QStringLiteral("123.45"), layout.Rule,
           {Face::SimHei, layout.RulePoints, 700, kDarkBlue, centred});
}

Buttons AddButtons(QWidget& window, const ButtonLayout& layout) {
  const QFont font = MakeFont(Face::SimSun, 21.75, 700);
  return {AddButton(window, "Command3", QStringLiteral("再玩一次"), layout.PlayAgain, font),
          AddButton(window, "Command1", QStringLiteral("开 始"), layout.Start, font),
          AddButton(window, "Command2", QStringLiteral("返 回"), layout.Return, font)};
}

NumberBox* AddEntry(QWidget& window, const TwipRect& rect, double points) {
  auto* box = new NumberBox(&window);
  box->setObjectName(QStringLiteral("Text1"));
  box->setFont(MakeFont(Face::SimHei, points, 700));
  box->setAlignment(Qt::AlignRight);
  SetColors(box, kRed);
  Place(box, rect);
  return box;
}

DesignLabel* AddLastNumber(QWidget& window, const TwipRect& rect, double points) {
  return AddLabel(window, "Label4", QString(), rect,
                  {Face::SimHei, points, 700, kBlue, Qt::AlignRight});
}

DesignLabel* AddMark(QWidget& window, const TwipRect& rect) {
  DesignLabel* mark = AddLabel(window, "Label9", QStringLiteral("√"), rect,
                               {Face::SimHei, 99.75, 700, kRed, Qt::AlignRight});
  mark->setProperty("index", 10);
  // The installed face draws both marks larger than the design's; they must show whole.
  ShrinkToFit(mark, {QStringLiteral("√"), QStringLiteral("×")});
  return mark;
}

TimeRows AddTimeRows(QWidget& window, const TimeRowsLayout& layout) {
  const auto field = [&window](const char* name, const char* text, const TwipRect& rect) {
    return AddLabel(window, name, QString::fromLatin1(text), rect,
                    {Face::SimHei, 60, 700, QColor(), Qt::AlignRight});
  };
  const auto separator = [&window](const char* name, const char* text, const TwipRect& rect) {
    return AddLabel(window, name, QString::fromLatin1(text), rect, {Face::SimSun, 60, 700});
  };
  TimeRows rows{};
  rows.Minutes = field("Label15", "7", layout.Minutes);
  separator("Label17", ":", layout.Colon);
  rows.Seconds = field("Label14", layout.SecondsText, layout.Seconds);
  separator("Label16", ".", layout.Point);
  rows.Hundredths = field("Label13", "00", layout.Hundredths);
  rows.LowerSeconds = field("Label2", layout.LowerSecondsText, layout.LowerSeconds);
  separator("Label10", ".", layout.LowerPoint);
  rows.LowerHundredths = field("Label11", "00", layout.LowerHundredths);
  return rows;
}

void AddBestLabels(QWidget& window, std::span<const BestLabelDesign> labels) {
  for (const BestLabelDesign& label : labels) {
    const BestStyle& style = label.Style;
    AddLabel(window, label.Name, QString::fromUtf8(label.Text), label.Rect,
             {Face::SimSun, style.Points, style.Weight, kDarkBlue, style.Align,
              style.OnWhite ? QColor(Qt::white) : QColor(), style.Framed});
  }
}

}  // namespace numora
