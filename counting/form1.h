#pragma once

#include <QWidget>

#include "rules/challenge.h"

namespace numora {

// Opens the window Form1 for the pupil as a modal window over parent; returns once it closed.
void ShowForm1(const Pupil& pupil, QWidget* parent);

}  // namespace numora
