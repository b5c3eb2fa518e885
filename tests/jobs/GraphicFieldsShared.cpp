// The model tests' field helpers, built into this test program too.
#include "../model/GraphicFields.cpp"
