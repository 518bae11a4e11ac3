#pragma once
#include "Table.def"
