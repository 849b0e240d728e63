#include "platform/Net.h"
#include <cstdint>
#include <unistd.h>
