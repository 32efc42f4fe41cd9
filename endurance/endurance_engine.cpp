#include "endurance/endurance_engine.h"
