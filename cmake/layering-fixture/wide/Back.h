#pragma once
#include "mid/back/Realise.h"
