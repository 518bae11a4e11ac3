#include "high/../high/Ring1.h"
