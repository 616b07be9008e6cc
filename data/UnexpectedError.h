// UnexpectedError.h - the message of a command that failed in a way it did not foresee,
// one text for every library of the program (string IDS_UNEXPECTED_ERROR of data.rc).
//
//     try { ... }
//     catch (...)
//     {
//         ShowUnexpectedError();
//     }

#pragma once

#include "afx.h"

// The text, from the program's string table.
CString GetUnexpectedErrorText();
// Shows the text with the stop icon.
void ShowUnexpectedError();
