// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The header's earlier place, kept for suites outside this tree that build the windows
// in-process: the registry of challenges now stands in registry/, above the screens.
#include "registry/engines.h"
