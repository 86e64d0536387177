#include "app/results_file.h"
