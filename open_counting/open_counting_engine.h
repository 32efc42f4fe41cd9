#pragma once

#include "rules/challenge.h"

namespace numora {}  // namespace numora
