#pragma once
#include "low/../high/Top.h"
