#pragma once
#include SOME_MACRO
#include LIB(Top.h)
