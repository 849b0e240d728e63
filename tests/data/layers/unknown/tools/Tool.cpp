#include "platform/Window.h"
