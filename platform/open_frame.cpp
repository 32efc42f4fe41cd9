// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/open_frame.h"

#include <QPushButton>
#include <QStyle>

#include "platform/design_label.h"
#include "platform/number_box.h"

namespace numora::platform {

namespace {

constexpr TwipRect kEntryBox{4800, 4800, 8055, 4035};
constexpr ButtonLayout kButtons{
    .PlayAgain = {13080, 4800, 1984, 597},
    .Start = {13080, 5760, 1984, 597},
    .Return = {240, 8880, 1984, 597},
};
constexpr TwipRect kLastNumber{240, 6000, 4455, 1965};
constexpr TwipRect kMark{13320, 6840, 1695, 1695};

// The widest number the last-number label and the input box must show whole.
const QString kWidestNumber = QStringLiteral("8888");

}  // namespace

OpenFrame::OpenFrame(ChallengeEngine& engine, const HeaderLayout& header, QWidget* parent)
    : ChallengeWindow(engine, parent) {
  AddHeader(header);
  NumberBox* entry = AddEntry(kEntryBox, 200.25);
  // The box sets its text inside its frame and a small margin on each side.
  const int boxInset = 2 * (style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2);
  FitTextWidth(entry, kWidestNumber, entry->width() - boxInset);
  const Buttons buttons = AddButtons(kButtons);
  DesignLabel* last = AddLastNumber(kLastNumber, 99.75);
  FitTextWidth(last, kWidestNumber, last->width());
  AddMark(kMark);
  // Start disables the focused start button; the focus then passes on to the input box.
  SetTabOrder({buttons.Start, entry, buttons.PlayAgain, buttons.Return});
}

}  // namespace numora::platform
