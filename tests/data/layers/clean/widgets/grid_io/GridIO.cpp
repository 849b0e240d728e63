#include "widgets/Grid.h"
