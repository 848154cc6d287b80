#include "text/case_fold.h"
