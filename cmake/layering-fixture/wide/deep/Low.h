#pragma once
#include "low/Base.h"
