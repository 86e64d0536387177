#include "app/training_score.h"
