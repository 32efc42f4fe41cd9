// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/glyph_pictures.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

namespace numora::platform {

namespace {

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

bool GlyphPicturesServe(double emPixels) {
  return useGlyphPictures && emPixels > kLargestCachedGlyph && emPixels <= kLargestPictured;
}

bool GlyphPicturesCover(const QString& text) {
  return GlyphPictures::Covers(text);
}

void DrawGlyphPictures(QPainter& painter, const QFont& font, const QColor& color, QPoint dpi,
                       QPointF origin, const QString& text) {
  GlyphPicturesOf(font, color, dpi.x(), dpi.y()).Draw(painter, origin, text);
}

void UseGlyphPictures(bool on) {
  useGlyphPictures = on;
}

qsizetype GlyphPictureBytes() {
  return glyphPictureBytes;
}

}  // namespace numora::platform
