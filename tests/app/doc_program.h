// doc_program.h - the running program of the document tests and the files they use.
//
// CDocProgram starts the application object under a registry key of its own (removed
// again at the end), with its main window and document template; the publications it
// opens are closed without questions when it ends.

#pragma once

#include "app/VarnelApp.h"
#include "test_support.h"
#include "app/VarnelView.h"
#include "model/VarnelDoc.h"
#include "afxdlgs.h"
#include "temp_folder.h"
#include "resources/resource.h"
#include "resources/wizard_resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class CElement;

// The folder of the running program, without a trailing backslash.
CString ProgramFolder();

// Reads and writes whole files.
std::string ReadFileBytes(const CString& strPath);
bool WriteFileBytes(const CString& strPath, const std::string& data);
bool FileExists(const CString& strPath);


// Templates, background pictures and the tips file beside the program; removed with
// everything in them at the end.
class CProgramFiles
{
public:
    CProgramFiles();
    ~CProgramFiles();
    CProgramFiles(const CProgramFiles&) = delete;
    CProgramFiles& operator=(const CProgramFiles&) = delete;

    // The document written as the template file lpszName.
    CString AddTemplate(LPCTSTR lpszName, CVarnelDoc& doc);
    // A picture of one colour (ARGB) in BackGrounds.
    CString AddBackground(LPCTSTR lpszName, DWORD clr, int nWidth = 40, int nHeight = 20);
    void WriteTips(const std::string& text);

    CString m_strTemplates;
    CString m_strBackgrounds;
    CString m_strTips;
};

// A picture file of one colour (ARGB); pszMime "image/bmp", "image/png", ...
bool WritePicture(const CString& strPath, DWORD clr, int nWidth, int nHeight, LPCSTR pszMime = "image/bmp");

// The HKCU options key of a registry company word, for the duration of a test.
class COptionsKey
{
public:
    explicit COptionsKey(const CString& strPath);
    ~COptionsKey();
    void SetDword(LPCSTR pszName, DWORD dwValue);
    // FALSE when the value is missing or not a DWORD.
    bool GetDword(LPCSTR pszName, DWORD& dwValue) const;
    void Delete(LPCSTR pszName);

private:
    HKEY m_hKey;
};

// Runs one test of a test program (disabled ones too) as a process of its own and
// returns its exit code; (DWORD)-1 when it did not start or end within two minutes.
DWORD RunTestInChild(const CString& strExe, const char* pszTest);

class CDocProgram
{
public:
    CDocProgram();
    ~CDocProgram();
    CDocProgram(const CDocProgram&) = delete;
    CDocProgram& operator=(const CDocProgram&) = delete;

    // Sends a command to the main window as the menu does.
    void Command(UINT nID);
    // A new publication with the wizard cancelled (the plain publication), the wizard's
    // notes about missing folders recorded out of the way; NULL when none opened.
    CVarnelDoc* NewPlainDoc();
    // A plain publication of 400 x 200 maximised, its view at 100 % scrolled to the top
    // left; NULL when none opened.
    CVarnelDoc* NewShownDoc();
    // The active publication and its design view.
    CVarnelDoc* ActiveDoc();
    CVarnelView* ActiveView();
    int CountDocs();
    // Closes every publication without questions.
    void CloseAll();
    // The options key of this program's registry key.
    CString OptionsKeyPath() const;

    CVarnelApp* m_pApp;
    CString m_strCompany;           // registry company word of this program
    BOOL m_bStarted;
};

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
