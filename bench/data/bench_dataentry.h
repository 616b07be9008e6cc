// bench_dataentry.h - the benchmark of the data-entry dialog (bench_dataentry.cpp).

#pragma once

// Runs the dialog's steps on 10,000 records, with nNextPresses presses of Next, and
// prints their times; 0 when every step ran as a user's would.
int RunDataEntryBench(int nNextPresses);
