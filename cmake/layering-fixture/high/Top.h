#pragma once
#include "low/Fine.h"
