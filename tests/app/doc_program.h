// doc_program.h - the running program of the document tests and the publications they use.
//
// The program is the tests' application harness (tests/support/app); the files beside
// it are those of tests/support/program_files.h.

#pragma once

#include "app_program.h"
#include "temp_folder.h"
#include "resources/wizard_resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class CElement;

// The document tests' program: the harness with its defaults.
typedef CAppProgram CDocProgram;

// Runs one test of a test program (disabled ones too) as a process of its own and
// returns its exit code; (DWORD)-1 when it did not start or end within two minutes.
DWORD RunTestInChild(const CString& strExe, const char* pszTest);

// The steps of a wizard run: category, template and background by name (empty: " -None-"),
// the blank-design box, and either the template's size (keep) or an own size in inches.
struct CWizardAnswer
{
    int nCategory = 0;
    CString strTemplate;
    CString strBackground;
    BOOL bBlank = FALSE;
    BOOL bKeepTemplateSize = FALSE;
    double fWidth = 4.0;            // inches, when the size is not the template's
    double fHeight = 2.0;
};
// Adds the wizard's entry to a script.
void ScriptWizard(CDialogScript& script, const CWizardAnswer& answer);

// A publication with one element of every class on both sides, a background picture on
// each side and the given data-source description.
void FillEveryElement(CVarnelDoc& doc, const CString& strDataSource);

// The element classes of a list in order, by run-time class name.
std::vector<std::string> ClassNames(CElementList& list);
