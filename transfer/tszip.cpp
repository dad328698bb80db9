#include "tszip.h"
