#include "text/cp1251.h"
