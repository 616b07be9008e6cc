// test_support.h - what the test programs drive the program with: scripted dialogs,
// recorded message boxes, scripted modal loops and the environment of tests with
// windows.

#pragma once

#include "dialog_script.h"
#include "message_box_recorder.h"
#include "modal_loop_script.h"
#include "window_test_environment.h"
