// The frames and bars of the framework bar tests, shared with this test program.
#include "../uibars/uibars_support.cpp"
