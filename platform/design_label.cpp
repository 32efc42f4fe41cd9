// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/design_label.h"

#include <QFontMetricsF>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <string>

namespace numora::platform {

namespace {

// How the design's face sets a line, in ems: where the baseline lies below the top of the line,
// and how tall the line is.
struct LineMetrics {
  double Ascent;
  double Height;
};

bool IsCjk(Face face) {
  return face == Face::SimSun || face == Face::SimHei;
}

LineMetrics DesignLineOf(Face face) {
  switch (face) {
    case Face::SimSun:
    case Face::SimHei:
      // A line is one em square; the installed faces put its top 0.88 em above the baseline.
      return {0.88, 1.0};
    case Face::Arial:
      return {1854.0 / 2048, (1854.0 + 434.0) / 2048};
    case Face::ArialBlack:
      return {2254.0 / 2048, (2254.0 + 634.0) / 2048};
  }
  return {1.0, 1.0};
}

// The lines `text` breaks into in `width` pixels: word wrap as in a paragraph, no wrap at all
// for a one-line label.
QStringList BreakLines(const QString& text, const QFont& font, double width, bool wrap) {
  if (!wrap) return {text};
  QTextLayout layout(text, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  QStringList lines;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    lines << text.mid(line.textStart(), line.textLength());
  }
  layout.endLayout();
  return lines;
}

// Qt keeps glyphs up to 64 pixels as pictures of its own and fills the outlines of larger ones
// at every paint: for the clocks' 60 pt digits that filling was nearly all of a frame's cost.
constexpr double kLargestCachedGlyph = 64;
// The characters of the clocks and the mark.
constexpr char16_t kPictured[] = u"0123456789:.√×";
// Pictures pay for the clocks' digits, repainted every frame, also on a maximised window of a
// large screen. Larger glyphs (the last number, the level) change at a key at most and would
// take a large picture for each place they are shown at: their outlines are filled as before.
constexpr double kLargestPictured = 120;
constexpr int kPicturedCount = static_cast<int>(std::size(kPictured)) - 1;
// Positions within a pixel a character keeps pictures for: a label shows a character at a few
// places only, and Qt fills outlines at the exact position asked for.
constexpr std::size_t kMostPhases = 16;

bool useGlyphPictures = true;
qsizetype glyphPictureBytes = 0;

// The characters of one font in one colour, each drawn once for each position within a pixel
// it is shown at. Shown at a whole-pixel baseline, a picture is exactly the outline filled in
// place, but for the rounding of blending it in one step more.
class GlyphPictures {
 public:
  GlyphPictures(const QFont& font, const QColor& color, int dpiX, int dpiY)
      : font_(font), color_(color), dpiX_(dpiX), dpiY_(dpiY) {
    QImage probe(1, 1, QImage::Format_ARGB32_Premultiplied);
    SetDpi(probe);
    const QFontMetricsF metrics(font_, &probe);
    for (int i = 0; i < kPicturedCount; ++i) advance_[i] = metrics.horizontalAdvance(kPictured[i]);
  }

  qsizetype Bytes() const {
    qsizetype bytes = 0;
    for (const std::vector<Picture>& pictures : pictures_) {
      for (const Picture& picture : pictures) bytes += picture.Image.sizeInBytes();
    }
    return bytes;
  }

  bool Matches(const QFont& font, const QColor& color, int dpiX, int dpiY) const {
    return color_ == color && dpiX_ == dpiX && dpiY_ == dpiY && font_ == font;
  }

  // Whether every character of `text` has a picture.
  static bool Covers(const QString& text) {
    for (QChar c : text) {
      if (std::char_traits<char16_t>::find(kPictured, kPicturedCount, c.unicode()) == nullptr) {
        return false;
      }
    }
    return !text.isEmpty();
  }

