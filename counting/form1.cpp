#include "counting/form1.h"

#include "platform/placeholder.h"

namespace numora {

void ShowForm1(const Pupil& pupil, QWidget* parent) {
  platform::ShowPlaceholderWindow(pupil.GameLevel, parent);
}

}  // namespace numora
