#include "app/landolt_ring.h"
