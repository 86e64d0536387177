#include "app/trials_file.h"
