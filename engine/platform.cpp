#include "engine/platform.h"
