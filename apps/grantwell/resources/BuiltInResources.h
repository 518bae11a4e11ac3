// The images the tool carries inside itself, registered under their file
// names in the built-in resource registry before main runs, so that every
// image is found by name and no data file is needed. The bytes are constant
// data of the program and are never copied.
#pragma once

namespace grantwell {

// Registers every embedded file, in a fixed order. Runs once before main;
// running it again changes nothing.
void addBuiltInResources();

}  // namespace grantwell