  // Draws `text` with its baseline's left end at `origin`, which lies on a whole pixel row.
  void Draw(QPainter& painter, QPointF origin, const QString& text) {
    double x = origin.x();
    const int baseline = static_cast<int>(origin.y());
    for (QChar c : text) {
      const int index = static_cast<int>(
          std::char_traits<char16_t>::find(kPictured, kPicturedCount, c.unicode()) - kPictured);
      const double whole = std::floor(x);
      const Picture& picture = PictureOf(index, x - whole);
      painter.drawImage(
          QPoint(static_cast<int>(whole) + picture.Offset.x(), baseline + picture.Offset.y()),
          picture.Image);
      x += advance_[index];
    }
  }

 private:
  struct Picture {
    double Phase;  // the glyph's origin within its pixel, 0 <= Phase < 1
    QImage Image;
    QPoint Offset;  // of the picture's top left from the pixel of the glyph's origin
  };

  // Drops the picture's rows and columns that hold no ink.
  static void CutToInk(Picture& picture) {
    const QImage& image = picture.Image;
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
      const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int x = 0; x < image.width(); ++x) {
        if (qAlpha(row[x]) != 0) ink |= QRect(x, y, 1, 1);
      }
    }
    if (ink.isEmpty()) ink = QRect(0, 0, 1, 1);
    picture.Offset += ink.topLeft();
    picture.Image = image.copy(ink);
  }

  void SetDpi(QImage& image) const {
    image.setDotsPerMeterX(qRound(dpiX_ / 0.0254));
    image.setDotsPerMeterY(qRound(dpiY_ / 0.0254));
  }

  const Picture& PictureOf(int index, double phase) {
    std::vector<Picture>& pictures = pictures_[static_cast<std::size_t>(index)];
    for (const Picture& picture : pictures) {
      if (picture.Phase == phase) return picture;
    }
    if (pictures.size() >= kMostPhases) {
      glyphPictureBytes -= pictures.front().Image.sizeInBytes();
      pictures.erase(pictures.begin());
    }
    Picture& picture = pictures.emplace_back();
    picture.Phase = phase;
    QImage probe(1, 1, QImage::Format_ARGB32_Premultiplied);
    SetDpi(probe);
    const QRectF ink = QFontMetricsF(font_, &probe).boundingRect(QChar(kPictured[index]));
    // The ink Qt reports can fall short of the filled outline by a pixel or more: room around
    // it, cut off again below.
    const int pad = 2 + static_cast<int>(std::ceil(ink.height() / 8));
    const int left = static_cast<int>(std::floor(ink.left())) - pad;
    const int top = static_cast<int>(std::floor(ink.top())) - pad;
    const int width = static_cast<int>(std::ceil(ink.right())) + pad - left + 1;
    const int height = static_cast<int>(std::ceil(ink.bottom())) + pad - top + 1;
    picture.Image =
        QImage(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32_Premultiplied);
    SetDpi(picture.Image);
    picture.Image.fill(Qt::transparent);
    picture.Offset = QPoint(left, top);
    QPainter painter(&picture.Image);
    painter.setFont(font_);
    painter.setPen(color_);
    painter.drawText(QPointF(-left + phase, -top), QString(QChar(kPictured[index])));
    painter.end();
    CutToInk(picture);
    glyphPictureBytes += picture.Image.sizeInBytes();
    return picture;
  }

  QFont font_;
  QColor color_;
  int dpiX_;
  int dpiY_;
  std::array<double, kPicturedCount> advance_{};
  std::array<std::vector<Picture>, kPicturedCount> pictures_;
};

// The pictures of a font in a colour, made on first use; a few sets cover every screen (one per
// font size of the clocks and counters, and each size again on a maximised window).
GlyphPictures& GlyphPicturesOf(const QFont& font, const QColor& color, int dpiX, int dpiY) {
  static std::vector<std::unique_ptr<GlyphPictures>> sets;
  for (const auto& set : sets) {
    if (set->Matches(font, color, dpiX, dpiY)) return *set;
  }
  // Scaling a window back and forth makes new sizes; old ones go before they pile up.
  constexpr std::size_t kMostSets = 24;
  if (sets.size() >= kMostSets) {
    glyphPictureBytes -= sets.front()->Bytes();
    sets.erase(sets.begin());
  }
  sets.push_back(std::make_unique<GlyphPictures>(font, color, dpiX, dpiY));
  return *sets.back();
}

}  // namespace

