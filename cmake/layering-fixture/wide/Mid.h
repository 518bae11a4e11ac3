#pragma once
#include "mid/Model.h"
