#pragma once
#include "core/State.h"
