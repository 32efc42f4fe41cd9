#include "open_counting/form789.h"

#include "platform/placeholder.h"

namespace numora {

void ShowForm789(const Pupil& pupil, QWidget* parent) {
  platform::ShowPlaceholderWindow(pupil.GameLevel, parent);
}

}  // namespace numora