void DesignLabel::UseGlyphPictures(bool on) {
  useGlyphPictures = on;
}

qsizetype DesignLabel::GlyphPictureBytes() {
  return glyphPictureBytes;
}

DesignLabel::DesignLabel(const QString& text, Face face, QWidget* parent)
    : QLabel(text, parent), face_(face) {}

void DesignLabel::SetFrameColor(const QColor& color) {
  frame_ = color;
  update();
}

void DesignLabel::MakeClickable(const QCursor& cursor) {
  clickable_ = true;
  setCursor(cursor);
}

QRect DesignLabel::TextArea() const {
  return frame_.isValid() ? rect().adjusted(1, 1, -1, -1) : rect();
}

std::vector<DesignLabel::Line> DesignLabel::SetLines(const QString& text) const {
  std::vector<Line> lines;
  if (text.isEmpty()) return lines;
  const QFont& font = this->font();
  const QFontMetricsF metrics(font, this);
  const QRectF area = TextArea();
  const double em = EmPixels(font, *this);
  const LineMetrics design = DesignLineOf(face_);
  const double lineHeight = design.Height * em;
  const QStringList texts = BreakLines(text, font, area.width(), wordWrap());

  const double block = lineHeight * static_cast<double>(texts.size());
  double top = area.top();
  if (alignment() & Qt::AlignVCenter) {
    top += (area.height() - block) / 2;
  } else if (alignment() & Qt::AlignBottom) {
    top += area.height() - block;
  }

  // Where each line goes across, and the ink of the whole block with the baselines as designed.
  const QRectF fullHeight =
      IsCjk(face_) ? metrics.tightBoundingRect(QStringLiteral("国")) : QRectF();
  QRectF own;   // the text's ink
  QRectF room;  // the text's ink and the room of a full-height character on each line
  double baseline = top + design.Ascent * em;
  for (const QString& lineText : texts) {
    const QRectF ink = metrics.tightBoundingRect(lineText);
    const double advance = metrics.horizontalAdvance(lineText);
    double left = area.left();
    if (alignment() & Qt::AlignRight) {
      left = area.right() - advance;
    } else if (alignment() & Qt::AlignHCenter) {
      left = area.left() + (area.width() - advance) / 2;
    }
    // Ink that reaches past the advance (a wide character at the end) moves in where it fits.
    if (!ink.isNull() && ink.width() <= area.width()) {
      left = std::clamp(left, area.left() - ink.left(), area.right() - ink.right());
    }
    lines.push_back({lineText, QPointF(left, baseline)});
    own |= ink.translated(0, baseline);
    room |= ink.translated(0, baseline) | fullHeight.translated(0, baseline);
    baseline += lineHeight;
  }

  // Where the first baseline may lie with all the ink inside; the line moves as little as it
  // can, to whole pixels, staying inside where a whole pixel leaves room.
  const double designed = lines.front().Origin.y();
  const double highest = area.top() - (room.top() - designed);
  const double lowest = area.bottom() - (room.bottom() - designed);
  double first = std::round(designed);
  if (highest <= lowest) {
    first = std::round(std::clamp(designed, highest, lowest));
    if (std::ceil(highest) <= std::floor(lowest)) {
      first = std::clamp(first, std::ceil(highest), std::floor(lowest));
    }
  } else if (!own.isNull()) {
    first = std::round(designed + area.top() + (area.height() - own.height()) / 2 - own.top());
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    lines[i].Origin.setY(first + std::round(static_cast<double>(i) * lineHeight));
  }
  return lines;
}

QPointF DesignLabel::TextOrigin(const QString& text) const {
  const std::vector<Line> lines = SetLines(text);
  return lines.empty() ? QPointF(TextArea().topLeft()) : lines.front().Origin;
}

void DesignLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (frame_.isValid()) {
    painter.setPen(frame_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  const std::vector<Line>& lines = LinesToPaint(text());
  if (lines.empty()) return;
  painter.setClipRect(TextArea());
  const QColor color = palette().color(foregroundRole());
  // Pictures stand in for large glyphs drawn on whole device pixels only.
  const QTransform& toDevice = painter.deviceTransform();
  const bool pictured =
      useGlyphPictures && EmPixels(font(), *this) > kLargestCachedGlyph &&
      EmPixels(font(), *this) <= kLargestPictured && toDevice.type() <= QTransform::TxTranslate &&
      toDevice.dx() == std::round(toDevice.dx()) && toDevice.dy() == std::round(toDevice.dy()) &&
      painter.device()->devicePixelRatioF() == 1.0;
  painter.setFont(font());
  painter.setPen(color);
  for (const Line& line : lines) {
    if (pictured && line.Origin.y() == std::round(line.Origin.y()) &&
        GlyphPictures::Covers(line.Text)) {
      GlyphPicturesOf(font(), color, logicalDpiX(), logicalDpiY())
          .Draw(painter, line.Origin, line.Text);
    } else {
      painter.drawText(line.Origin, line.Text);
    }
  }
}

const std::vector<DesignLabel::Line>& DesignLabel::LinesToPaint(const QString& text) {
  SetKey key{font(), size(), alignment(), wordWrap(), frame_.isValid(), logicalDpiY()};
  if (!(key == setKey_)) {
    setKey_ = std::move(key);
    painted_.clear();
  }
  auto found = painted_.constFind(text);
  if (found != painted_.constEnd()) return *found;
  // A clock shows 100 hundredths and 60 seconds; anything beyond is a passing text.
  constexpr qsizetype kMostTexts = 128;
  if (painted_.size() >= kMostTexts) painted_.clear();
  return *painted_.insert(text, SetLines(text));
}

void DesignLabel::mousePressEvent(QMouseEvent* event) {
  if (clickable_ && event->button() == Qt::LeftButton) {
    pressed_ = true;
    event->accept();
    return;
  }
  QLabel::mousePressEvent(event);
}

void DesignLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (clickable_ && event->button() == Qt::LeftButton && pressed_) {
    pressed_ = false;
    event->accept();
    if (rect().contains(event->position().toPoint())) emit clicked();
    return;
  }
  QLabel::mouseReleaseEvent(event);
}

double EmPixels(const QFont& font, const QPaintDevice& device) {
  if (font.pixelSize() > 0) return font.pixelSize();
  return font.pointSizeF() * device.logicalDpiY() / 72.0;
}

void FitTextWidth(QWidget* widget, const QString& sample, double width) {
  QFont font = widget->font();
  const double needed = QFontMetricsF(font, widget).horizontalAdvance(sample);
  if (needed <= width) return;
  font.setStretch(static_cast<int>(std::floor(100.0 * width / needed)));
  widget->setFont(font);
}

void FitDesignDigits(QWidget* widget) {
  QFont font = widget->font();
  const double digit = QFontMetricsF(font, widget).horizontalAdvance(QLatin1Char('0'));
  const double designDigit = EmPixels(font, *widget) / 2;
  if (digit <= designDigit) return;
  font.setStretch(qRound(100 * designDigit / digit));
  widget->setFont(font);
}

void ShrinkToFit(QLabel* label, const QStringList& samples) {
  QFont font = label->font();
  const QFontMetricsF metrics(font, label);
  double scale = 1.0;
  for (const QString& sample : samples) {
    const QRectF ink = metrics.tightBoundingRect(sample);
    scale = std::min({scale, label->width() / ink.width(), label->height() / ink.height()});
  }
  if (scale >= 1.0) return;
  font.setPointSizeF(std::floor(font.pointSizeF() * scale * 4) / 4);
  label->setFont(font);
}

}  // namespace numora::platform
