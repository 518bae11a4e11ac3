#pragma once
#include "low/Link.h"
