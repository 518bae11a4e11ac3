#pragma once
#include "high/Top.h"
#include "mid/Model.h"
