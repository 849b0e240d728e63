#pragma once
#include "core/State.h"
#include "rulefiles/RuleFile.h"
