#pragma once
#include "platform/Window.h"
#include <vector>
#include <stdint.h>
