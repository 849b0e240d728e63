#pragma once
#include "core/State.h"
#include "widgets/Grid.h"
