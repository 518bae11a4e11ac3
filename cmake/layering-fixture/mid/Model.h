#pragma once
#include "high/Top.h"
#include "low/Base.h"
