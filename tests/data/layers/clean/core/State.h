#pragma once
#include "widgets/Grid.h"
#include "platform/Window.h"
