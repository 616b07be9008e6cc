// Test environment of the dialog tests: no dialog may wait for a user.

#include "dlgtest.h"
#include "test_support.h"

namespace
{

class CDialogTestEnvironment : public testsupport::CWindowTestEnvironment
{
public:
    void SetUp() override
    {
        testsupport::CWindowTestEnvironment::SetUp();
    }
};

::testing::Environment* const g_pEnvironment =
    ::testing::AddGlobalTestEnvironment(new CDialogTestEnvironment);

} // namespace

CCaptureFailures* CCaptureFailures::s_pCurrent = NULL;

CCaptureFailures::CCaptureFailures()
{
    s_pCurrent = this;
    m_pfnPrevious = CDialogScript::SetFailureHandler(Capture);
}

CCaptureFailures::~CCaptureFailures()
{
    CDialogScript::SetFailureHandler(m_pfnPrevious);
    s_pCurrent = NULL;
}

void AFXAPI CCaptureFailures::Capture(LPCTSTR lpszText)
{
    if (s_pCurrent != NULL)
        s_pCurrent->m_failures.push_back(lpszText);
}

bool CCaptureFailures::Contains(const char* pszPart) const
{
    for (const std::string& str : m_failures)
    {
        if (str.find(pszPart) != std::string::npos)
            return true;
    }
    return false;
}

CString ControlText(CWnd* pDlg, int nID)
{
    CString str;
    pDlg->GetDlgItemText(nID, str);
    return str;
}

CTempFile::CTempFile(LPCTSTR lpszName)
{
    char szFolder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szFolder);
    m_strFolder = szFolder;
    if (m_strFolder.Right(1) == "\\")
        m_strFolder = m_strFolder.Left(m_strFolder.GetLength() - 1);
    m_strPath.Format("%s\\%lu_%s", (LPCTSTR)m_strFolder, ::GetCurrentProcessId(), lpszName);
    HANDLE hFile = ::CreateFileA(m_strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(hFile);
}

CTempFile::~CTempFile()
{
    ::DeleteFileA(m_strPath);
}
