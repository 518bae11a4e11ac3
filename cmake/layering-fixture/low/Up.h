#pragma once
#include "low/inner/../Lost.h"
