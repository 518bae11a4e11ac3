#pragma once
#include "Ring3.inl"
