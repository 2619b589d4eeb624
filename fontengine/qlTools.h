#pragma once
#include "fontengine/tools/qlTools.h"
