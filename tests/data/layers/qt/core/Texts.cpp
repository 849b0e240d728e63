#include "platform/Text.h"
#include <QString>
