#include "text/int_conv.h"
