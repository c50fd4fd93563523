#include "screens/dialogs/wnd_help.h"
