#pragma once
#include "core/State.h"
#include "platform/Window.h"
