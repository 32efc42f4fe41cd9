#pragma once

#include <QWidget>

#include "rules/challenge.h"

namespace numora {

// Opens the window Form789 for the pupil as a modal window over parent; returns once it closed.
void ShowForm789(const Pupil& pupil, QWidget* parent);

}  // namespace numora
