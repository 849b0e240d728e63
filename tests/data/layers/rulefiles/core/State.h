#pragma once
#include "widgets/Grid.h"
