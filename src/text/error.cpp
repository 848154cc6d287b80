#include "text/error.h"
