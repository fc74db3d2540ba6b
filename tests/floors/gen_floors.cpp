// The floor generator built into the floor tests, so that they can run it themselves.
#include "../../tools/contentgen/floors/floors.cpp"
