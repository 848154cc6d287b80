#include "testfile/test_format.h"
