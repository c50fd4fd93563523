#include "screens/dialogs/wnd_clear.h"
