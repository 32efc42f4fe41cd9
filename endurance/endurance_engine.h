#pragma once

#include "open_counting/open_counting_engine.h"

namespace numora {}  // namespace numora
