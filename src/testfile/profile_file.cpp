#include "testfile/profile_file.h"
