#include "grid/model/GridTypes.h"
