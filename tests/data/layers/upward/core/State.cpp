#include "params/ParGen.h"
