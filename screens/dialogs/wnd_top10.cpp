#include "screens/dialogs/wnd_top10.h"
