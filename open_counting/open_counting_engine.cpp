#include "open_counting/open_counting_engine.h"
