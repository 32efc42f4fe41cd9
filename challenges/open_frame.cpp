// SPDX-License-Identifier: GPL-3.0-or-later
#include "challenges/open_frame.h"

#include <QPushButton>
#include <QStyle>

#include "challenges/control_builders.h"
#include "platform/design_label.h"
#include "platform/number_box.h"

namespace numora {

using namespace platform;

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
  AddHeader(*this, header);
  NumberBox* entry = AddEntry(*this, kEntryBox, 200.25);
  // The box sets its text inside its frame and a small margin on each side.
  const int boxInset = 2 * (style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2);
  FitTextWidth(entry, kWidestNumber, entry->width() - boxInset);
  const Buttons buttons = AddButtons(*this, kButtons);
  DesignLabel* last = AddLastNumber(*this, kLastNumber, 99.75);
  FitTextWidth(last, kWidestNumber, last->width());
  AddMark(*this, kMark);
  // Start disables the focused start button; the focus then passes on to the input box.
  SetTabOrder({buttons.Start, entry, buttons.PlayAgain, buttons.Return});
  // The start button holds the focus when the window opens, so Enter starts the first run.
  buttons.Start->setFocus(Qt::OtherFocusReason);
}

}  // namespace numora
