#pragma once
#include "platform/Window.h"
#include "core/State.h"
