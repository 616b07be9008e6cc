// The frames and bars of the framework bar tests, shared with this program.
#include "../uibars_support.cpp"
