#include "rules/can_mqtt/Frames.h"
