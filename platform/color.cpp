#include "platform/color.h"
