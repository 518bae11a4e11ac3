#pragma once
#include "high/Top.h"
#include "low/Fine.h"
