#pragma once
#include "high/Ring2.h"
