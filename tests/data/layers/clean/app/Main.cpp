#include "rules/field/Modbus.h"
#include "core/State.h"
