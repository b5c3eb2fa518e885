// The model tests' field helpers, shared so that the canvas checks every field too.
#include "../model/GraphicFields.cpp"
