#include "endurance/form9.h"

#include "platform/placeholder.h"

namespace numora {

void ShowForm9(const Pupil& pupil, QWidget* parent) {
  platform::ShowPlaceholderWindow(pupil.GameLevel, parent);
}

}  // namespace numora
