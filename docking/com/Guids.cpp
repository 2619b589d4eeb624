// Storage for the identifiers the type library declares.
#include <initguid.h>

#include "XMoorline_h.h"
