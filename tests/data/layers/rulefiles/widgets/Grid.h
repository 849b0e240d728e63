#pragma once
#include "platform/Window.h"
