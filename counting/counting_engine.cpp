#include "counting/counting_engine.h"
